#pragma once
// One press and release of a lock key through XTest, as if the user pressed it.

#include <X11/Xlib.h>

#include "platform/key_presser.h"
#include "platform/x11/lock_reader.h"

namespace vesk::platform::x11 {

class KeyPresser final : public platform::KeyPresser {
 public:
  // Looks for XTest once; without it every press does nothing.
  KeyPresser(Display* display, LockReader& reader);

  // Presses and releases the key. Where the keymap binds Scroll Lock to no modifier (the default
  // one does), the press leaves its indicator alone; then the indicator is flipped directly, so
  // the light and the keyboard's LED still follow the user's double-click.
  void press(LockKey key) override;

 private:
  Display* display_;
  LockReader& reader_;
  bool haveXTest_ = false;
  bool toldMissing_ = false;
};

}  // namespace vesk::platform::x11
