#include "forms/win32/message_loop.h"

#include "forms/win32/win32_window.h"

namespace vesk::forms::win32 {

bool pumpMessage(int& quitCode) {
  MSG msg{};
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    quitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return false;
  }
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && Win32Window::isOurs(root) && IsDialogMessageW(root, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace vesk::forms::win32
