#pragma once
// Waiting and input in a Win32 test. The thread reads its message queue while it waits,
// because key state and window state move on only as the thread takes its messages.

#include <windows.h>

#include <functional>

namespace vesk::test {

// Dispatches messages for up to `ms` milliseconds, or until `done` gives true; says whether it
// did. Tab, Enter and Space go to the dialog manager, as in the toolkit's own loop.
inline bool pump(int ms, const std::function<bool()>& done = {}) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && IsDialogMessageW(root, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done && done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// One real key event, as from the keyboard.
inline void sendKey(WORD virtualKey, DWORD flags = 0) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

}  // namespace vesk::test
