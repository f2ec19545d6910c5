#include "platform/win32/win32_platform.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace vesk::platform {
namespace {

int virtualKey(LockKey key) {
  switch (key) {
    case LockKey::Num:
      return VK_NUMLOCK;  // 0x90
    case LockKey::Caps:
      return VK_CAPITAL;  // 0x14
    case LockKey::Scroll:
      return VK_SCROLL;  // 0x91
  }
  return 0;
}

HWND toHwnd(NativeHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

}  // namespace

std::uint16_t Win32Platform::keyState(LockKey key) {
  // The whole word: the toggle bit, and the high bit while the key is held down.
  return static_cast<std::uint16_t>(GetKeyState(virtualKey(key)));
}

void Win32Platform::pressKey(LockKey key) {
  const auto vk = static_cast<WORD>(virtualKey(key));
  // Num Lock sits on the extended part of the keyboard; without the flag some systems read
  // the press as Pause.
  const DWORD extended = key == LockKey::Num ? KEYEVENTF_EXTENDEDKEY : 0;
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = vk;
  inputs[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  inputs[0].ki.dwFlags = extended;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags = extended | KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  if (onPressed) onPressed(key);
}

NativeHandle Win32Platform::foregroundWindow() {
  return reinterpret_cast<NativeHandle>(GetForegroundWindow());
}

void Win32Platform::setTopmost(NativeHandle window, bool topmost) {
  // Exactly these flags: no SWP_NOACTIVATE, as the keeper has always done.
  SetWindowPos(toHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE);
}

void Win32Platform::removeTopmost(NativeHandle window) {
  SetWindowPos(toHwnd(window), HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Win32Platform::startOnScreenKeyboard(NativeHandle owner) {
  // The keyboard asks for elevation; a refusal or failure is not reported.
  ShellExecuteW(toHwnd(owner), L"runas", L"osk.exe", L"", L"", SW_SHOWNORMAL);
}

}  // namespace vesk::platform
