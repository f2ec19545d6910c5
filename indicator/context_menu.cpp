#include "indicator/context_menu.h"

namespace vesk::indicator {

ContextMenu::ContextMenu(IndicatorWindow& main, platform::Autostart& autostart, Report report)
    : main_(main), autostart_(autostart), report_(std::move(report)) {
  main_.window().onContextMenu = [this] { return items(); };
}

namespace {

forms::MenuItem item(std::string caption, std::function<void()> onClick) {
  forms::MenuItem made;
  made.caption = std::move(caption);
  made.onClick = std::move(onClick);
  return made;
}

}  // namespace

std::vector<forms::MenuItem> ContextMenu::items() {
  std::vector<forms::MenuItem> list;
  // The same dialog as a double-click on the background.
  list.push_back(item("&Settings...", [this] {
    if (main_.openSettings) main_.openSettings();
  }));
  auto& login = list.emplace_back(item("Start at &login", [this] { toggleStartAtLogin(); }));
  login.checkable = true;
  login.checked = autostart_.enabled();
  login.toolTip = failure_;
  if (addItems) addItems(list);
  // As the close button does: Form_Unload stores the geometry, then the program ends.
  list.push_back(item("&Quit", [this] { main_.window().close(); }));
  return list;
}

void ContextMenu::toggleStartAtLogin() {
  const bool on = !autostart_.enabled();
  if (autostart_.setEnabled(on)) {
    failure_.clear();
    return;
  }
  failure_ = autostart_.problem();
  if (report_) report_(failure_);
}

}  // namespace vesk::indicator
