// The window procedure: what each message means for the window and its elements.

#include <memory>

#include "forms/win32/dpi.h"
#include "forms/win32/pop_up_menu.h"
#include "forms/win32/win32_window.h"

namespace vesk::forms::win32 {
namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, newer than some SDK headers

}  // namespace

LRESULT CALLBACK Win32Window::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32Window::onClose() {
  if (closing_) return 0;
  closing_ = true;
  std::weak_ptr<bool> alive = life_;
  if (onUnload) onUnload();
  if (!alive.expired()) destroy();
  return 0;
}

void Win32Window::onDpiChanged(const RECT* suggested) {
  // A move by our own setOuterGeometry converts again itself; a drag takes the system's size.
  if (!placing_ && suggested) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!placing_) placed_.reset();
  const UINT dpi = windowDpi(hwnd_);
  for (const auto& c : controls_) placeChild(*c, dpi);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp != 0) {
        if (Control* c = control(LOWORD(wp))) c->command(HIWORD(wp));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (Control* c = control(reinterpret_cast<HWND>(lp))) {
        return reinterpret_cast<LRESULT>(c->colours(reinterpret_cast<HDC>(wp)));
      }
      break;
    case WM_LBUTTONDBLCLK:
      // Reaches us only from the background: visible controls take their own clicks, hidden
      // ones take none.
      if (onDblClick) onDblClick();
      return 0;
    case WM_CONTEXTMENU: {
      // Ours when it comes from the client area: a child control (a light, the button)
      // passes its right-click up with itself in wp; the caption keeps its system menu. The
      // Menu key and Shift+F10 (at -1, -1) may come from the focused control, and open the
      // menu at the window, wherever the mouse is.
      const auto from = reinterpret_cast<HWND>(wp);
      const bool fromKeys = LOWORD(lp) == 0xFFFF && HIWORD(lp) == 0xFFFF;
      const bool ours =
          fromKeys ? from == hwnd_ || IsChild(hwnd_, from)
                   : from == hwnd_ && DefWindowProcW(hwnd_, WM_NCHITTEST, 0, lp) == HTCLIENT;
      if (!ours || !onContextMenu) break;
      POINT corner{};
      ClientToScreen(hwnd_, &corner);
      const auto build = onContextMenu;  // this window may go while the menu runs
      showPopUpMenu(hwnd_, build(), fromKeys ? std::optional<POINT>(corner) : std::nullopt);
      return 0;
    }
    case WM_TIMER:
      for (const auto& t : timers_) {
        if (t->id() == wp && t->isEnabled() && t->interval() > 0) {
          if (t->onTimer) t->onTimer();
          return 0;
        }
      }
      return 0;
    case WM_CLOSE:
      return onClose();
    case WM_ENDSESSION:
      // The session ends without a close: store what a close would have stored.
      if (wp && !closing_) {
        closing_ = true;
        if (onUnload) onUnload();
      }
      return 0;
    case WM_ACTIVATE:
      // A plain window forgets its focused control when deactivated; keep it for the return.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsChild(hwnd_, lastFocus_) && IsWindowVisible(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case DM_GETDEFID: {
      // Enter clicks the focused push button.
      HWND focus = GetFocus();
      Control* c = focus ? control(focus) : nullptr;
      if (c && dynamic_cast<Win32Button*>(c)) return MAKELRESULT(c->id(), DC_HASDEFID);
      return 0;
    }
    case kDpiChanged:
      onDpiChanged(reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcW(hwnd_, msg, wp, lp);
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      ended();
      return result;
    }
    case WM_DESTROY:
      outerGeometry();  // the last place stays readable
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vesk::forms::win32
