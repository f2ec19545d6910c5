#include "indicator/notification_area.h"

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_autostart.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"
#include "tray/fake/fake_tray.h"

using namespace vesk;
using forms::kGreen;
using forms::kRed;
using Shown = tray::fake::FakeNotice::Shown;

namespace {

constexpr forms::Colour kUnknown = 0xC0C0C0;
const char* kRow[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};

struct NotificationAreaTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  std::vector<std::string> reports;
  settings::Settings settings{store, '.', [this](const std::string& l) { reports.push_back(l); }};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  tray::fake::FakeTrayIcon icon;
  tray::fake::FakeNotice notice;
  indicator::NotificationArea area{main, settings, icon, notice};
  forms::fake::FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");

  void put(const char* key, const std::string& text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  void tick() { w.timer(1).elapse(); }
};

// A script of what happens between ticks: N/C/S a user's press of that key, n/c/s a
// double-click on its light (the program's own flip), '.' a tick.
struct NoticeCase {
  const char* name;
  const char* setting;  // NOTICE_ON_CHANGE
  const char* script;
  std::vector<Shown> expected;
};

const NoticeCase kNoticeCases[] = {
    {"NothingAtStartEvenWithLocksOn", "1", "NCS..", {}},
    {"EachLockSaysItsStateOnItsColour",
     "1",
     ".C.N.S.C.",
     {{"CAPS LOCK ON", kGreen, 1500},
      {"NUM LOCK ON", kGreen, 1500},
      {"SCROLL LOCK ON", kGreen, 1500},
      {"CAPS LOCK OFF", kRed, 1500}}},
    {"OwnFlipIsQuietButTheUsersNextPressIsNot", "1", ".c..C.", {{"CAPS LOCK OFF", kRed, 1500}}},
    // "nN": a press of ours that the system ignored (the state is as before).
    {"OwnFlipThatChangedNothingExpires", "1", ".nN..........N.", {{"NUM LOCK ON", kGreen, 1500}}},
    {"OffByDefault", nullptr, ".C.", {}},
    {"OffWhenZero", "0", ".C.", {}},
    {"UnusableValueIsOff", "yes", ".C.", {}},
};

struct NoticeTest : NotificationAreaTest, ::testing::WithParamInterface<NoticeCase> {};

TEST_P(NoticeTest, ShowsWhatChangedOnlyWhenDue) {
  const auto& c = GetParam();
  if (c.setting) put("NOTICE_ON_CHANGE", c.setting);
  main.start();
  for (const char* p = c.script; *p; ++p) {
    const std::string keys = "NCS", own = "ncs";
    if (*p == '.') tick();
    if (auto k = keys.find(*p); k != std::string::npos) {
      platform.states[k] ^= 1;
    }
    if (auto k = own.find(*p); k != std::string::npos) w.label(kRow[k]).onDblClick();
  }
  EXPECT_EQ(notice.shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Changes, NoticeTest, ::testing::ValuesIn(kNoticeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrayPicture, SegmentsAreTheLightsAndTheTooltipSaysThem) {
  struct Row {
    indicator::LightColours lights;
    const char* tip;
  };
  const Row rows[] = {
      {{kGreen, kRed, kRed}, "Num Lock on, Caps Lock off, Scroll Lock off"},
      {{kRed, kGreen, kGreen}, "Num Lock off, Caps Lock on, Scroll Lock on"},
      {{kUnknown, kUnknown, kGreen}, "Num Lock unknown, Caps Lock unknown, Scroll Lock on"},
  };
  for (const auto& r : rows) {
    const auto p = indicator::trayPicture(r.lights);
    EXPECT_EQ(p.segments, r.lights);
    EXPECT_EQ(p.toolTip, r.tip);
  }
}

TEST_F(NotificationAreaTest, IconFollowsTheLightsWithinATickAndRedrawsOnlyOnChange) {
  put("TRAY_ICON", "1");
  main.start();
  tick();
  ASSERT_TRUE(icon.picture);
  EXPECT_EQ(icon.picture->segments, (indicator::LightColours{kRed, kRed, kRed}));
  tick();
  EXPECT_EQ(icon.draws, 1);
  platform.states[1] = 1;
  tick();
  EXPECT_EQ(icon.picture->segments, (indicator::LightColours{kRed, kGreen, kRed}));
  EXPECT_EQ(icon.picture->toolTip, "Num Lock off, Caps Lock on, Scroll Lock off");
  area.setIconOn(false);
  EXPECT_FALSE(icon.picture);
  EXPECT_EQ(get("TRAY_ICON"), "0");
}

// TRAY_ICON, LIGHTS_WINDOW_HIDDEN, whether a tray is there -> the window shown, the icon shown.
struct HideCase {
  const char* trayIcon;
  const char* hidden;
  bool host;
  bool windowShown;
  bool iconShown;
};

TEST_F(NotificationAreaTest, WindowIsHiddenOnlyWhileTheIconCanBeSeen) {
  const HideCase cases[] = {
      {"1", "1", true, false, true}, {"1", "1", false, true, false}, {"1", "0", true, true, true},
      {"0", "1", true, true, false}, {"on", "1", true, true, false},
  };
  for (const auto& c : cases) {
    forms::fake::FakeToolkit tk;
    settings::MemoryStore st;
    settings::Settings s{st, '.', nullptr};
    indicator::IndicatorWindow m{tk, s, platform};
    tray::fake::FakeTrayIcon i;
    i.hostPresent = c.host;
    indicator::NotificationArea a{m, s, i, notice};
    st.save("TARNWICK-VESK-LIGHTS", "Settings", "TRAY_ICON", c.trayIcon);
    st.save("TARNWICK-VESK-LIGHTS", "Settings", "LIGHTS_WINDOW_HIDDEN", c.hidden);
    m.start();
    tk.find("VESK_LIGHTS_MAIN")->timer(1).elapse();
    const std::string row = std::string(c.trayIcon) + c.hidden + (c.host ? " host" : " none");
    EXPECT_EQ(tk.find("VESK_LIGHTS_MAIN")->shown, c.windowShown) << row;
    EXPECT_EQ(i.picture.has_value(), c.iconShown) << row;
    EXPECT_EQ(a.whyNoTray().empty(), c.host) << row;
  }
}

TEST_F(NotificationAreaTest, HiddenWindowComesBackByIconOrLostTrayAndStillStoresOnClose) {
  put("TRAY_ICON", "1");
  put("LIGHTS_WINDOW_HIDDEN", "1");
  main.start();
  tick();
  ASSERT_FALSE(w.shown);
  icon.onClick();
  EXPECT_TRUE(w.shown);
  EXPECT_EQ(get("LIGHTS_WINDOW_HIDDEN"), "0") << "a click on the icon keeps it shown";

  area.setWindowHidden(true);
  EXPECT_FALSE(w.shown) << "hidden at once";
  icon.hostPresent = false;  // the panel went away: seen within a second
  for (int i = 0; i < indicator::NotificationArea::kTrayCheckTicks && !w.shown; ++i) tick();
  EXPECT_TRUE(w.shown);
  EXPECT_FALSE(icon.picture);
  EXPECT_LE(icon.availabilityChecks, 3) << "the tray is not asked on every tick";

  w.close();
  EXPECT_EQ(get("MainLeft"), "1000") << "closing still stores the geometry";
}

TEST_F(NotificationAreaTest, MenuItemsSitBeforeQuitWorkByAccessKeyAndSayWhyWhenDisabled) {
  platform::fake::FakeAutostart autostart;
  indicator::ContextMenu menu{main, autostart, nullptr};
  area.useMenu(menu, toolkit);
  main.start();
  tick();
  const auto open = [&] {
    icon.onContextMenu();  // the icon's right-click opens the window's own menu
    return toolkit.menu;
  };
  std::vector<std::string> captions;
  for (const auto& item : open()) captions.push_back(item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{
                          "&Settings...", "Start at &login", "Show in notification &area",
                          "&Hide the lights window", "&Notify on change", "&Quit"}));
  EXPECT_FALSE(toolkit.menu[3].enabled) << "nothing to hide into while the icon is off";
  for (char key : {'a', 'h', 'n'}) {
    open();
    ASSERT_TRUE(toolkit.pickMenuItem(key)) << key;
  }
  EXPECT_EQ(get("TRAY_ICON"), "1");
  EXPECT_EQ(get("LIGHTS_WINDOW_HIDDEN"), "1");
  EXPECT_EQ(get("NOTICE_ON_CHANGE"), "1");
  EXPECT_FALSE(w.shown);
  const auto ticked = open();
  EXPECT_TRUE(ticked[2].checked && ticked[3].checked && ticked[4].checked);

  icon.hostPresent = false;
  const auto none = open();
  EXPECT_TRUE(w.shown) << "no tray, no hidden window";
  for (int i : {2, 3}) {
    EXPECT_FALSE(none[i].enabled) << none[i].caption;
    EXPECT_NE(none[i].toolTip.find("notification area"), std::string::npos) << none[i].caption;
  }
}

}  // namespace
