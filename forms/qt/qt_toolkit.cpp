#include "forms/qt/qt_toolkit.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "forms/qt/device_geometry.h"
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
  // In device pixels first, the unit of the window manager's frame, then in twips.
  Desktop desktop;
  const auto area = [](QScreen* screen) {
    return deviceToTwips(deviceFromPixels(screen->availableGeometry(), screen));
  };
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) desktop.screens.push_back(area(primary));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) desktop.screens.push_back(area(screen));
  }

  FormWidget probe;  // a window like ours, never shown, for the window manager to measure
  const QMargins frame = frameMargins(probe);
  const int caption = frameKnown()
                          ? frame.top()
                          : deviceFromPixels(app_.style()->pixelMetric(QStyle::PM_TitleBarHeight));
  desktop.captionHeight = deviceToTwips(caption);
  // Room for the close button across, and the caption bar alone down.
  desktop.minWidth = deviceToTwips(frame.left() + frame.right() + 2 * caption);
  desktop.minHeight = deviceToTwips(std::max(frame.top(), caption) + frame.bottom() + 1);
  desktop.frameWidth = deviceToTwips(frame.left() + frame.right());
  desktop.frameHeight = deviceToTwips(frame.top() + frame.bottom());
  // A Wayland compositor places windows itself and tells no client where.
  desktop.placesKnown = QGuiApplication::platformName() != QLatin1String("wayland");
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
  return currentFrame(window);
}

void QtToolkit::learnFrame(const QMargins& frame) {
  extents_ = FrameExtents{frame.left(), frame.right(), frame.top(), frame.bottom()};
}

QMargins QtToolkit::knownFrame() const {
  const FrameExtents fx = extents_.value_or(FrameExtents{});
  return {fx.left, fx.top, fx.right, fx.bottom};
}

}  // namespace vesk::forms::qt
