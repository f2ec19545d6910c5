#pragma once
// A pop-up menu of the forms seam's items as a QMenu, at the mouse or at a given place.

#include <QPoint>
#include <optional>
#include <vector>

#include "forms/forms.h"

class QMenu;

namespace vesk::forms::qt {

// Returns once the menu has gone; the chosen item's onClick runs after that. `at` is in
// global coordinates; without it the menu opens at the mouse.
void showPopUpMenu(const std::vector<MenuItem>& items, std::optional<QPoint> at = std::nullopt);

// Sets a menu's actions to the items, each action's data its item's index. Actions are kept
// and changed in place while the number of items stays, so that a menu exported to another
// process keeps its item ids.
void fillMenu(QMenu& menu, const std::vector<MenuItem>& items);

}  // namespace vesk::forms::qt
