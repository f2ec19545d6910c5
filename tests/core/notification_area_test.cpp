// The notification area and the right-click menu, as the user meets them: tray scenarios, then
// the menu's items, whichever of the window or the icon opens it.

#include <gtest/gtest.h>

#include "contracts/autostart_contract.h"
#include "core/core_fixture.h"
#include "indicator/context_menu.h"
#include "indicator/notification_area.h"
#include "platform/fake/fake_autostart.h"
#include "tray/fake/fake_tray.h"

using namespace vesk;
using forms::kGreen;
using forms::kRed;

namespace {

struct FakeBackend {
  platform::fake::FakeAutostart entry;
  void removeByHand() { entry.entry = false; }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, AutostartContract, FakeBackend);

// The stored TRAY_ICON, LIGHTS_WINDOW_HIDDEN and NOTICE_ON_CHANGE ('-' absent) and whether a
// tray is there; then a script: '.' a tick, N/C/S a user's press of that key, n/c/s a
// double-click on its light (the program's own press), i a click on the icon, o the menu's
// "Show in notification area" turned off (its "Hide" is played end to end), x the tray gone, y a
// tray come. What is seen then.
struct Scenario {
  const char* stored;
  bool tray;
  const char* script;
  const char* notices;
  bool windowShown, iconShown;
  friend void PrintTo(const Scenario& s, std::ostream* os) { *os << s.stored << " " << s.script; }
};

const Scenario kScenarios[] = {
    {"--1", true, "NCS..", "", true, false},  // nothing at start, whatever the locks are
    {"--1", true, ".C.N.S.C.", "CAPS LOCK ON;NUM LOCK ON;SCROLL LOCK ON;CAPS LOCK OFF;", true,
     false},
    {"--1", true, ".c..C.", "CAPS LOCK OFF;", true, false},         // our flip is quiet, theirs not
    {"--1", true, ".nN..........N.", "NUM LOCK ON;", true, false},  // an ignored flip expires
    {"---", true, ".C.", "", true, false},                          // notices off by default
    {"11-", true, ".", "", false, true},
    {"11-", false, "", "", true, false},  // never hidden with nothing to show it by
    {"10-", true, ".", "", true, true},
    {"01-", true, ".", "", true, false},
    {"11-", true, ".i.", "", true, true},  // a click on the icon shows it for good
    {"11-", true, ".o.", "", true, false},
    {"11-", true, ".x.", "", true, false},    // the tray lost: shown at the next tick
    {"11-", false, "..y.", "", false, true},  // a tray come late: used at the next tick
};

struct TrayTest : test::Core {
  tray::fake::FakeTrayIcon icon;
  tray::fake::FakeNotice notice;
  indicator::NotificationArea area{main, settings, icon, notice};
};
struct ScenarioTest : TrayTest, ::testing::TestWithParam<Scenario> {};

// The menu, with a start-at-login entry whose failures are reported.
struct MenuTest : TrayTest, ::testing::Test {
  platform::fake::FakeAutostart autostart;
  indicator::ContextMenu menu{main, autostart, [this](auto& r) { reports.push_back(r); }};

  MenuTest() {
    area.useMenu(menu);
    main.start();
  }
  // The background's menu (a right-click between the last light and the button), or the icon's.
  std::vector<forms::MenuItem> open(bool byIcon = false) {
    if (byIcon) return toolkit.menu = icon.onContextMenu();
    w.rightClickAt(2950, 300);
    return toolkit.menu;
  }
};

}  // namespace

TEST_P(ScenarioTest, ShowsTheNoticesTheWindowAndTheIconDue) {
  const Scenario& s = GetParam();
  const char* keys[] = {"TRAY_ICON", "LIGHTS_WINDOW_HIDDEN", "NOTICE_ON_CHANGE"};
  for (int i = 0; i < 3; ++i)
    if (s.stored[i] != '-') put(keys[i], {s.stored[i]});
  icon.hostPresent = s.tray;
  main.start();
  const char* lights[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
  for (const char* p = s.script; *p; ++p) {
    const auto k = std::string("NCSncs").find(*p);
    if (*p == '.') tick();
    if (*p == 'i') icon.onClick();
    if (*p == 'o') area.setIconOn(false);
    if (*p == 'x' || *p == 'y') icon.hostPresent = *p == 'y';
    if (k < 3) platform.states[k] ^= 1;
    if (k >= 3 && k < 6) w.label(lights[k - 3]).onDblClick();
  }
  std::string notices;
  for (const auto& n : notice.shown) {
    notices += n.text + ";";
    EXPECT_EQ(n.back, n.text.ends_with(" ON") ? kGreen : kRed) << n.text;
    EXPECT_EQ(n.milliseconds, 1500);
  }
  EXPECT_EQ(notices, s.notices);
  EXPECT_EQ(w.shown, s.windowShown);
  EXPECT_EQ(icon.picture.has_value(), s.iconShown);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(kScenarios));

TEST_F(ScenarioTest, IconFollowsTheLightsWithinATickAndIsRedrawnOnlyOnChange) {
  put("TRAY_ICON", "1");
  main.start();
  tick();
  platform.states[1] = 1;
  tick();
  ASSERT_TRUE(icon.picture);
  EXPECT_EQ(icon.picture->segments, (indicator::LightColours{kRed, kGreen, kRed}));
  EXPECT_EQ(icon.draws, 2);
  EXPECT_EQ(indicator::trayPicture({kGreen, kRed, 0xC0C0C0}).toolTip,
            "Num Lock on, Caps Lock off, Scroll Lock unknown");
}

TEST_F(MenuTest, ItemsInOrderWorkByAccessKeyAndTheTrayItemsSayWhyTheyAreOff) {
  std::string captions;
  bool settingsOpened = false;
  main.openSettings = [&] { settingsOpened = true; };
  for (const auto& item : open(true)) captions += item.caption + "|";
  EXPECT_EQ(captions,
            "&Settings...|Start at &login|Show in notification &area|"
            "&Hide the lights window|&Notify on change|&Quit|");
  EXPECT_FALSE(toolkit.menu[3].enabled) << "nothing to hide into while the icon is off";
  for (char key : {'s', 'l', 'a', 'h', 'n'})
    ASSERT_TRUE((open(), toolkit.pickMenuItem(key))) << key;
  EXPECT_TRUE(settingsOpened);
  for (const char* key : {"TRAY_ICON", "LIGHTS_WINDOW_HIDDEN", "NOTICE_ON_CHANGE"}) {
    EXPECT_EQ(get(key), "1") << key;
  }
  EXPECT_FALSE(w.shown);
  for (const auto& item : open()) EXPECT_EQ(item.checked, item.checkable) << item.caption;
  icon.hostPresent = false;  // seen as soon as the menu opens; no tray, no hidden window
  for (int i : {2, 3}) {
    const auto item = open()[i];
    EXPECT_FALSE(item.enabled) << item.caption;
    EXPECT_NE(item.toolTip.find("no notification area"), std::string::npos) << item.caption;
  }
  tick();
  EXPECT_TRUE(w.shown);  // "&Quit" is played end to end (tray-icon-and-notice)
}

TEST_F(MenuTest, StartAtLoginFollowsTheEntryAndShowsAFailureUntilASuccess) {
  ASSERT_TRUE((open(), toolkit.pickMenuItem('l')));
  autostart.entry = false;  // removed by hand while the program runs
  EXPECT_FALSE(open()[1].checked);
  autostart.broken = true;
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(open()[1].toolTip, reports[0]);
  autostart.broken = false;
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_EQ(open()[1].toolTip, "");
}
