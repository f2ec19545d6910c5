#include "indicator/context_menu.h"

#include <gtest/gtest.h>

#include "contracts/autostart_contract.h"
#include "forms/fake/fake_forms.h"
#include "indicator/layout.h"
#include "platform/fake/fake_autostart.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"
#include "settings_dialog/settings_dialog.h"

using namespace vesk;

namespace {

struct FakeBackend {
  platform::fake::FakeAutostart fake;
  platform::Autostart& autostart() { return fake; }
  void removeByHand() { fake.entry = false; }
};

struct MenuTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  platform::fake::FakeAutostart autostart;
  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  settings_dialog::SettingsDialog dialog{toolkit, settings, main};
  std::vector<std::string> reports;
  indicator::ContextMenu menu{main, autostart,
                              [this](const std::string& r) { reports.push_back(r); }};
  forms::fake::FakeWindow& w = *toolkit.find(indicator::kMainWindowName);

  MenuTest() {
    main.start();
    w.timer(1).elapse();  // the lights take their places
  }
  // Right-clicks the background between the last light and the button; the login item.
  const forms::MenuItem& openLogin() {
    w.rightClickAt(2950, 300);
    return toolkit.menu.at(1);
  }
};

}  // namespace

TEST(FakeAutostartTest, KeepsTheContract) {
  checkAutostartContract<FakeBackend>();
}

TEST_F(MenuTest, OpensOnTheBackgroundOnlyWithItsItemsInOrder) {
  for (const forms::Rect& r :
       {indicator::rowLightSpec(1).place, indicator::oskButtonSpec().place}) {
    w.rightClickAt(r.left + r.width / 2, r.top + r.height / 2);
  }
  EXPECT_EQ(toolkit.menusShown, 0) << "a right-click on a light or the button opens nothing";

  menu.addItems = [](std::vector<forms::MenuItem>& items) {
    items.emplace_back().caption = "&Later";
  };
  EXPECT_TRUE(openLogin().checkable);
  std::vector<std::string> captions;
  for (const auto& item : toolkit.menu) captions.push_back(item.caption);
  EXPECT_EQ(captions,
            (std::vector<std::string>{"&Settings...", "Start at &login", "&Later", "&Quit"}));
}

TEST_F(MenuTest, SettingsOpensTheDialogAndQuitClosesAsTheCloseButtonDoes) {
  std::string modal;
  toolkit.whileModal = [&](forms::fake::FakeWindow& d) { modal = d.spec.name; };
  openLogin();
  ASSERT_TRUE(toolkit.pickMenuItem('s'));
  EXPECT_EQ(modal, "VESK_LIGHTS_SETTINGS");
  EXPECT_FALSE(w.closed);

  w.geometry = {1500, 2500, 4000, 1000};
  openLogin();
  ASSERT_TRUE(toolkit.pickMenuItem('Q'));
  EXPECT_TRUE(w.closed);
  EXPECT_EQ(store.get("TARNWICK-VESK-LIGHTS", "Settings", "MainLeft"), "1500");
}

TEST_F(MenuTest, StartAtLoginTogglesTheEntryAndItsMarkFollowsTheEntry) {
  EXPECT_FALSE(openLogin().checked);
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_TRUE(autostart.entry);
  EXPECT_TRUE(openLogin().checked);
  autostart.entry = false;  // removed by hand while the program runs
  EXPECT_FALSE(openLogin().checked);

  autostart.broken = true;  // a failure is reported and shown on the item until a success
  ASSERT_TRUE(toolkit.pickMenuItem('L'));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(openLogin().toolTip, reports[0]);
  autostart.broken = false;
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_TRUE(autostart.entry);
  EXPECT_EQ(openLogin().toolTip, "");
}
