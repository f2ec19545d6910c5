#include "indicator/notification_area.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"
#include "tray/fake/fake_tray.h"

using namespace vesk;
using forms::kGreen;
using forms::kRed;

namespace {

// The stored TRAY_ICON, LIGHTS_WINDOW_HIDDEN and NOTICE_ON_CHANGE ('-' absent) and whether a
// tray is there; then a script: '.' a tick, N/C/S a user's press of that key, n/c/s a
// double-click on its light (the program's own press), i a click on the icon, h the menu's
// "Hide", o its "Show in notification area" turned off, x the tray gone. What is seen then.
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
    {"10-", true, ".h", "", false, true},  // hidden at once
    {"11-", true, ".o.", "", true, false},
    {"11-", true, ".x..........", "", true, false},  // the tray lost: shown within a second
};

struct ScenarioTest : ::testing::TestWithParam<Scenario> {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  tray::fake::FakeTrayIcon icon;
  tray::fake::FakeNotice notice;
  indicator::NotificationArea area{main, settings, icon, notice};
  forms::fake::FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");
};

TEST_P(ScenarioTest, ShowsTheNoticesTheWindowAndTheIconDue) {
  const Scenario& s = GetParam();
  const char* keys[] = {"TRAY_ICON", "LIGHTS_WINDOW_HIDDEN", "NOTICE_ON_CHANGE"};
  for (int i = 0; i < 3; ++i) {
    if (s.stored[i] != '-') store.save("TARNWICK-VESK-LIGHTS", "Settings", keys[i], {s.stored[i]});
  }
  icon.hostPresent = s.tray;
  main.start();
  const char* lights[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
  for (const char* p = s.script; *p; ++p) {
    const auto k = std::string("NCSncs").find(*p);
    if (*p == '.') w.timer(1).elapse();
    if (*p == 'i') icon.onClick();
    if (*p == 'h') area.setWindowHidden(true);
    if (*p == 'o') area.setIconOn(false);
    if (*p == 'x') icon.hostPresent = false;
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
  const auto ticks = std::ranges::count(std::string_view(s.script), '.');
  EXPECT_LE(icon.availabilityChecks, 2 + ticks / 10) << "the tray is asked once a second";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(kScenarios));

TEST_F(ScenarioTest, IconFollowsTheLightsWithinATickAndIsRedrawnOnlyOnChange) {
  store.save("TARNWICK-VESK-LIGHTS", "Settings", "TRAY_ICON", "1");
  main.start();
  w.timer(1).elapse();
  w.timer(1).elapse();
  platform.states[1] = 1;
  w.timer(1).elapse();
  ASSERT_TRUE(icon.picture);
  EXPECT_EQ(icon.picture->segments, (indicator::LightColours{kRed, kGreen, kRed}));
  EXPECT_EQ(icon.draws, 2);
  EXPECT_EQ(indicator::trayPicture({kGreen, kRed, 0xC0C0C0}).toolTip,
            "Num Lock on, Caps Lock off, Scroll Lock unknown");
}

}  // namespace
