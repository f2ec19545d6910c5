#include "forms/win32/pop_up_menu.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {

void showPopUpMenu(HWND owner, const std::vector<MenuItem>& items, std::optional<POINT> at) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    UINT flags = MF_STRING;
    if (item.checkable && item.checked) flags |= MF_CHECKED;
    if (!item.enabled) flags |= MF_GRAYED;
    // Ids from 1: TrackPopupMenuEx returns 0 for no choice.
    AppendMenuW(menu, flags, i + 1, ::vesk::win32::toWide(item.caption).c_str());
    // A Win32 menu shows no tooltips: what the tooltip says (why, for a failure or a disabled
    // item) shows greyed beneath the item.
    if (!item.toolTip.empty()) {
      std::wstring note;
      for (wchar_t c : ::vesk::win32::toWide(item.toolTip))
        note += c == L'&' ? L"&&" : std::wstring(1, c);
      AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, note.c_str());
    }
  }
  POINT place{};
  if (at) {
    place = *at;
  } else {
    GetCursorPos(&place);
  }
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, place.x, place.y, owner, nullptr));
  // Lets the menu close properly when it was opened for a window not in the foreground.
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (chosen == 0 || chosen > items.size()) return;
  // A copy: the item's owner may rebuild or drop the list while it runs.
  const auto run = items[chosen - 1].onClick;
  if (run) run();
}

}  // namespace vesk::forms::win32
