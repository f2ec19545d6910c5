#include "forms/qt/x11_taskbar.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>

// Xlib last: its macros (None, Bool, Status) clash with Qt's names.
#include <X11/Xlib.h>

namespace vesk::forms::qt {

void leaveOutOfTaskbar(QWidget& window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* dpy = x11 ? x11->display() : nullptr;
  if (!dpy) return;
  // Sent after Qt's map request on the same connection, so the window manager manages the
  // window first; a mapped window's state changes only by this message (EWMH).
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(window.winId());
  event.xclient.message_type = XInternAtom(dpy, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add
  event.xclient.data.l[1] =
      static_cast<long>(XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False));
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  XFlush(dpy);
}

}  // namespace vesk::forms::qt
