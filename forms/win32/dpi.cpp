#include "forms/win32/dpi.h"

#include <cmath>

#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {

using ::vesk::win32::toWide;
namespace {

// Looked up at run time: these exist only from Windows 10 1607 on, and a direct import would
// keep the program from starting on anything older.
template <typename Fn>
Fn user32Function(const char* name) {
  static HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

UINT screenLogPixels() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

UINT systemDpi() {
  using Fn = UINT(WINAPI*)();
  static const Fn getDpiForSystem = user32Function<Fn>("GetDpiForSystem");
  if (getDpiForSystem) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) return dpi;
  }
  return screenLogPixels();
}

UINT windowDpi(HWND hwnd) {
  using Fn = UINT(WINAPI*)(HWND);
  static const Fn getDpiForWindow = user32Function<Fn>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return dpi;
  }
  return systemDpi();
}

int toPixels(double twips, UINT dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

double toTwips(int pixels, UINT dpi) {
  return pixels * 1440.0 / dpi;
}

HFONT createFont(const Font& font, UINT dpi) {
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, toWide(font.face).c_str());
}

}  // namespace vesk::forms::win32
