#pragma once
// The settings dialog's elements as designed: places in twips, captions, fonts and colours.

#include <string>
#include <vector>

#include "forms/forms.h"
#include "settings/keys.h"

namespace vesk::settings_dialog {

inline constexpr const char* kDialogName = "VESK_LIGHTS_SETTINGS";
inline constexpr const char* kAuthor = "Mara Tarnwick";
inline constexpr const char* kAuthorEmail = "mara.tarnwick@vesk-lights.invalid";

struct BoxDef {
  forms::CheckBoxSpec spec;
  settings::Key setting;
};

// In the order of creation; the tab order is their tabIndex.
std::vector<forms::LabelSpec> aboutLabels();
std::vector<BoxDef> boxes();
forms::ButtonSpec okButton();

}  // namespace vesk::settings_dialog
