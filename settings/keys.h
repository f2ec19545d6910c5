#pragma once
// The settings of the program: every key, its default, and where it lives.

#include <string_view>

namespace vesk::settings {

inline constexpr std::string_view kApplication = "TARNWICK-VESK-LIGHTS";
inline constexpr std::string_view kSection = "Settings";

enum class Key {
  MainLeft,
  MainTop,
  MainWidth,
  MainHeight,
  AboutMainLeft,
  AboutMainTop,
  AboutMainWidth,
  AboutMainHeight,
  AlwaysOnTop,
  VertLights,
  ShowNum,
  ShowCaps,
  ShowScroll,
  ShowOsk,
  TrayIcon,
  LightsWindowHidden,
  NoticeOnChange,
};

struct KeyInfo {
  Key key;
  std::string_view name;
  int fallback;  // the default when absent or unusable
};

inline constexpr KeyInfo kKeys[] = {
    {Key::MainLeft, "MainLeft", 1000},
    {Key::MainTop, "MainTop", 1000},
    {Key::MainWidth, "MainWidth", 3840},
    {Key::MainHeight, "MainHeight", 945},
    {Key::AboutMainLeft, "AboutMainLeft", 1000},
    {Key::AboutMainTop, "AboutMainTop", 1000},
    {Key::AboutMainWidth, "AboutMainWidth", 5835},
    {Key::AboutMainHeight, "AboutMainHeight", 4530},
    {Key::AlwaysOnTop, "ALWAYS_ON_TOP_TICKBOX", 0},
    {Key::VertLights, "VERT_LIGHTS_TICKBOX", 0},
    {Key::ShowNum, "SHOW_NUM_TICKBOX", 1},
    {Key::ShowCaps, "SHOW_CAPS_TICKBOX", 1},
    {Key::ShowScroll, "SHOW_SCROLL_TICKBOX", 1},
    {Key::ShowOsk, "SHOW_OSK_BUTTON", 1},
    {Key::TrayIcon, "TRAY_ICON", 0},
    {Key::LightsWindowHidden, "LIGHTS_WINDOW_HIDDEN", 0},
    {Key::NoticeOnChange, "NOTICE_ON_CHANGE", 0},
};

// The RemoteDesktop portal's restore token: text with no default, so it is kept apart from the
// numeric keys above. Written only with a new token from the portal.
inline constexpr std::string_view kRestoreTokenKey = "PORTAL_RESTORE_TOKEN";

constexpr const KeyInfo& info(Key k) {
  return kKeys[static_cast<int>(k)];
}

}  // namespace vesk::settings
