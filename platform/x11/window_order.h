#pragma once
// Window order through the EWMH window manager: which window is active, and the keep-above
// state. Without such a manager there is no active window, and keeping above is a raise.

#include <X11/Xlib.h>

#include <optional>

#include "platform/platform.h"

namespace vesk::platform::x11 {

class WindowOrder {
 public:
  explicit WindowOrder(Display* display);

  // The root's _NET_ACTIVE_WINDOW; 0 when it names none or no EWMH manager runs.
  NativeHandle activeWindow();
  // Asks the manager to add or remove _NET_WM_STATE_ABOVE; without one, raises for `above`.
  void setAbove(NativeHandle window, bool above);

 private:
  // A live manager names its check window on the root and on that window itself.
  bool managerRuns();
  std::optional<::Window> windowProperty(::Window of, Atom property);

  Display* display_;
  ::Window root_;
  Atom supportingWmCheck_;
  Atom activeWindow_;
  Atom wmState_;
  Atom wmStateAbove_;
};

}  // namespace vesk::platform::x11
