#include "forms/win32/tool_tips.h"

#include <commctrl.h>

#include <map>
#include <utility>

#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {
namespace {

constexpr UINT_PTR kNoteTool = 1;
constexpr UINT kNoteShownFor = 8000;  // ms

// One tooltip window per top-level window and kind; it goes with its owner.
HWND tipFor(HWND owner, bool tracking) {
  static std::map<std::pair<HWND, bool>, HWND> tips;
  HWND& tip = tips[{owner, tracking}];
  if (tip && IsWindow(tip)) return tip;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                        nullptr);
  if (tip) SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
  return tip;
}

// The size every common-controls version takes.
TTTOOLINFOW toolInfo(HWND window, UINT_PTR id, UINT flags, wchar_t* text) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = flags;
  info.hwnd = window;
  info.uId = id;
  info.lpszText = text;
  return info;
}

void CALLBACK hideNote(HWND tip, UINT, UINT_PTR timer, DWORD) {
  KillTimer(tip, timer);
  TTTOOLINFOW info = toolInfo(GetWindow(tip, GW_OWNER), kNoteTool, 0, nullptr);
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

void setControlToolTip(HWND control, const std::string& text) {
  HWND tip = tipFor(GetAncestor(control, GA_ROOT), false);
  if (!tip) return;
  std::wstring wide = ::vesk::win32::toWide(text);
  TTTOOLINFOW info = toolInfo(GetParent(control), reinterpret_cast<UINT_PTR>(control),
                              TTF_IDISHWND | TTF_SUBCLASS, wide.data());
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  if (!text.empty()) SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void showNoteBelow(HWND window, const std::string& text) {
  HWND tip = tipFor(window, true);
  if (!tip) return;
  std::wstring wide = ::vesk::win32::toWide(text);
  TTTOOLINFOW info = toolInfo(window, kNoteTool, TTF_TRACK | TTF_ABSOLUTE, wide.data());
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  RECT outer{};
  GetWindowRect(window, &outer);
  // A little below, as the tooltip may shift itself by its border.
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(outer.left, outer.bottom + 2));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  SetTimer(tip, kNoteTool, kNoteShownFor, hideNote);
}

}  // namespace vesk::forms::win32
