#pragma once
// Tooltips from the common controls: one over a control while the pointer rests there, and a
// note shown below a window for a few seconds. Neither takes the keyboard.

#include <windows.h>

#include <string>

namespace vesk::forms::win32 {

// Empty text removes the control's tooltip.
void setControlToolTip(HWND control, const std::string& text);
void showNoteBelow(HWND window, const std::string& text);

}  // namespace vesk::forms::win32
