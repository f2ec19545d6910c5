#pragma once
// A pop-up menu of the forms seam's items with TrackPopupMenuEx, at the mouse or at a point.

#include <windows.h>

#include <optional>
#include <vector>

#include "forms/forms.h"

namespace vesk::forms::win32 {

// Returns once the menu has gone; the chosen item's onClick runs after that. The owner takes
// the foreground while the menu shows, so a click elsewhere closes it. `at` is in screen
// pixels; without it the menu opens at the mouse.
void showPopUpMenu(HWND owner, const std::vector<MenuItem>& items,
                   std::optional<POINT> at = std::nullopt);

}  // namespace vesk::forms::win32
