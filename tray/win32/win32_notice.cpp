#include "tray/win32/win32_notice.h"

#include "platform/win32/wide_text.h"
#include "tray/win32/popup_window.h"

namespace vesk::tray::win32 {
namespace {

constexpr UINT_PTR kHideTimer = 1;

bool dark(forms::Colour c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return r * 299 + g * 587 + b * 114 < 128000;
}

}  // namespace

Win32Notice::Win32Notice() {
  // Layered and transparent: clicks go to the window below. No activation, ever.
  hwnd_ = makePopup(
      WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT, this,
      &Win32Notice::proc);
  if (!hwnd_) return;
  SetLayeredWindowAttributes(hwnd_, 0, 255, LWA_ALPHA);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight *= 2;
  face.lfWeight = FW_BOLD;
  font_ = CreateFontIndirectW(&face);
}

Win32Notice::~Win32Notice() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

void Win32Notice::show(const std::string& text, forms::Colour back, int milliseconds) {
  if (!hwnd_) return;
  text_ = vesk::win32::toWide(text);
  back_ = back;
  SetWindowTextW(hwnd_, text_.c_str());

  SIZE extent{};
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_);
  GetTextExtentPoint32W(dc, text_.c_str(), static_cast<int>(text_.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int height = extent.cy * 2, width = extent.cx + height;

  POINT mouse{};
  GetCursorPos(&mouse);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(mouse, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int left = (work.left + work.right - width) / 2;
  const int top = work.bottom - (work.bottom - work.top) / 8 - height;
  SetWindowPos(hwnd_, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd_, nullptr, TRUE);
  // A notice shown meanwhile replaces this one and starts its time afresh.
  SetTimer(hwnd_, kHideTimer, static_cast<UINT>(milliseconds), nullptr);
}

void Win32Notice::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  HBRUSH brush = CreateSolidBrush(back_);  // COLORREF is 0x00BBGGRR too
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, dark(back_) ? RGB(255, 255, 255) : RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, font_);
  DrawTextW(dc, text_.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK Win32Notice::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Win32Notice*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT:
      self->paint();
      return 0;
    case WM_TIMER:
      if (wp != kHideTimer) break;
      KillTimer(hwnd, kHideTimer);
      ShowWindow(hwnd, SW_HIDE);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vesk::tray::win32
