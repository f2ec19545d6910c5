#pragma once
// The state of the three lock keys as the X server keeps it: each key's named XKB indicator and
// whether one of the key's keycodes is held down.
//
// The indicators come from XKB indicator events and the held keys from XInput2 raw key events on
// the root window, both queued on our connection and drained without a round trip: a tick reads
// the local copy, as reading a key-state table does, and asks the server nothing. The
// connection raises SIGIO when anything comes (platform/sigio), so a read while nothing has
// come makes no system call either.

#include <X11/Xlib.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "platform/lock_source.h"

namespace vesk::platform::x11 {

class LockReader final : public LockSource {
 public:
  // The connection must have XKB; events on it are read here, so nothing else may consume them.
  // Without XInput2 the held keys come from one XQueryKeymap a tick instead.
  explicit LockReader(Display* display);

  // 0x0001 while the key's indicator is lit, 0x8000 while the key is held down.
  std::uint16_t keyState(LockKey key) override;
  // The connection's socket: readable when an XKB or key event has come.
  int changeDescriptor() override { return ConnectionNumber(display_); }

  // The indicator as the server has it right now (one round trip), for before/after checks.
  bool indicatorNow(LockKey key);
  // Sets the named indicator directly, as `xset led named` does.
  void setIndicator(LockKey key, bool on);
  // The keycode that a press of this key sends, 0 when the keymap has none.
  KeyCode pressKeycode(LockKey key);

 private:
  struct KeyInfo {
    Atom indicatorName = None;
    int indicatorIndex = -1;        // -1: the keymap has no indicator of that name
    std::vector<KeyCode> keycodes;  // every keycode bound to the key's keysym
    KeyCode pressKeycode = 0;
    bool toldMissing = false;  // a missing indicator is reported once
  };

  void lookUp();
  // Handles what has come on the connection, if anything may have.
  void catchUp();
  // Handles the events already read (mode QueuedAlready) or also those waiting on the socket.
  void drainEvents(int mode);
  // Asks the server which keys are down (one round trip).
  void queryHeld();
  void handleRawKey(XEvent& event);
  bool held(const KeyInfo& info) const;

  Display* display_;
  int xkbEventBase_ = 0;
  std::array<KeyInfo, 3> keys_;
  unsigned int indicatorState_ = 0;
  bool stale_ = true;  // the keymap changed: look the keycodes and indicators up again
  int xiOpcode_ = -1;  // -1: no XInput2, the held keys are asked for at each read
  std::bitset<256> down_;
  bool signalled_ = false;  // SIGIO tells when something comes; else every read looks
  bool first_ = true;
  unsigned seen_ = 0;  // the SIGIO count at the last look
};

}  // namespace vesk::platform::x11
