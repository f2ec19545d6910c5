#pragma once
// The words for the locks, read off the lights' colours, so that whatever colour a tick gives a
// light (on, off, unknown) is what its tooltip, a screen reader, the tray and the notice say.

#include <array>
#include <optional>
#include <string>

#include "forms/forms.h"
#include "tray/tray.h"

namespace vesk::indicator {

using LightColours = std::array<forms::Colour, 3>;  // Num, Caps, Scroll

// "Num Lock", "Caps Lock", "Scroll Lock": a light's name for a screen reader.
const char* lockName(int keyIndex);

struct LightWords {
  std::string state;    // "on", "off", or "unknown: " and why
  std::string toolTip;  // "Caps Lock on"; a grey light's says why alone
};
LightWords lightWords(int keyIndex, forms::Colour colour, const std::string& whyUnknown);

// Three segments in the lights' own colours, and the tooltip that says them in words:
// "Num Lock on, Caps Lock off, Scroll Lock unknown".
tray::TrayPicture trayPicture(const LightColours& lights);

struct NoticeText {
  std::string text;  // "CAPS LOCK ON"
  forms::Colour back;
  bool operator==(const NoticeText&) const = default;
};

// Watches the lights tick by tick and says which change is worth a notice: a lock that went
// from on to off or back. Nothing is due for the first lights, for a light that was or becomes
// unknown, or for the program's own flip of that key.
class ChangeWatch {
 public:
  // The program pressed this key (0 Num, 1 Caps, 2 Scroll): its next change within a second
  // is the user's own double-click, which the window already shows.
  void ownFlip(int keyIndex);
  // One tick's colours; the notice due, if any. Of several changes in one tick the last key's.
  std::optional<NoticeText> tick(const LightColours& lights);

  static constexpr int kOwnFlipTicks = 10;

 private:
  LightColours last_{forms::kWhite, forms::kWhite, forms::kWhite};
  std::array<int, 3> ownFlipTicks_{};
};

}  // namespace vesk::indicator
