#pragma once
// The Linux platform, composed of parts chosen once from the kind of session: where the lock
// keys are read, whether they can be pressed, the window order, and which on-screen keyboards
// fit. No Xlib type crosses this header.

#include <memory>

#include "platform/platform.h"
#include "settings/store.h"

namespace vesk::platform {

enum class Session {
  X11,           // XKB lights, XTest presses, EWMH window order
  WaylandWithX,  // our windows on Xwayland: kernel LEDs, portal presses, EWMH through Xwayland
  WaylandOnly,   // no X at all: kernel LEDs, portal presses, no window order
};

// Gives nullptr, after one line on stderr, when an X11 session's display cannot be opened or
// has no XKB. The kernel LEDs are read under VESK_LEDS_DIR when it is set, else /sys/class/leds.
// A Wayland session presses keys through the desktop's RemoteDesktop portal, which keeps its
// restore token in `store`; without a store, it presses none.
std::unique_ptr<Platform> createLinuxPlatform(Session session, settings::Store* store = nullptr);

}  // namespace vesk::platform
