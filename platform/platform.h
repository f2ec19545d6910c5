#pragma once
// The operating-system seam: lock-key state and presses, window order, and the on-screen
// keyboard. Backends: Win32, X11, and a recording fake.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/forms.h"

namespace vesk::platform {

enum class LockKey { Num, Caps, Scroll };

using forms::NativeHandle;

class Platform {
 public:
  virtual ~Platform() = default;
  // The key-state word: any non-zero word counts as on (toggled on, or held down).
  virtual std::uint16_t keyState(LockKey key) = 0;
  // One press and release of the key, as if the user pressed it.
  virtual void pressKey(LockKey key) = 0;
  // The window that has the foreground, or 0 for none.
  virtual NativeHandle foregroundWindow() = 0;
  // Gives or takes the window's keep-above status, leaving its place and size alone.
  virtual void setTopmost(NativeHandle window, bool topmost) = 0;
  // Takes the keep-above status away without activating any window, so that an open dialog
  // keeps the keyboard (unticking "Always On Top").
  virtual void removeTopmost(NativeHandle window) { setTopmost(window, false); }
  // Starts the system's on-screen keyboard; a failure is not reported to the user.
  virtual void startOnScreenKeyboard(NativeHandle owner) = 0;

  // Nothing while keyState tells the key's state; otherwise one plain sentence saying why this
  // session cannot tell it (keyState then reads 0, which must not be shown as off).
  virtual std::optional<std::string> whyUnknown(LockKey) { return std::nullopt; }
  // A descriptor that turns readable when a lock may have changed, so that the lights can follow
  // at once rather than at the next tick; -1 for none. Reading keyState drains it.
  virtual int changeDescriptor() { return -1; }
  // Receives a sentence for the user, in the window, when an action cannot be done in this
  // session (a lock-key press, no on-screen keyboard installed).
  std::function<void(const std::string&)> onNote;
  // Told of each press the moment it goes to the system: within pressKey for most, once the
  // desktop has agreed for a press through its portal, never for one that was refused.
  std::function<void(LockKey)> onPressed;
};

}  // namespace vesk::platform
