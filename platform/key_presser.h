#pragma once
// One part of a composed platform: presses and releases a lock key, as the user would. XTest
// does it in an X11 session, the desktop's remote-desktop portal in a Wayland one.

#include <functional>

#include "platform/platform.h"

namespace vesk::platform {

class KeyPresser {
 public:
  virtual ~KeyPresser() = default;
  // Returns at once; the press may follow later (after the user's consent) or not at all.
  virtual void press(LockKey key) = 0;
  // Told of each press as it goes to the system.
  std::function<void(LockKey)> onPressed;
};

}  // namespace vesk::platform
