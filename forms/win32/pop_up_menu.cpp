#include "forms/win32/pop_up_menu.h"

#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {

void showPopUpMenu(HWND owner, const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    UINT flags = MF_STRING;
    if (item.checkable && item.checked) flags |= MF_CHECKED;
    if (!item.enabled) flags |= MF_GRAYED;
    // Ids from 1: TrackPopupMenuEx returns 0 for no choice.
    AppendMenuW(menu, flags, i + 1, ::vesk::win32::toWide(item.caption).c_str());
  }
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
  // Lets the menu close properly when it was opened for a window not in the foreground.
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (chosen == 0 || chosen > items.size()) return;
  // A copy: the item's owner may rebuild or drop the list while it runs.
  const auto run = items[chosen - 1].onClick;
  if (run) run();
}

}  // namespace vesk::forms::win32
