#pragma once
// The indicator window's elements as designed: places in twips, fonts, captions, colours.

#include <array>

#include "forms/forms.h"

namespace vesk::indicator {

inline constexpr const char* kMainWindowName = "VESK_LIGHTS_MAIN";
inline constexpr const char* kCaption = "VESK-LIGHTS";

// Row and upright light of each lock key, in the order of the lock-key table.
forms::LabelSpec rowLightSpec(int keyIndex);
forms::LabelSpec uprightLightSpec(int keyIndex);
forms::ButtonSpec oskButtonSpec();

}  // namespace vesk::indicator
