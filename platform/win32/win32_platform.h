#pragma once
// The platform seam on Win32: GetKeyState, SendInput, GetForegroundWindow, SetWindowPos and
// ShellExecuteW. Window handles cross the seam as HWND values.

#include "platform/platform.h"

namespace vesk::platform {

class Win32Platform : public Platform {
 public:
  std::uint16_t keyState(LockKey key) override;
  void pressKey(LockKey key) override;
  NativeHandle foregroundWindow() override;
  void setTopmost(NativeHandle window, bool topmost) override;
  void removeTopmost(NativeHandle window) override;
  void startOnScreenKeyboard(NativeHandle owner) override;
};

}  // namespace vesk::platform
