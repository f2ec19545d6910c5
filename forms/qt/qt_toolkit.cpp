#include "forms/qt/qt_toolkit.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "forms/qt/form_widget.h"
#include "forms/qt/pop_up_menu.h"
#include "forms/qt/qt_window.h"
#include "forms/qt/units.h"

namespace vesk::forms::qt {

QtToolkit::QtToolkit(QApplication& app) : app_(app) {}

std::unique_ptr<forms::Window> QtToolkit::createWindow(const WindowSpec& spec) {
  return std::make_unique<QtWindow>(*this, spec);
}

Desktop QtToolkit::desktop() const {
  Desktop desktop;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) desktop.screens.push_back(toTwips(primary->availableGeometry()));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) desktop.screens.push_back(toTwips(screen->availableGeometry()));
  }

  FormWidget probe;  // a window like ours, never shown, for the window manager to measure
  const QMargins frame = frameMargins(probe);
  const int caption =
      frameKnown() ? frame.top() : app_.style()->pixelMetric(QStyle::PM_TitleBarHeight);
  desktop.captionHeight = toTwips(caption);
  // Room for the close button across, and the caption bar alone down.
  desktop.minWidth = toTwips(frame.left() + frame.right() + 2 * caption);
  desktop.minHeight = toTwips(std::max(frame.top(), caption) + frame.bottom() + 1);
  return desktop;
}

int QtToolkit::run() {
  return app_.exec();
}

void QtToolkit::popUpMenu(const std::vector<MenuItem>& items) {
  showPopUpMenu(items);
}

QMargins QtToolkit::frameMargins(QWidget& window) const {
  window.winId();  // the window manager and Qt's platform are asked about this very window
  if (!asked_) {
    asked_ = true;
    extents_ = requestFrameExtents(window);
  }
  if (extents_) return knownFrame();
  return window.windowHandle()->frameMargins();
}

QMargins QtToolkit::knownFrame() const {
  const FrameExtents fx = extents_.value_or(FrameExtents{});
  return {fx.left, fx.top, fx.right, fx.bottom};
}

}  // namespace vesk::forms::qt
