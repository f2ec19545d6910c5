#include "indicator/notification_area.h"

namespace vesk::indicator {

using settings::Key;

NotificationArea::NotificationArea(IndicatorWindow& indicator, settings::Settings& settings,
                                   tray::TrayIcon& icon, tray::Notice& notice)
    : indicator_(indicator), settings_(settings), icon_(icon), notice_(notice) {
  indicator_.onLights = [this](const LightColours& lights) { lightsShown(lights); };
  indicator_.onFlip = [this](platform::LockKey key) { watch_.ownFlip(static_cast<int>(key)); };
  indicator_.startHidden = [this] {
    windowHidden_ = iconOn() && settings_.isOn(Key::LightsWindowHidden);
    return windowHidden_;
  };
  icon_.onClick = [this] { iconClicked(); };
}

bool NotificationArea::trayUsable() {
  return icon_.available();
}

std::string NotificationArea::whyNoTray() {
  if (trayUsable()) return {};
  return "This desktop has no notification area to show the icon in.";
}

void NotificationArea::lightsShown(const LightColours& lights) {
  lights_ = lights;
  const auto due = watch_.tick(lights);
  if (due && settings_.isOn(Key::NoticeOnChange)) {
    notice_.show(due->text, due->back, kNoticeMilliseconds);
  }
  apply();
}

void NotificationArea::apply() {
  const bool iconOn = this->iconOn();
  if (iconOn) {
    // Redrawn only when the lights change (the picture and its words follow from them): a new
    // icon costs the tray host a repaint, and building its words costs every tick.
    if (!shown_ || shown_->segments != lights_) {
      shown_ = trayPicture(lights_);
      icon_.show(*shown_);
    }
  } else if (shown_) {
    icon_.hide();
    shown_.reset();
  }
  const bool hide = iconOn && settings_.isOn(Key::LightsWindowHidden);
  if (hide == windowHidden_) return;
  windowHidden_ = hide;
  if (hide) {
    indicator_.window().hide();
  } else {
    indicator_.window().show();
  }
}

void NotificationArea::iconClicked() {
  if (windowHidden_) {
    settings_.saveInt(Key::LightsWindowHidden, 0);
    windowHidden_ = false;
  }
  indicator_.window().bringToFront();
}

void NotificationArea::useMenu(ContextMenu& menu) {
  menu.addItems = [this](std::vector<forms::MenuItem>& items) {
    for (auto& item : menuItems()) items.push_back(std::move(item));
  };
  icon_.onContextMenu = [&menu] { return menu.items(); };
}

std::vector<forms::MenuItem> NotificationArea::menuItems() {
  // The tray as it is now; the icon and the window follow it at the next tick. Applying here
  // would reach back into the tray backend, which may be building its menu right now.
  const std::string why = whyNoTray();
  const bool iconOn = this->iconOn();
  std::vector<forms::MenuItem> items(3);
  items[0] = {"Show in notification &area",          true, iconOn, why.empty(), why,
              [this, iconOn] { setIconOn(!iconOn); }};
  items[1] = {"&Hide the lights window",
              true,
              windowHidden_,
              iconOn,
              why.empty() ? (iconOn ? "" : "The icon in the notification area is off.") : why,
              [this] { setWindowHidden(!windowHidden_); }};
  const bool noticeOn = settings_.isOn(Key::NoticeOnChange);
  items[2] = {
      "&Notify on change", true, noticeOn, true, "", [this, noticeOn] { setNoticeOn(!noticeOn); }};
  return items;
}

void NotificationArea::setIconOn(bool on) {
  settings_.saveInt(Key::TrayIcon, on ? 1 : 0);
  apply();
}

void NotificationArea::setWindowHidden(bool hidden) {
  settings_.saveInt(Key::LightsWindowHidden, hidden ? 1 : 0);
  apply();
}

void NotificationArea::setNoticeOn(bool on) {
  settings_.saveInt(Key::NoticeOnChange, on ? 1 : 0);
}

}  // namespace vesk::indicator
