#pragma once
// Xlib's default error handler ends the process. A window can go away between our query and
// our use of it, so errors on our own connections are counted instead of fatal; errors on any
// other connection go on to the handler that was there before.

#include <X11/Xlib.h>

namespace vesk::platform::x11 {

// Counts the errors of this connection from now on, until it is closed.
void trapErrors(Display* display);
void untrapErrors(Display* display);

// Whether the server reported an error for this connection since `mark` (one round trip).
class ErrorCheck {
 public:
  explicit ErrorCheck(Display* display);
  bool failed();

 private:
  Display* display_;
  unsigned long mark_;
};

}  // namespace vesk::platform::x11
