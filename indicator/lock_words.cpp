#include "indicator/lock_words.h"

#include <algorithm>
#include <cctype>

namespace vesk::indicator {
namespace {

constexpr const char* kNames[] = {"Num Lock", "Caps Lock", "Scroll Lock"};

bool known(forms::Colour c) {
  return c == forms::kGreen || c == forms::kRed;
}

const char* word(forms::Colour c) {
  if (c == forms::kGreen) return "on";
  if (c == forms::kRed) return "off";
  return "unknown";
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return text;
}

}  // namespace

const char* lockName(int keyIndex) {
  return kNames[keyIndex];
}

LightWords lightWords(int keyIndex, forms::Colour colour, const std::string& whyUnknown) {
  if (known(colour) || whyUnknown.empty()) {
    return {word(colour), std::string(kNames[keyIndex]) + " " + word(colour)};
  }
  return {std::string(word(colour)) + ": " + whyUnknown, whyUnknown};
}

tray::TrayPicture trayPicture(const LightColours& lights) {
  tray::TrayPicture picture;
  picture.segments = lights;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) picture.toolTip += ", ";
    picture.toolTip += std::string(kNames[i]) + " " + word(lights[i]);
  }
  return picture;
}

void ChangeWatch::ownFlip(int keyIndex) {
  ownFlipTicks_.at(keyIndex) = kOwnFlipTicks;
}

std::optional<NoticeText> ChangeWatch::tick(const LightColours& lights) {
  std::optional<NoticeText> due;
  for (int i = 0; i < 3; ++i) {
    const bool own = ownFlipTicks_[i] > 0;
    if (own) --ownFlipTicks_[i];
    if (lights[i] == last_[i]) continue;
    if (own) {
      ownFlipTicks_[i] = 0;  // that was our press; the user's next one is theirs
      continue;
    }
    if (known(last_[i]) && known(lights[i])) {
      due = NoticeText{upper(kNames[i]) + " " + upper(word(lights[i])), lights[i]};
    }
  }
  last_ = lights;
  return due;
}

}  // namespace vesk::indicator
