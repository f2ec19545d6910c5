#include "indicator/layout.h"

#include <string>

#include "indicator/lock_keys.h"
#include "indicator/lock_words.h"

namespace vesk::indicator {

forms::LabelSpec rowLightSpec(int keyIndex) {
  const auto& k = kLockKeys[keyIndex];
  forms::LabelSpec spec;
  spec.name = std::string(k.rowLight);
  spec.caption = std::string(k.rowCaption);
  spec.place = {120.0 + 960.0 * keyIndex, 120, 855, 375};
  spec.font = {"MS Sans Serif", 8.25, true};
  spec.align = forms::Align::Centre;
  spec.back = forms::kWhite;
  spec.accessibleName = lockName(keyIndex);
  return spec;
}

forms::LabelSpec uprightLightSpec(int keyIndex) {
  const auto& k = kLockKeys[keyIndex];
  forms::LabelSpec spec;
  spec.name = std::string(k.uprightLight);
  spec.caption = std::string(k.uprightCaption);
  // 375 wide but 360 apart: neighbouring borders overlap and the three read as one strip.
  spec.place = {360.0 * keyIndex, 0, 375, 1215};
  spec.font = {"MS Sans Serif", 13.5, true};
  spec.align = forms::Align::Left;
  spec.back = forms::kWhite;
  spec.wrap = true;
  spec.accessibleName = lockName(keyIndex);
  return spec;
}

forms::ButtonSpec oskButtonSpec() {
  forms::ButtonSpec spec{
      "OSK_BUTTON", "O-S-K", {3000, 120, 615, 375}, 0, {"MS Sans Serif", 8.25, false}};
  spec.accessibleName = "On-screen keyboard";
  return spec;
}

}  // namespace vesk::indicator
