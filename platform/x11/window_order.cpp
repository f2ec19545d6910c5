#include "platform/x11/window_order.h"

#include <X11/Xatom.h>

#include <array>

#include "platform/x11/error_trap.h"

namespace vesk::platform::x11 {
namespace {

// _NET_WM_STATE actions.
constexpr long kRemove = 0;
constexpr long kAdd = 1;
// The request comes from an application, not a pager.
constexpr long kSourceApplication = 1;

}  // namespace

WindowOrder::WindowOrder(Display* display) : display_(display), root_(DefaultRootWindow(display)) {
  std::array<char*, 4> names{
      const_cast<char*>("_NET_SUPPORTING_WM_CHECK"), const_cast<char*>("_NET_ACTIVE_WINDOW"),
      const_cast<char*>("_NET_WM_STATE"), const_cast<char*>("_NET_WM_STATE_ABOVE")};
  std::array<Atom, 4> atoms{};
  XInternAtoms(display_, names.data(), static_cast<int>(names.size()), False, atoms.data());
  supportingWmCheck_ = atoms[0];
  activeWindow_ = atoms[1];
  wmState_ = atoms[2];
  wmStateAbove_ = atoms[3];
}

std::optional<::Window> WindowOrder::windowProperty(::Window of, Atom property) {
  ErrorCheck check(display_);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display_, of, property, 0, 1, False, XA_WINDOW, &type,
                                        &format, &count, &after, &data);
  std::optional<::Window> result;
  if (status == Success && type == XA_WINDOW && format == 32 && count == 1 && data)
    result = static_cast<::Window>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  // `of` may be the check window of a manager that has gone.
  if (check.failed()) return std::nullopt;
  return result;
}

bool WindowOrder::managerRuns() {
  const auto check = windowProperty(root_, supportingWmCheck_);
  if (!check || *check == None) return false;
  return windowProperty(*check, supportingWmCheck_) == check;
}

NativeHandle WindowOrder::activeWindow() {
  if (!managerRuns()) return 0;
  return windowProperty(root_, activeWindow_).value_or(None);
}

void WindowOrder::setAbove(NativeHandle window, bool above) {
  if (window == 0) return;
  if (managerRuns()) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(window);
    event.xclient.message_type = wmState_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = above ? kAdd : kRemove;
    event.xclient.data.l[1] = static_cast<long>(wmStateAbove_);
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = kSourceApplication;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else if (above) {
    XRaiseWindow(display_, static_cast<::Window>(window));
  }
  XFlush(display_);
}

}  // namespace vesk::platform::x11
