#include "forms/win32/win32_elements.h"

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

HBRUSH Control::colours(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

Win32Label::Win32Label(HWND hwnd, int id, const LabelSpec& spec)
    : Control(hwnd, id, spec.place, spec.font, std::nullopt),
      caption_(spec.caption),
      back_(spec.back),
      text_(spec.text) {
  if (back_) brush_ = CreateSolidBrush(*back_);
}

Win32Label::~Win32Label() {
  if (brush_) DeleteObject(brush_);
}

void Win32Label::setCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, toWide(caption).c_str());
}

void Win32Label::setBackColour(Colour colour) {
  if (back_ == colour) return;  // the refresh sets it every tick; repaint only on a change
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

void Win32Button::setVisible(bool visible) {
  applyVisible(hwnd_, visible_, visible);
}

void Win32Button::command(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

Win32CheckBox::Win32CheckBox(HWND hwnd, int id, const CheckBoxSpec& spec)
    : Control(hwnd, id, spec.place, spec.font, spec.tabIndex) {
  setValue(spec.value);
}

void Win32CheckBox::setValue(int value) {
  value_ = value;
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
