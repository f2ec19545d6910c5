#pragma once
// Starting the desktop's on-screen keyboard: the first of the known ones found on PATH, detached
// from us so that it outlives the indicator and never lingers as our zombie.

#include <string>
#include <vector>

namespace vesk::platform::x11 {

// Keyboards for an X11 session, most capable first.
inline const std::vector<std::string> kX11Keyboards{"onboard", "xvkbd", "matchbox-keyboard"};
// Keyboards that work in a Wayland session; the X11 ones follow them where Xwayland runs.
inline const std::vector<std::string> kWaylandKeyboards{"squeekboard", "wvkbd-mobintl"};

// Starts the first of `names` found on PATH and says so; with none, one line on stderr names
// them and nothing is started.
bool startOnScreenKeyboard(const std::vector<std::string>& names = kX11Keyboards);

}  // namespace vesk::platform::x11
