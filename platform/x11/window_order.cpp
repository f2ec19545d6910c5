#include "platform/x11/window_order.h"

#include <X11/Xatom.h>

#include <algorithm>
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
  std::array<char*, 5> names{
      const_cast<char*>("_NET_SUPPORTING_WM_CHECK"), const_cast<char*>("_NET_ACTIVE_WINDOW"),
      const_cast<char*>("_NET_WM_STATE"), const_cast<char*>("_NET_WM_STATE_ABOVE"),
      const_cast<char*>("_NET_SUPPORTED")};
  std::array<Atom, 5> atoms{};
  XInternAtoms(display_, names.data(), static_cast<int>(names.size()), False, atoms.data());
  supportingWmCheck_ = atoms[0];
  activeWindow_ = atoms[1];
  wmState_ = atoms[2];
  wmStateAbove_ = atoms[3];
  supported_ = atoms[4];
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

bool WindowOrder::hasAtom(::Window of, Atom property, Atom atom) {
  ErrorCheck check(display_);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(display_, of, property, 0, 1024, False, XA_ATOM, &type, &format, &count,
                         &after, &data) == Success &&
      type == XA_ATOM && format == 32 && data) {
    const auto* atoms = reinterpret_cast<const unsigned long*>(data);  // Xlib's 32-bit items
    found = std::find(atoms, atoms + count, atom) != atoms + count;
  }
  if (data) XFree(data);
  return found && !check.failed();
}

bool WindowOrder::viewable(::Window window) {
  ErrorCheck check(display_);
  XWindowAttributes attributes{};
  const bool got = XGetWindowAttributes(display_, window, &attributes) != 0;
  return got && !check.failed() && attributes.map_state == IsViewable;
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

bool WindowOrder::setAbove(NativeHandle window, bool above) {
  if (window == 0) return true;
  const auto id = static_cast<::Window>(window);
  bool keeps = true;
  if (managerRuns()) {
    // A manager applies the state at once. A hidden window shows none; one the user took out
    // of it has held it.
    if (above && askedAbove_ == id && !heldAbove_ && viewable(id)) {
      heldAbove_ = hasAtom(id, wmState_, wmStateAbove_);
      keeps = heldAbove_;
    }
    if (above) keeps = keeps && hasAtom(root_, supported_, wmStateAbove_);
    if (above && askedAbove_ != id) heldAbove_ = false;
    if (above || askedAbove_ == id) askedAbove_ = above ? id : 0;
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
  return keeps;
}

}  // namespace vesk::platform::x11
