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
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, AutostartContract, FakeBackend);

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
  // Opens the menu on the background, between the last light and the button.
  const std::vector<forms::MenuItem>& open() {
    w.rightClickAt(2950, 300);
    return toolkit.menu;
  }
  const forms::MenuItem& login() { return open().at(1); }
};

}  // namespace

TEST_F(MenuTest, OpensOnTheBackgroundOnlyWithItsItemsInOrder) {
  const forms::Rect light = indicator::rowLightSpec(1).place;
  const forms::Rect button = indicator::oskButtonSpec().place;
  ASSERT_TRUE(w.label(indicator::rowLightSpec(1).name).isVisible());
  ASSERT_TRUE(w.button("OSK_BUTTON").isVisible());
  w.rightClickAt(light.left + light.width / 2, light.top + light.height / 2);
  w.rightClickAt(button.left + button.width / 2, button.top + button.height / 2);
  EXPECT_EQ(toolkit.menusShown, 0) << "a right-click on a light or the button opens nothing";

  menu.addItems = [](std::vector<forms::MenuItem>& items) {
    items.emplace_back().caption = "&Later";
  };
  std::vector<std::string> captions;
  for (const auto& item : open()) captions.push_back(item.caption);
  EXPECT_EQ(toolkit.menusShown, 1);
  EXPECT_EQ(captions,
            (std::vector<std::string>{"&Settings...", "Start at &login", "&Later", "&Quit"}));
  EXPECT_TRUE(login().checkable);
  EXPECT_FALSE(open().at(0).checkable);
}

TEST_F(MenuTest, SettingsOpensTheDialogAndQuitClosesAsTheCloseButtonDoes) {
  std::string modal;
  toolkit.whileModal = [&](forms::fake::FakeWindow& d) { modal = d.spec.name; };
  open();
  ASSERT_TRUE(toolkit.pickMenuItem('s'));
  EXPECT_EQ(modal, "VESK_LIGHTS_SETTINGS");
  EXPECT_FALSE(w.closed);

  w.geometry = {1500, 2500, 4000, 1000};
  open();
  ASSERT_TRUE(toolkit.pickMenuItem('Q'));
  EXPECT_TRUE(w.closed);
  EXPECT_EQ(store.get("TARNWICK-VESK-LIGHTS", "Settings", "MainLeft"), "1500");
  EXPECT_EQ(store.get("TARNWICK-VESK-LIGHTS", "Settings", "MainHeight"), "1000");
}

TEST_F(MenuTest, StartAtLoginTogglesTheEntryAndItsMarkFollowsTheEntry) {
  EXPECT_FALSE(login().checked);
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_TRUE(autostart.entry);
  EXPECT_TRUE(login().checked);
  autostart.entry = false;  // removed by hand while the program runs
  EXPECT_FALSE(login().checked);
  autostart.entry = true;
  ASSERT_TRUE(toolkit.pickMenuItem('L'));
  EXPECT_FALSE(autostart.entry);
  EXPECT_TRUE(reports.empty());
}

TEST_F(MenuTest, AFailedChangeIsReportedAndShownOnTheItem) {
  autostart.broken = true;
  open();
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_FALSE(autostart.entry);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(login().toolTip, reports[0]);
  EXPECT_FALSE(login().checked);
  autostart.broken = false;
  ASSERT_TRUE(toolkit.pickMenuItem('l'));
  EXPECT_EQ(login().toolTip, "") << "a success clears the old failure";
}
