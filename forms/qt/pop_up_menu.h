#pragma once
// A pop-up menu of the forms seam's items as a QMenu at the mouse.

#include <vector>

#include "forms/forms.h"

namespace vesk::forms::qt {

// Returns once the menu has gone; the chosen item's onClick runs after that.
void showPopUpMenu(const std::vector<MenuItem>& items);

}  // namespace vesk::forms::qt
