// The settings dialog on the fakes, opened the user's way: a double-click on the background.

#include "settings_dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;
using forms::fake::FakeWindow;

namespace {

const char* kBoxes[] = {"SHOW_NUM_TICKBOX", "SHOW_CAPS_TICKBOX",   "SHOW_SCROLL_TICKBOX",
                        "SHOW_OSK_BUTTON",  "VERT_LIGHTS_TICKBOX", "ALWAYS_ON_TOP_TICKBOX"};

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
  // Opens the dialog and acts on it while it is shown; false when no dialog opened.
  bool withDialog(const std::function<void(FakeWindow&)>& act) {
    bool opened = false;
    toolkit.whileModal = [&](FakeWindow& d) {
      opened = true;
      act(d);
    };
    w.doubleClickAt(3800, 800);
    return opened;
  }
};

}  // namespace

TEST_F(DialogTest, OpensModallyAtItsDefaultsShowingStoredValuesWritingNothingAndOnlyOnce) {
  const char* stored[] = {"abc", "2", "7", "-0.4", "1", nullptr};  // 7: not a box value
  for (int i = 0; i < 6; ++i) {
    if (stored[i]) put(kBoxes[i], stored[i]);
  }
  const int writes = store.writes();
  int opened = 0;
  EXPECT_TRUE(withDialog([&](FakeWindow& d) {
    ++opened;
    dialog.open();  // a second request while open does nothing
    EXPECT_EQ(d.spec.name, "VESK_LIGHTS_SETTINGS");
    EXPECT_EQ(d.modalOwner, &main.window());
    EXPECT_EQ(d.geometry, (forms::Rect{1000, 1000, 5835, 4530}));
    const int want[] = {1, 2, 1, 0, 1, 0};
    std::vector<std::pair<int, std::string>> tabOrder;
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(d.checkBox(kBoxes[i]).value(), want[i]) << kBoxes[i];
      tabOrder.emplace_back(d.checkBox(kBoxes[i]).spec.tabIndex, kBoxes[i]);
    }
    tabOrder.emplace_back(d.button("OK_BUTTON").spec.tabIndex, "OK_BUTTON");
    std::sort(tabOrder.begin(), tabOrder.end());
    EXPECT_EQ(tabOrder.front().second, "OK_BUTTON");
    EXPECT_EQ(tabOrder[1].second, "VERT_LIGHTS_TICKBOX");
    EXPECT_EQ(tabOrder.back().second, "SHOW_OSK_BUTTON");
    EXPECT_EQ(store.writes(), writes);
  }));
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(dialog.isOpen());
  EXPECT_EQ(get("SHOW_SCROLL_TICKBOX"), "7");
  EXPECT_EQ(reports.size(), 2u) << "abc and 7, once each";
  EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
}

TEST_F(DialogTest, EachClickIsStoredAtOnceAndTheIndicatorFollowsWhileItIsOpen) {
  put("SHOW_CAPS_TICKBOX", "2");
  const char* want[] = {"0", "1", "0", "0", "1", "1"};
  withDialog([&](FakeWindow& d) {
    for (int i = 0; i < 6; ++i) {
      d.checkBox(kBoxes[i]).click();
      EXPECT_EQ(get(kBoxes[i]), want[i]) << kBoxes[i];
    }
    main.refreshTimer().onTimer();
    EXPECT_FALSE(w.label("VERT_NUM_LIGHT_LABEL").isVisible());
    EXPECT_TRUE(w.label("VERT_CAP_LIGHT_LABEL").isVisible());
    EXPECT_FALSE(w.label("CAPS_LIGHT_LABEL").isVisible());
    EXPECT_FALSE(w.button("OSK_BUTTON").isVisible());
    EXPECT_TRUE(main.alwaysOnTopTimer().isEnabled());
    EXPECT_TRUE(platform.topmostCalls.empty());
    platform.foreground = d.handle();
    main.AlwaysOnTopTimer_Timer();
    EXPECT_TRUE(platform.topmostCalls.empty()) << "the keeper touched our own dialog";
    d.checkBox("ALWAYS_ON_TOP_TICKBOX").click();
    EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
    EXPECT_EQ(get("ALWAYS_ON_TOP_TICKBOX"), "0");
    using Call = std::pair<forms::NativeHandle, bool>;
    EXPECT_EQ(platform.topmostCalls, (std::vector<Call>{{w.handle(), false}}));
  });
}

TEST_F(DialogTest, OkAndTheFrameStoreTheGeometryTheNextOpeningRestoresAndTheCreditStoresNothing) {
  withDialog([&](FakeWindow& d) {
    auto& credit = d.label("TARNWICK_VESK_CREATOR");
    const int writes = store.writes();
    credit.onClick();
    EXPECT_NE(credit.caption().find('@'), std::string::npos);
    EXPECT_EQ(store.writes(), writes);
    d.geometry = {-3000, 2000, 6000, 5000};
    d.button("OK_BUTTON").click();
    EXPECT_TRUE(d.closed);
  });
  withDialog([&](FakeWindow& d) {
    EXPECT_EQ(d.label("TARNWICK_VESK_CREATOR").caption().rfind("Created By ", 0), 0u);
    EXPECT_EQ(d.geometry, (forms::Rect{-3000, 2000, 6000, 5000}));
    d.geometry = {1500, 1600, 5900, 4600};
    d.close();  // the frame's close button
  });
  const char* keys[] = {"AboutMainLeft", "AboutMainTop", "AboutMainWidth", "AboutMainHeight"};
  const char* want[] = {"1500", "1600", "5900", "4600"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(get(keys[i]), want[i]) << keys[i];
}
