#pragma once
// A pop-up menu of the forms seam's items as a QMenu, at the mouse or at a given place.

#include <QPoint>
#include <optional>
#include <vector>

#include "forms/forms.h"

namespace vesk::forms::qt {

// Returns once the menu has gone; the chosen item's onClick runs after that. `at` is in
// global coordinates; without it the menu opens at the mouse.
void showPopUpMenu(const std::vector<MenuItem>& items, std::optional<QPoint> at = std::nullopt);

}  // namespace vesk::forms::qt
