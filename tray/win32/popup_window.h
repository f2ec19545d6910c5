#pragma once
// The hidden tray owner and the notice are both plain popups whose messages go to their
// object's own procedure, which finds the object in GWLP_USERDATA.

#include <windows.h>

namespace vesk::tray::win32 {

// A WS_POPUP window of no size, not shown, with `self` as its user data and `proc` as its
// procedure; nullptr when it cannot be made.
HWND makePopup(DWORD exStyle, void* self, WNDPROC proc);

}  // namespace vesk::tray::win32
