#include "settings_dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;
using forms::fake::FakeWindow;

namespace {

struct DialogTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  std::vector<std::string> reports;
  settings::Settings settings{store, '.', [this](const std::string& s) { reports.push_back(s); }};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  settings_dialog::SettingsDialog dialog{toolkit, settings, main};
  FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");

  DialogTest() { main.start(); }
  void put(const char* key, const std::string& text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  // Opens the dialog by a background double-click and acts on it while it is shown.
  void withDialog(const std::function<void(FakeWindow&)>& act) {
    toolkit.whileModal = act;
    w.doubleClickAt(3800, 800);
  }
};

}  // namespace

TEST_F(DialogTest, OpensModallyOverTheIndicatorAtItsDefaults) {
  bool seen = false;
  withDialog([&](FakeWindow& d) {
    seen = true;
    EXPECT_EQ(d.spec.name, "VESK_LIGHTS_SETTINGS");
    EXPECT_EQ(d.modalOwner, &main.window());
    EXPECT_EQ(d.geometry, (forms::Rect{1000, 1000, 5835, 4530}));
  });
  EXPECT_TRUE(seen);
  EXPECT_FALSE(dialog.isOpen());
}

TEST_F(DialogTest, LoadShowsStoredValuesInOrderAndWritesNothing) {
  put("VERT_LIGHTS_TICKBOX", "1");
  put("SHOW_CAPS_TICKBOX", "2");
  put("SHOW_SCROLL_TICKBOX", "7");  // not a box value: shows the default, stays stored
  put("SHOW_NUM_TICKBOX", "abc");
  const int writesBefore = store.writes();
  withDialog([&](FakeWindow& d) {
    EXPECT_EQ(d.checkBox("VERT_LIGHTS_TICKBOX").value(), 1);
    EXPECT_EQ(d.checkBox("ALWAYS_ON_TOP_TICKBOX").value(), 0);
    EXPECT_EQ(d.checkBox("SHOW_CAPS_TICKBOX").value(), 2);
    EXPECT_EQ(d.checkBox("SHOW_SCROLL_TICKBOX").value(), 1);
    EXPECT_EQ(d.checkBox("SHOW_NUM_TICKBOX").value(), 1);
    EXPECT_EQ(d.checkBox("SHOW_OSK_BUTTON").value(), 1);
    EXPECT_EQ(store.writes(), writesBefore);
  });
  EXPECT_EQ(get("SHOW_SCROLL_TICKBOX"), "7");
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "abc");
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
}

TEST_F(DialogTest, EachBoxStoresItsValueAtOnceAndTheNextTickShowsIt) {
  put("SHOW_CAPS_TICKBOX", "2");
  withDialog([&](FakeWindow& d) {
    d.checkBox("SHOW_NUM_TICKBOX").click();
    EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "0");
    main.refreshTimer().onTimer();
    EXPECT_FALSE(w.label("NUM_LIGHT_LABEL").isVisible()) << "while the dialog is open";

    d.checkBox("SHOW_CAPS_TICKBOX").click();
    EXPECT_EQ(get("SHOW_CAPS_TICKBOX"), "1") << "greyed box ticked";
    d.checkBox("SHOW_SCROLL_TICKBOX").click();
    EXPECT_EQ(get("SHOW_SCROLL_TICKBOX"), "0");
    d.checkBox("SHOW_OSK_BUTTON").click();
    EXPECT_EQ(get("SHOW_OSK_BUTTON"), "0");
    d.checkBox("VERT_LIGHTS_TICKBOX").click();
    EXPECT_EQ(get("VERT_LIGHTS_TICKBOX"), "1");
    main.refreshTimer().onTimer();
    EXPECT_TRUE(w.label("VERT_CAP_LIGHT_LABEL").isVisible());
    EXPECT_FALSE(w.label("CAPS_LIGHT_LABEL").isVisible());
    EXPECT_FALSE(w.button("OSK_BUTTON").isVisible());
    d.checkBox("VERT_LIGHTS_TICKBOX").click();
    EXPECT_EQ(get("VERT_LIGHTS_TICKBOX"), "0");
  });
}

TEST_F(DialogTest, AlwaysOnTopSwitchesTheKeeperAtOnceAndLowersWhenUnticked) {
  withDialog([&](FakeWindow& d) {
    auto& box = d.checkBox("ALWAYS_ON_TOP_TICKBOX");
    box.click();
    EXPECT_TRUE(main.alwaysOnTopTimer().isEnabled());
    EXPECT_EQ(get("ALWAYS_ON_TOP_TICKBOX"), "1");
    EXPECT_TRUE(platform.topmostCalls.empty());
    box.click();
    EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
    EXPECT_EQ(get("ALWAYS_ON_TOP_TICKBOX"), "0");
    using Call = std::pair<forms::NativeHandle, bool>;
    EXPECT_EQ(platform.topmostCalls, (std::vector<Call>{{w.handle(), false}}));
  });
}

TEST_F(DialogTest, OkAndFrameBothStoreTheDialogGeometryWhichTheNextOpeningRestores) {
  withDialog([&](FakeWindow& d) {
    d.geometry = {-3000, 2000, 6000, 5000};
    d.button("OK_BUTTON").click();
    EXPECT_TRUE(d.closed);
  });
  EXPECT_EQ(get("AboutMainLeft"), "-3000");
  EXPECT_EQ(get("AboutMainHeight"), "5000");
  withDialog([&](FakeWindow& d) {
    EXPECT_EQ(d.geometry, (forms::Rect{-3000, 2000, 6000, 5000}));
    d.geometry = {1500, 1600, 5900, 4600};
    d.close();  // the frame's close button
  });
  EXPECT_EQ(get("AboutMainLeft"), "1500");
  EXPECT_EQ(get("AboutMainTop"), "1600");
  EXPECT_EQ(get("AboutMainWidth"), "5900");
}

TEST_F(DialogTest, CreditShowsTheAddressUntilClosedAndStoresNothing) {
  const int writesBefore = store.writes();
  withDialog([&](FakeWindow& d) {
    auto& credit = d.label("TARNWICK_VESK_CREATOR");
    EXPECT_EQ(credit.caption().rfind("Created By ", 0), 0u);
    credit.onClick();
    const auto address = credit.caption();
    EXPECT_NE(address.find('@'), std::string::npos);
    credit.onClick();
    EXPECT_EQ(credit.caption(), address);
    EXPECT_EQ(store.writes(), writesBefore);
    d.close();
  });
  withDialog([&](FakeWindow& d) {
    EXPECT_EQ(d.label("TARNWICK_VESK_CREATOR").caption().rfind("Created By ", 0), 0u);
  });
}

TEST_F(DialogTest, CannotOpenTwiceAndKeeperIgnoresIt) {
  int opened = 0;
  withDialog([&](FakeWindow& d) {
    ++opened;
    dialog.open();  // a second request while open does nothing
    platform.foreground = d.handle();
    main.setAlwaysOnTop(true, false);
    main.AlwaysOnTopTimer_Timer();
    EXPECT_TRUE(platform.topmostCalls.empty());
  });
  EXPECT_EQ(opened, 1);
}
