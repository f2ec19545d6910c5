#include "platform/fake/fake_platform.h"

namespace vesk::platform::fake {

std::uint16_t FakePlatform::keyState(LockKey key) {
  ++keyStateReads;
  return states[static_cast<int>(key)];
}

void FakePlatform::pressKey(LockKey key) {
  presses.push_back(key);
  // Like a real lock key: a press and release toggles it.
  auto& s = states[static_cast<int>(key)];
  s = s ? 0 : 1;
  if (onPressed) onPressed(key);
}

NativeHandle FakePlatform::foregroundWindow() {
  return foreground;
}

void FakePlatform::setTopmost(NativeHandle window, bool topmost) {
  topmostCalls.emplace_back(window, topmost);
}

void FakePlatform::removeTopmost(NativeHandle window) {
  topmostCalls.emplace_back(window, false);
  quietRemovals.push_back(window);
}

void FakePlatform::startOnScreenKeyboard(NativeHandle owner) {
  keyboardStarts.push_back(owner);
}

}  // namespace vesk::platform::fake
