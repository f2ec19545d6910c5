#include "tray/win32/win32_tray_icon.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "forms/win32/pop_up_menu.h"
#include "platform/win32/wide_text.h"
#include "tray/segments.h"
#include "tray/win32/popup_window.h"

namespace vesk::tray::win32 {
namespace {

constexpr UINT kCallback = WM_APP + 12;
constexpr UINT kIconId = 1;
UINT taskbarCreated() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// The picture at the small-icon size the shell asks for, with an alpha channel.
HICON drawIcon(const TrayPicture& picture) {
  const int side = GetSystemMetrics(SM_CXSMICON);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!colour || !bits) return nullptr;
  auto* px = static_cast<std::uint32_t*>(bits);
  std::fill(px, px + side * side, 0u);  // transparent
  const auto bars = segmentBars(side, side);
  for (int i = 0; i < 3; ++i) {
    const forms::Colour c = picture.segments[i];  // 0x00BBGGRR
    const std::uint32_t fill = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    const Bar& b = bars[i];
    for (int y = b.top; y < b.top + b.height; ++y) {
      for (int x = b.left; x < b.left + b.width; ++x) {
        const bool edge =
            x == b.left || y == b.top || x == b.left + b.width - 1 || y == b.top + b.height - 1;
        if (x >= 0 && y >= 0 && x < side && y < side) px[y * side + x] = edge ? 0xFF000000u : fill;
      }
    }
  }
  std::vector<BYTE> maskBits(((side + 15) / 16) * 2 * side, 0);
  HBITMAP mask = CreateBitmap(side, side, 1, 1, maskBits.data());
  ICONINFO ii{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

}  // namespace

Win32TrayIcon::Win32TrayIcon() {
  // Top-level but never shown: a message-only window would not hear the shell's broadcast.
  hwnd_ = makePopup(WS_EX_TOOLWINDOW, this, &Win32TrayIcon::proc);
  shell_ = FindWindowW(L"Shell_TrayWnd", nullptr);
}

Win32TrayIcon::~Win32TrayIcon() {
  hide();
  if (hwnd_) DestroyWindow(hwnd_);
  if (icon_) DestroyIcon(icon_);
}

bool Win32TrayIcon::available() const {
  // Asked at every tick: IsWindow reads the window table, where a search would ask the system.
  return shell_ && IsWindow(shell_);
}

bool Win32TrayIcon::add() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd_;
  nid.uID = kIconId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  nid.uCallbackMessage = kCallback;
  nid.hIcon = icon_;
  std::wcsncpy(nid.szTip, vesk::win32::toWide(picture_.toolTip).c_str(), std::size(nid.szTip) - 1);
  if (!Shell_NotifyIconW(shown_ ? NIM_MODIFY : NIM_ADD, &nid)) return false;
  if (!shown_) {
    nid.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &nid);
  }
  return true;
}

void Win32TrayIcon::show(const TrayPicture& picture) {
  if (!hwnd_) return;
  HICON old = icon_;
  picture_ = picture;
  icon_ = drawIcon(picture);
  shown_ = add() || shown_;
  if (old) DestroyIcon(old);
}

void Win32TrayIcon::hide() {
  if (!shown_) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd_;
  nid.uID = kIconId;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  shown_ = false;
}

LRESULT CALLBACK Win32TrayIcon::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Win32TrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32TrayIcon::handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCallback) {
    // Version 4: the event in the low word of lParam.
    switch (LOWORD(lp)) {
      case NIN_SELECT:
      case NIN_KEYSELECT:
        if (onClick) onClick();
        break;
      case WM_CONTEXTMENU:
        // Owned by our window, which takes the foreground while it shows: otherwise the menu
        // stays open after a click elsewhere. At the place the shell gives: the mouse for a
        // right-click, the icon for the keyboard's Menu key or Shift+F10.
        if (onContextMenu) {
          const POINT at{GET_X_LPARAM(wp), GET_Y_LPARAM(wp)};
          forms::win32::showPopUpMenu(hwnd_, onContextMenu(), at);
        }
        break;
    }
    return 0;
  }
  if (msg == taskbarCreated()) {
    shell_ = FindWindowW(L"Shell_TrayWnd", nullptr);  // a shell has started, or started again
    if (shown_) {
      shown_ = false;  // the new shell has none of our icons
      shown_ = add();
    }
    return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vesk::tray::win32
