#pragma once
// The lights in the notification area, and a brief notice when a lock changes. It follows the
// indicator's ticks: the icon shows the lights' colours, the stored choices apply within a
// tick, and the window is hidden only while the icon can be seen, so the program never
// becomes invisible.

#include <optional>
#include <string>

#include "indicator/context_menu.h"
#include "indicator/indicator_window.h"
#include "indicator/lock_words.h"
#include "settings/settings.h"
#include "tray/tray.h"

namespace vesk::indicator {

class NotificationArea {
 public:
  // Hooks itself into the indicator's ticks, flips and start.
  NotificationArea(IndicatorWindow& indicator, settings::Settings& settings, tray::TrayIcon& icon,
                   tray::Notice& notice);

  // The icon and its window follow the lights and the stored choices.
  void lightsShown(const LightColours& lights);
  // A click on the icon: the window shows and comes to the front, and stays shown.
  void iconClicked();

  // Whether a notification area can show the icon now.
  bool trayUsable();
  // Why the tray items are disabled, or empty when they are not.
  std::string whyNoTray();
  bool iconOn() { return settings_.isOn(settings::Key::TrayIcon) && trayUsable(); }
  bool windowHidden() const { return windowHidden_; }

  // Adds the three items to the indicator's menu, and makes that menu the icon's too.
  void useMenu(ContextMenu& menu);
  // "Show in notification &area", "&Hide the lights window", "&Notify on change".
  std::vector<forms::MenuItem> menuItems();

  // The menu's three choices, stored at once and applied within this call.
  void setIconOn(bool on);
  void setWindowHidden(bool hidden);
  void setNoticeOn(bool on);

  static constexpr int kNoticeMilliseconds = 1500;

 private:
  void apply();

  IndicatorWindow& indicator_;
  settings::Settings& settings_;
  tray::TrayIcon& icon_;
  tray::Notice& notice_;
  ChangeWatch watch_;
  LightColours lights_{forms::kWhite, forms::kWhite, forms::kWhite};
  std::optional<tray::TrayPicture> shown_;  // the icon's picture while it is shown
  bool windowHidden_ = false;
};

}  // namespace vesk::indicator
