#pragma once
// A recording platform: key states set by the test, every call logged.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vesk::platform::fake {

class FakePlatform : public Platform {
 public:
  std::uint16_t keyState(LockKey key) override;
  void pressKey(LockKey key) override;
  NativeHandle foregroundWindow() override;
  void setTopmost(NativeHandle window, bool topmost) override;
  void removeTopmost(NativeHandle window) override;  // logged in both lists
  void startOnScreenKeyboard(NativeHandle owner) override;
  std::optional<std::string> whyUnknown(LockKey key) override {
    return unknown[static_cast<int>(key)];
  }

  std::array<std::uint16_t, 3> states{};
  NativeHandle foreground = 0;
  std::vector<LockKey> presses;
  std::vector<std::pair<NativeHandle, bool>> topmostCalls;
  std::vector<NativeHandle> quietRemovals;
  std::vector<NativeHandle> keyboardStarts;
  int keyStateReads = 0;
  std::array<std::optional<std::string>, 3> unknown;  // set: that key's state cannot be known
};

}  // namespace vesk::platform::fake
