#pragma once
// The message pump shared by the event loop and the modal loops.

#include <windows.h>

namespace vesk::forms::win32 {

// Waits for the next message and dispatches it; false once WM_QUIT arrives (`quitCode` gets its
// code). In our windows the dialog manager handles Tab, Space and Enter first.
bool pumpMessage(int& quitCode);

}  // namespace vesk::forms::win32
