// The settings dialog on the fakes, opened the user's way: a double-click on the background.

#include "settings_dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include "core/core_fixture.h"

using namespace vesk;
using forms::fake::FakeWindow;

namespace {

// In their tab order, which follows the OK button.
const char* kBoxes[] = {"VERT_LIGHTS_TICKBOX", "ALWAYS_ON_TOP_TICKBOX", "SHOW_NUM_TICKBOX",
                        "SHOW_CAPS_TICKBOX",   "SHOW_SCROLL_TICKBOX",   "SHOW_OSK_BUTTON"};

struct SettingsDialogTest : test::Core, ::testing::Test {
  settings_dialog::SettingsDialog dialog{toolkit, settings, main};

  SettingsDialogTest() { main.start(); }
  // Opens the dialog and acts on it while it is shown, once.
  void withDialog(const std::function<void(FakeWindow&)>& act) {
    int opened = 0;
    toolkit.whileModal = [&](FakeWindow& d) {
      if (++opened == 1) act(d);
    };
    w.doubleClickAt(3800, 800);
    EXPECT_EQ(opened, 1);
  }
};

}  // namespace

TEST_F(SettingsDialogTest, OpensModallyAtItsDefaultsShowingStoredValuesAndWritingNothing) {
  const char* stored[] = {"absent", "1", "abc", "2", "7", "-0.4"};  // 7: not a box value
  for (int i = 1; i < 6; ++i) put(kBoxes[i], stored[i]);
  const int writes = store.writes();
  withDialog([&](FakeWindow& d) {
    EXPECT_EQ(d.modalOwner, &main.window());
    EXPECT_EQ(d.geometry, (forms::Rect{1000, 1000, 5835, 4530}));
    const int want[] = {0, 1, 1, 2, 1, 0};
    int tab = d.button("OK_BUTTON").spec.tabIndex;
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(d.checkBox(kBoxes[i]).value(), want[i]) << kBoxes[i];
      EXPECT_GT(d.checkBox(kBoxes[i]).spec.tabIndex, tab) << kBoxes[i];
      tab = d.checkBox(kBoxes[i]).spec.tabIndex;
    }
    EXPECT_EQ(store.writes(), writes);
    dialog.open();  // a second request while open does nothing
  });
  EXPECT_EQ(reports.size(), 2u) << "abc and 7, once each";
  EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled()) << "showing a ticked box is no click";
}

TEST_F(SettingsDialogTest, EachClickIsStoredAtOnceAndTheKeeperFollowsButLeavesTheDialog) {
  put("SHOW_CAPS_TICKBOX", "2");
  const char* want[] = {"1", "1", "0", "1", "0", "0"};
  withDialog([&](FakeWindow& d) {
    for (int i = 0; i < 6; ++i) {
      d.checkBox(kBoxes[i]).click();
      EXPECT_EQ(get(kBoxes[i]), want[i]) << kBoxes[i];
    }
    EXPECT_TRUE(main.alwaysOnTopTimer().isEnabled());
    platform.foreground = d.handle();
    main.AlwaysOnTopTimer_Timer();
    EXPECT_TRUE(platform.topmostCalls.empty()) << "the keeper touched our own dialog";
    d.checkBox("ALWAYS_ON_TOP_TICKBOX").click();
    EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
    EXPECT_EQ(platform.quietRemovals, std::vector<forms::NativeHandle>{w.handle()});
  });
}

// OK, and a place stored and restored, are played end to end (hide-a-light-and-tick-it-back...).
TEST_F(SettingsDialogTest, TheCreditShowsTheAddressUntilClosedAndTheFrameStoresThePlace) {
  for (int opening = 0; opening < 2; ++opening) {
    withDialog([&](FakeWindow& d) {
      auto& credit = d.label("TARNWICK_VESK_CREATOR");
      EXPECT_EQ(credit.caption().rfind("Created By ", 0), 0u) << opening;
      credit.onClick();
      EXPECT_NE(credit.caption().find('@'), std::string::npos);
      d.geometry = {-3000, 1600, 5900, 4600};
      d.close();  // the frame's close button
    });
  }
  const char* keys[] = {"AboutMainLeft", "AboutMainTop", "AboutMainWidth", "AboutMainHeight"};
  const char* want[] = {"-3000", "1600", "5900", "4600"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(get(keys[i]), want[i]) << keys[i];
}
