#include "forms/win32/win32_elements.h"

#include <commctrl.h>

#include "forms/win32/tool_tips.h"
#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {

using ::vesk::win32::toWide;
namespace {

// Hides or shows a control only on a change: the refresh sets every element's visibility ten
// times a second, and a repaint each time would flicker.
void applyVisible(HWND hwnd, bool& current, bool wanted) {
  if (current == wanted) return;
  current = wanted;
  if (hwnd) ShowWindow(hwnd, wanted ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

Control::~Control() {
  if (spoken_ && hwnd_) RemoveWindowSubclass(hwnd_, subclassProc, 0);
}

void Control::speak(std::wstring name, Spoken::Role role) {
  spoken_ = std::make_shared<Spoken>(Spoken{std::move(name), L"", role});
  if (hwnd_) SetWindowSubclass(hwnd_, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK Control::subclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR self) {
  return reinterpret_cast<Control*>(self)->message(msg, wp, lp);
}

LRESULT Control::message(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETOBJECT) {
    if (const LRESULT answer = answerGetObject(hwnd_, wp, lp, spoken_)) return answer;
  }
  return DefSubclassProc(hwnd_, msg, wp, lp);
}

HBRUSH Control::colours(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

Win32Label::Win32Label(HWND hwnd, int id, const LabelSpec& spec)
    : Control(hwnd, id, spec.place, spec.font, spec.tabIndex),
      caption_(spec.caption),
      back_(spec.back),
      text_(spec.text) {
  if (back_) brush_ = CreateSolidBrush(*back_);
  speak(toWide(spec.accessibleName), spec.tabIndex ? Spoken::Role::Link : Spoken::Role::Text);
}

Win32Label::~Win32Label() {
  if (brush_) DeleteObject(brush_);
}

void Win32Label::setCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, toWide(caption).c_str());
}

void Win32Label::setBackColour(Colour colour) {
  if (back_ == colour) return;  // repaint only on a change, whoever sets it
  back_ = colour;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(colour);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Label::setVisible(bool visible) {
  applyVisible(hwnd_, visible_, visible);
}

void Win32Label::setToolTip(const std::string& text) {
  if (hwnd_) setControlToolTip(hwnd_, text);
}

void Win32Label::setAccessibleState(const std::string& words) {
  std::wstring state = toWide(words);
  if (state == spoken_->state) return;
  spoken_->state = std::move(state);
  if (hwnd_) announceState(hwnd_);
}

LRESULT Win32Label::message(UINT msg, WPARAM wp, LPARAM lp) {
  if (!tabIndex()) return Control::message(msg, wp, lp);
  const auto* key = reinterpret_cast<const MSG*>(lp);
  switch (msg) {
    case WM_GETDLGCODE:  // Enter and Space come here rather than to the dialog manager
      if (key && key->message == WM_KEYDOWN &&
          (key->wParam == VK_RETURN || key->wParam == VK_SPACE))
        return DLGC_WANTMESSAGE;
      break;
    case WM_KEYDOWN:
      if (wp == VK_RETURN || wp == VK_SPACE) {
        command(STN_CLICKED);
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:  // a STATIC paints its new text at once, without the frame
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(hwnd_, msg, wp, lp);
      if (GetFocus() == hwnd_) {
        RECT inside{};
        GetClientRect(hwnd_, &inside);
        InflateRect(&inside, -2, -2);
        HDC dc = GetDC(hwnd_);
        DrawFocusRect(dc, &inside);
        ReleaseDC(hwnd_, dc);
      }
      return painted;
    }
    default:
      break;
  }
  return Control::message(msg, wp, lp);
}

void Win32Label::command(WORD code) {
  if (code == STN_CLICKED && onClick) onClick();
  if (code == STN_DBLCLK && onDblClick) onDblClick();
}

HBRUSH Win32Label::colours(HDC dc) {
  if (!back_) {
    Control::colours(dc);
  } else {
    SetBkColor(dc, *back_);
  }
  SetTextColor(dc, text_ ? *text_ : GetSysColor(COLOR_BTNTEXT));
  return back_ ? brush_ : GetSysColorBrush(COLOR_BTNFACE);
}

Win32Button::Win32Button(HWND hwnd, int id, const ButtonSpec& spec)
    : Control(hwnd, id, spec.place, spec.font, spec.tabIndex) {
  speak(toWide(spec.accessibleName), Spoken::Role::Button);
}

void Win32Button::setVisible(bool visible) {
  applyVisible(hwnd_, visible_, visible);
}

void Win32Button::command(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

Win32CheckBox::Win32CheckBox(HWND hwnd, int id, const CheckBoxSpec& spec)
    : Control(hwnd, id, spec.place, spec.font, spec.tabIndex) {
  speak(L"", Spoken::Role::CheckBox);
  setValue(spec.value);
}

void Win32CheckBox::setValue(int value) {
  value_ = value;
  spoken_->check = value;
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, state, 0);
}

// A three-state box leaves its state to its owner: a click on a greyed box checks it, as a
// click on a checked one clears it.
void Win32CheckBox::command(WORD code) {
  if (code != BN_CLICKED) return;
  setValue(value_ == 1 ? 0 : 1);
  if (onClick) onClick();
}

void Win32Timer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  apply();
}

void Win32Timer::setEnabled(bool enabled) {
  enabled_ = enabled;
  apply();
}

void Win32Timer::apply() {
  if (!owner_) return;
  if (enabled_ && interval_ > 0) {
    SetTimer(owner_, id_, static_cast<UINT>(interval_), nullptr);
  } else {
    KillTimer(owner_, id_);
  }
}

}  // namespace vesk::forms::win32
