#include "indicator/context_menu.h"

#include <gtest/gtest.h>

#include "contracts/autostart_contract.h"
#include "forms/fake/fake_forms.h"
#include "indicator/notification_area.h"
#include "platform/fake/fake_autostart.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"
#include "tray/fake/fake_tray.h"

using namespace vesk;

namespace {

struct FakeBackend {
  platform::fake::FakeAutostart entry;
  void removeByHand() { entry.entry = false; }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, AutostartContract, FakeBackend);

// The menu as the user sees it: its own items and the notification area's.
struct MenuTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  platform::fake::FakeAutostart autostart;
  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  std::vector<std::string> reports;
  indicator::ContextMenu menu{main, autostart, [this](auto& r) { reports.push_back(r); }};
  tray::fake::FakeTrayIcon icon;
  tray::fake::FakeNotice notice;
  indicator::NotificationArea area{main, settings, icon, notice};
  forms::fake::FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");

  MenuTest() {
    area.useMenu(menu, toolkit);
    main.start();
  }
  // The background's menu (a right-click between the last light and the button), or the icon's.
  std::vector<forms::MenuItem> open(bool byIcon = false) {
    byIcon ? icon.onContextMenu() : w.rightClickAt(2950, 300);
    return toolkit.menu;
  }
};

}  // namespace

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
    EXPECT_EQ(store.get("TARNWICK-VESK-LIGHTS", "Settings", key), "1") << key;
  }
  EXPECT_FALSE(w.shown);
  for (const auto& item : open()) EXPECT_EQ(item.checked, item.checkable) << item.caption;
  icon.hostPresent = false;  // seen as soon as the menu opens; no tray, no hidden window
  for (int i : {2, 3}) {
    const auto item = open()[i];
    EXPECT_FALSE(item.enabled) << item.caption;
    EXPECT_NE(item.toolTip.find("no notification area"), std::string::npos) << item.caption;
  }
  EXPECT_TRUE(w.shown);
  ASSERT_TRUE(toolkit.pickMenuItem('q'));
  EXPECT_TRUE(w.closed);
}

TEST_F(MenuTest, StartAtLoginFollowsTheEntryAndShowsAFailureUntilASuccess) {
  ASSERT_TRUE((open(), toolkit.pickMenuItem('l')));
  EXPECT_TRUE(autostart.entry);
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
