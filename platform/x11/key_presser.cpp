#include "platform/x11/key_presser.h"

#include <X11/extensions/XTest.h>

#include <cstdio>

namespace vesk::platform::x11 {

KeyPresser::KeyPresser(Display* display, LockReader& reader) : display_(display), reader_(reader) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  haveXTest_ = XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor);
}

void KeyPresser::press(LockKey key) {
  if (!haveXTest_) {
    if (!toldMissing_)
      std::fputs(
          "vesk-lights: the X server has no XTEST extension, so lock keys cannot be pressed\n",
          stderr);
    toldMissing_ = true;
    return;
  }
  const KeyCode keycode = reader_.pressKeycode(key);
  // XKB locks Caps and Num Lock at the press; Scroll Lock may be bound to no modifier at all.
  const bool mayLockNothing = key == LockKey::Scroll;
  const bool before = mayLockNothing && reader_.indicatorNow(key);
  if (keycode != 0) {
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    // The server handles XTest input as it reads the request, so after the sync the lock state
    // is final.
    XSync(display_, False);
  }
  if (mayLockNothing && reader_.indicatorNow(key) == before) reader_.setIndicator(key, !before);
  if (onPressed) onPressed(key);
}

}  // namespace vesk::platform::x11
