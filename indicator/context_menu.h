#pragma once
// The indicator's right-click menu: "&Settings...", "Start at &login", the items that later
// features add, then "&Quit". Built afresh each time it opens, so its check marks show the
// state of that moment.

#include <functional>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "indicator/indicator_window.h"
#include "platform/autostart.h"

namespace vesk::indicator {

class ContextMenu {
 public:
  using Report = std::function<void(const std::string&)>;
  // Installs itself as the indicator window's background right-click.
  ContextMenu(IndicatorWindow& main, platform::Autostart& autostart, Report report);

  // The items, in order; the same list serves any place that opens the menu (a tray icon).
  std::vector<forms::MenuItem> items();

  // Adds items between "Start at login" and "Quit".
  std::function<void(std::vector<forms::MenuItem>&)> addItems;

 private:
  void toggleStartAtLogin();

  IndicatorWindow& main_;
  platform::Autostart& autostart_;
  Report report_;
  std::string failure_;  // the last failed change, shown as the item's tooltip
};

}  // namespace vesk::indicator
