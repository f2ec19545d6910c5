#include "forms/qt/form_widget.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vesk::forms::qt {

FormWidget::FormWidget()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
  // Qt::Tool clears this; without it closing the main window would leave the program running.
  setAttribute(Qt::WA_QuitOnClose, true);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setWindowIcon(QIcon(QStringLiteral(":/vesk-lights.png")));
}

void FormWidget::dispatch(const std::function<void()>& handler) {
  if (!handler) return;
  // A copy: the handler's owner may be destroyed while it runs.
  const auto run = handler;
  ++busy_;
  run();
  --busy_;
}

void FormWidget::closeEvent(QCloseEvent* event) {
  dispatch(onClose);
  event->accept();
}

void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) dispatch(onDblClick);
}

void FormWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // Lights and the button pass the event up unhandled; a right-click on them opens nothing.
  const bool fromKeys = event->reason() != QContextMenuEvent::Mouse;
  if (!fromKeys && childAt(event->pos())) return;
  openMenu(fromKeys);
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
  // Qt makes a context-menu event of the Menu key only; Shift+F10 is its twin everywhere.
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    event->accept();
    openMenu(true);
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormWidget::openMenu(bool fromKeys) {
  const auto open = onContextMenu;  // a copy: the window may go while the menu runs
  if (open) dispatch([&open, fromKeys] { open(fromKeys); });
}

}  // namespace vesk::forms::qt
