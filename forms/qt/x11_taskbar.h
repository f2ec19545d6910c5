#pragma once
// Keeping a tool window out of the taskbar on X11. Qt marks a tool window as a utility window
// with a normal-window fallback, and some taskbars list it for the fallback; the EWMH
// skip-taskbar state says it outright.

class QWidget;

namespace vesk::forms::qt {

// Asks the window manager to leave the window, just shown, out of the taskbar. Does nothing
// when the display is not X11.
void leaveOutOfTaskbar(QWidget& window);

}  // namespace vesk::forms::qt
