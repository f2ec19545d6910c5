#pragma once
// The state of the three lock keys as the X server keeps it: each key's named XKB indicator and
// whether one of the key's keycodes is held down.
//
// A tick reads all three keys. The indicators come from XKB indicator events, queued on our
// connection and drained without a round trip; the held keys come from one XQueryKeymap, which
// the calls of one tick share. So a tick costs one round trip, like reading a key-state table.

#include <X11/Xlib.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace vesk::platform::x11 {

class LockReader {
 public:
  // The connection must have XKB; events on it are read here, so nothing else may consume them.
  explicit LockReader(Display* display);

  // 0x0001 while the key's indicator is lit, 0x8000 while the key is held down.
  std::uint16_t keyState(LockKey key);

  // The indicator as the server has it right now (one round trip), for before/after checks.
  bool indicatorNow(LockKey key);
  // Sets the named indicator directly, as `xset led named` does.
  void setIndicator(LockKey key, bool on);
  // The keycode that a press of this key sends, 0 when the keymap has none.
  KeyCode pressKeycode(LockKey key);

  // How long one XQueryKeymap answers for the held state: shorter than a tick, longer than the
  // three calls of one tick.
  static constexpr std::chrono::milliseconds kHeldCacheTime{15};

 private:
  struct KeyInfo {
    Atom indicatorName = None;
    int indicatorIndex = -1;        // -1: the keymap has no indicator of that name
    std::vector<KeyCode> keycodes;  // every keycode bound to the key's keysym
    KeyCode pressKeycode = 0;
    bool toldMissing = false;  // a missing indicator is reported once
  };

  void lookUp();
  // Handles the events already read (mode QueuedAlready) or also those waiting on the socket.
  void drainEvents(int mode);
  // Asks for the held keys at most once per kHeldCacheTime; the same round trip brings in every
  // indicator event sent before its reply.
  void refreshHeld();
  bool held(const KeyInfo& info) const;

  Display* display_;
  int xkbEventBase_ = 0;
  std::array<KeyInfo, 3> keys_;
  unsigned int indicatorState_ = 0;
  bool stale_ = true;  // the keymap changed: look the keycodes and indicators up again
  char keymap_[32] = {};
  std::chrono::steady_clock::time_point keymapAt_{};
  bool keymapValid_ = false;
};

}  // namespace vesk::platform::x11
