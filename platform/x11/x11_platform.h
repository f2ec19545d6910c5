#pragma once
// The X11 platform. It keeps its own connection to the display named by DISPLAY, apart from the
// toolkit's, so no Xlib type crosses this header.

#include <memory>

#include "platform/platform.h"

namespace vesk::platform {

// Opens the display; gives nullptr, after one line on stderr, when the display cannot be opened
// or the server has no XKB.
std::unique_ptr<Platform> createX11Platform();

}  // namespace vesk::platform
