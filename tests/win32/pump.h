#pragma once
// Waiting in a Win32 test: the thread reads its message queue while it waits, because
// GetKeyState and window state move on only as the thread takes its messages.

#include <windows.h>

#include <chrono>
#include <functional>

namespace vesk::test {

inline bool pumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(10);
  }
}

}  // namespace vesk::test
