#include "forms/qt/pop_up_menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <algorithm>

namespace vesk::forms::qt {

void fillMenu(QMenu& menu, const std::vector<MenuItem>& items) {
  menu.setToolTipsVisible(std::any_of(items.begin(), items.end(),
                                      [](const MenuItem& item) { return !item.toolTip.empty(); }));
  if (menu.actions().size() != static_cast<qsizetype>(items.size())) {
    menu.clear();
    for (std::size_t i = 0; i < items.size(); ++i) menu.addAction(QString());
  }
  const auto actions = menu.actions();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    QAction* action = actions[static_cast<qsizetype>(i)];
    action->setText(QString::fromStdString(item.caption));
    action->setCheckable(item.checkable);
    action->setChecked(item.checkable && item.checked);
    action->setEnabled(item.enabled);
    action->setToolTip(QString::fromStdString(item.toolTip));
    action->setData(static_cast<qulonglong>(i));
  }
}

void showPopUpMenu(const std::vector<MenuItem>& items, std::optional<QPoint> at) {
  QMenu menu;  // no parent: an item may close the window it was opened from
  menu.setObjectName(QStringLiteral("VESK_LIGHTS_MENU"));
  fillMenu(menu, items);
  QAction* chosen = menu.exec(at.value_or(QCursor::pos()));
  if (!chosen) return;
  // A copy: the item's owner may rebuild or drop the list while it runs.
  const auto run = items.at(chosen->data().toULongLong()).onClick;
  if (run) run();
}

}  // namespace vesk::forms::qt
