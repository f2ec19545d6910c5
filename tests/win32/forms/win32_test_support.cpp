#include "win32_test_support.h"

namespace vesk::forms::win32::test {

void pump(int ms, const std::function<bool()>& done) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && IsDialogMessageW(root, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done && done()) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

HWND hwndOf(const Window& window) {
  return reinterpret_cast<HWND>(window.handle());
}

HWND findChild(const Window& window, const wchar_t* windowClass, const wchar_t* text) {
  return FindWindowExW(hwndOf(window), nullptr, windowClass, text);
}

RECT placeInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT centreOnScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

COLORREF pixelAt(HWND hwnd, int x, int y) {
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

int countPixels(HWND hwnd, COLORREF colour, int* lowestRow) {
  UpdateWindow(hwnd);
  RECT r{};
  GetClientRect(hwnd, &r);
  HDC dc = GetDC(hwnd);
  int count = 0;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) {
      if (GetPixel(dc, x, y) != colour) continue;
      ++count;
      if (lowestRow) *lowestRow = y;
    }
  }
  ReleaseDC(hwnd, dc);
  return count;
}

void clickAt(POINT screen, int clicks) {
  SetCursorPos(screen.x, screen.y);
  for (int i = 0; i < clicks; ++i) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    pump(30);
  }
}

void pressKey(WORD virtualKey) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = virtualKey;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

bool screenIs96Dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi == 96;
}

}  // namespace vesk::forms::win32::test
