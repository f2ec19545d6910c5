#pragma once
// Driving the Win32 windowing backend under Wine: finding controls, reading painted pixels and
// real mouse input. Places are written in twips for 96 DPI, 15 twips a pixel.

#include <gtest/gtest.h>

#include <memory>

#include "forms/win32/win32_toolkit.h"
#include "win32_test_support.h"

namespace vesk::forms::win32::test {

using ::vesk::test::pump;
using ::vesk::test::sendKey;

inline HWND hwndOf(const Window& window) {
  return reinterpret_cast<HWND>(window.handle());
}

// The child control of that class with that text.
inline HWND findChild(const Window& window, const wchar_t* windowClass, const wchar_t* text) {
  return FindWindowExW(hwndOf(window), nullptr, windowClass, text);
}

// Painted colour at client coordinates, after any pending repaint.
inline COLORREF pixelAt(HWND hwnd, int x, int y) {
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return colour;
}

// How many client pixels have exactly that colour, and the row of the lowest one.
inline int countPixels(HWND hwnd, COLORREF colour, int* lowestRow = nullptr) {
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

inline void doubleClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  for (int i = 0; i < 2; ++i) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    pump(30);
  }
}

class FormsTest : public testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "places are written for 96 DPI";
  }
  std::unique_ptr<Window> make(const Rect& place) {
    auto window = toolkit.createWindow({"TEST", "VESK-LIGHTS"});
    window->setOuterGeometry(place);
    return window;
  }
  Win32Toolkit toolkit;
};

}  // namespace vesk::forms::win32::test
