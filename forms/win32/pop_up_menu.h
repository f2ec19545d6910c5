#pragma once
// A pop-up menu of the forms seam's items with TrackPopupMenuEx, at the mouse.

#include <windows.h>

#include <vector>

#include "forms/forms.h"

namespace vesk::forms::win32 {

// Returns once the menu has gone; the chosen item's onClick runs after that. The owner takes
// the foreground while the menu shows, so a click elsewhere closes it.
void showPopUpMenu(HWND owner, const std::vector<MenuItem>& items);

}  // namespace vesk::forms::win32
