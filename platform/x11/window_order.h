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
  // False when the manager cannot keep the window above: it does not list the state as
  // supported (sway), or this shown window has not been above since it was first asked.
  bool setAbove(NativeHandle window, bool above);

 private:
  // A live manager names its check window on the root and on that window itself.
  bool managerRuns();
  std::optional<::Window> windowProperty(::Window of, Atom property);
  bool hasAtom(::Window of, Atom property, Atom atom);
  bool viewable(::Window window);

  Display* display_;
  ::Window root_;
  Atom supportingWmCheck_;
  Atom activeWindow_;
  Atom wmState_;
  Atom wmStateAbove_;
  Atom supported_;
  ::Window askedAbove_ = 0;  // the window last asked to be kept above, until asked otherwise
  bool heldAbove_ = false;   // and whether it has been above since
};

}  // namespace vesk::platform::x11
