#pragma once
#include <string>

namespace vesk::settings {

// Where the Linux build keeps its settings:
// $XDG_CONFIG_HOME/TARNWICK-VESK-LIGHTS/settings.ini, with ~/.config standing in for an unset
// or empty XDG_CONFIG_HOME.
std::string defaultIniPath();

}  // namespace vesk::settings
