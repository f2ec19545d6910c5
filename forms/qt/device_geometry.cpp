#include "forms/qt/device_geometry.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "forms/qt/frame_extents.h"
#include "forms/qt/units.h"

// Xlib last: its macros (None, Bool, Status) clash with Qt's names.
#include <X11/Xlib.h>

namespace vesk::forms::qt {
namespace {

Display* display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

}  // namespace

QRect clientRect(QWidget& window) {
  Display* dpy = display();
  if (!dpy) return deviceFromPixels(window.geometry(), window.screen());
  const auto id = static_cast<::Window>(window.winId());
  XWindowAttributes attributes{};
  int x = 0, y = 0;
  ::Window child = 0;
  if (!XGetWindowAttributes(dpy, id, &attributes) ||
      !XTranslateCoordinates(dpy, id, DefaultRootWindow(dpy), 0, 0, &x, &y, &child)) {
    return deviceFromPixels(window.geometry(), window.screen());
  }
  return {x, y, attributes.width, attributes.height};
}

void setClientRect(QWidget& window, const QRect& device) {
  window.setGeometry(pixelsFromDevice(device, window.screen()));
  Display* dpy = display();
  if (!dpy) return;
  // After Qt's own request on the same connection, so this one is the last word. Qt follows
  // the change from the X server's notification.
  XMoveResizeWindow(dpy, static_cast<::Window>(window.winId()), device.x(), device.y(),
                    static_cast<unsigned>(device.width()), static_cast<unsigned>(device.height()));
  XFlush(dpy);
}

QMargins currentFrame(QWidget& window) {
  if (const auto fx = frameExtents(window)) return {fx->left, fx->top, fx->right, fx->bottom};
  // A window manager that does not say, or no X11: the frame Qt has worked out itself. Qt
  // measures the manager's frame window, which reads 1x1 until the manager has sized it: the
  // margins then come out negative (-255 for a 256 px wide window), and are no frame at all.
  const QMargins qt = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
  if (qt.left() < 0 || qt.top() < 0 || qt.right() < 0 || qt.bottom() < 0) return {};
  return deviceFromPixels(qt);
}

}  // namespace vesk::forms::qt
