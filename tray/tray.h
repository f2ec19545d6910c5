#pragma once
// The notification-area seam: one tray icon that shows the three locks, and a brief notice
// on screen. Backends: Qt (QSystemTrayIcon and a frameless widget), Win32 (Shell_NotifyIconW
// and a layered popup), and a recording fake. No toolkit type crosses this header.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "forms/forms.h"

namespace vesk::tray {

// The icon's picture: one segment per lock (Num, Caps, Scroll), left to right.
struct TrayPicture {
  std::array<forms::Colour, 3> segments{};
  std::string toolTip;
  bool operator==(const TrayPicture&) const = default;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  // Whether the session has a notification area that can show an icon now. Cheap: backends
  // answer from what they watch, so the caller may ask at every tick and sees a tray that
  // comes or goes at the next one.
  virtual bool available() const = 0;
  // Shows the icon with this picture, or updates the one shown.
  virtual void show(const TrayPicture& picture) = 0;
  virtual void hide() = 0;
  std::function<void()> onClick;  // a left click (or keyboard selection)
  // The icon's menu, built afresh whenever it opens; the backend shows it the way its host
  // does (a pop-up at the mouse, or exported for the host to draw).
  std::function<std::vector<forms::MenuItem>()> onContextMenu;
};

// A small borderless window near the bottom centre of the screen that holds the mouse. It
// never takes the keyboard, lets clicks through, and stays above full-screen windows where
// the system allows. A new notice replaces the one showing and restarts its time.
class Notice {
 public:
  virtual ~Notice() = default;
  virtual void show(const std::string& text, forms::Colour back, int milliseconds) = 0;
};

}  // namespace vesk::tray
