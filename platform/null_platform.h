#pragma once
#include "platform/platform.h"

namespace vesk::platform {

// For a display without a window system to ask (Qt's offscreen platform): every lock key reads
// as off, and nothing is pressed, raised or started.
class NullPlatform : public Platform {
 public:
  std::uint16_t keyState(LockKey) override { return 0; }
  void pressKey(LockKey) override {}
  NativeHandle foregroundWindow() override { return 0; }
  void setTopmost(NativeHandle, bool) override {}
  void startOnScreenKeyboard(NativeHandle) override {}
};

}  // namespace vesk::platform
