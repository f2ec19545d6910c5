#include "forms/qt/frame_extents.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vesk::forms::qt {
namespace {

// A stale window id (a window manager that has gone) is an error we expect and ignore.
int ignoreErrors(Display*, XErrorEvent*) {
  return 0;
}

std::vector<unsigned long> property(Display* dpy, Window window, Atom name, Atom type) {
  std::vector<unsigned long> values;
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, window, name, 0, 4096, False, type, &actualType, &format, &count,
                         &remaining, &data) == Success &&
      data) {
    if (actualType == type && format == 32) {
      // Xlib hands 32-bit items over as longs.
      const auto* items = reinterpret_cast<const unsigned long*>(data);
      values.assign(items, items + count);
    }
    XFree(data);
  }
  return values;
}

// An EWMH window manager is running (its check window names itself) and takes the request.
bool managerTakesRequest(Display* dpy, Window root, Atom request) {
  const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  const auto manager = property(dpy, root, check, XA_WINDOW);
  if (manager.empty()) return false;
  const auto self = property(dpy, manager.front(), check, XA_WINDOW);
  if (self.empty() || self.front() != manager.front()) return false;
  const auto supported = property(dpy, root, XInternAtom(dpy, "_NET_SUPPORTED", False), XA_ATOM);
  return std::find(supported.begin(), supported.end(), request) != supported.end();
}

std::optional<FrameExtents> read(Display* dpy, Window window, Atom extents) {
  const auto v = property(dpy, window, extents, XA_CARDINAL);
  if (v.size() != 4) return std::nullopt;
  return FrameExtents{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                      static_cast<int>(v[3])};
}

std::optional<FrameExtents> ask(Display* dpy, Window window) {
  using Clock = std::chrono::steady_clock;
  const Window root = DefaultRootWindow(dpy);
  const Atom request = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
  const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
  if (!managerTakesRequest(dpy, root, request)) return std::nullopt;

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = request;
  event.xclient.format = 32;
  XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(dpy);

  // The manager answers by setting _NET_FRAME_EXTENTS on the window, within a millisecond or
  // two here; a manager that never answers costs this wait once (the toolkit keeps the result).
  const auto deadline = Clock::now() + std::chrono::milliseconds(300);
  do {
    if (auto answer = read(dpy, window, extents)) return answer;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  } while (Clock::now() < deadline);
  return std::nullopt;
}

Display* display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

}  // namespace

std::optional<FrameExtents> frameExtents(QWidget& window) {
  Display* dpy = display();
  if (!dpy) return std::nullopt;
  return read(dpy, static_cast<Window>(window.winId()),
              XInternAtom(dpy, "_NET_FRAME_EXTENTS", False));
}

std::optional<FrameExtents> requestFrameExtents(QWidget& window) {
  Display* dpy = display();
  if (!dpy) return std::nullopt;
  const auto id = static_cast<Window>(window.winId());
  auto* previous = XSetErrorHandler(ignoreErrors);
  auto result = ask(dpy, id);
  XSync(dpy, False);
  XSetErrorHandler(previous);
  return result;
}

}  // namespace vesk::forms::qt
