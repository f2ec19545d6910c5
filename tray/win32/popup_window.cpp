#include "tray/win32/popup_window.h"

namespace vesk::tray::win32 {

HWND makePopup(DWORD exStyle, void* self, WNDPROC proc) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeskLightsPopup";
    return RegisterClassExW(&wc);
  }();
  HWND hwnd = CreateWindowExW(exStyle, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return hwnd;
}

}  // namespace vesk::tray::win32
