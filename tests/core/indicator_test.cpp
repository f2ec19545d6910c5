// The indicator window on the fakes: load and unload, the lights on each tick, double-clicks
// and the keeper.

#include "indicator/indicator_window.h"

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;
using forms::Rect;
using forms::fake::FakeWindow;
using platform::LockKey;

namespace {

const char* kRow[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
const char* kUpright[] = {"VERT_NUM_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL", "VERT_SCR_LIGHT_LABEL"};
const char* kShow[] = {"SHOW_NUM_TICKBOX", "SHOW_CAPS_TICKBOX", "SHOW_SCROLL_TICKBOX"};
using Call = std::pair<forms::NativeHandle, bool>;

// Logs each write into the toolkit's log, so that orders across both can be checked.
struct LoggingStore : settings::MemoryStore {
  std::vector<std::string>* log = nullptr;
  void save(const std::string& a, const std::string& s, const std::string& k,
            const std::string& t) override {
    log->push_back("save " + k + "=" + t);
    MemoryStore::save(a, s, k, t);
  }
};

struct IndicatorTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  LoggingStore store;
  settings::Settings settings{store, '.', nullptr};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");

  IndicatorTest() { store.log = &toolkit.log; }
  void put(const char* key, const std::string& text) {
    store.MemoryStore::save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  void tick() { w.timer(1).elapse(); }
};

}  // namespace

TEST_F(IndicatorTest, FirstRunShowsEveryLightWhiteAtTheDefaultsThenTheRowAndWritesNothing) {
  main.start();
  EXPECT_EQ(w.geometry, (Rect{1000, 1000, 3840, 945}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.label(kRow[i]).back, forms::kWhite) << "white until the first tick";
    EXPECT_TRUE(w.label(kUpright[i]).isVisible()) << "all shown until the first tick";
  }
  tick();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(w.label(kUpright[i]).isVisible());
  EXPECT_TRUE(store.empty());
  EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
}

TEST_F(IndicatorTest, LoadTakesTheStoredPlaceUnlessUnusableOrLostThenStartsTheTimersInOrder) {
  const std::pair<std::vector<std::string>, Rect> cases[] = {
      {{"-15", "300", "5000", "2000"}, {-15, 300, 5000, 2000}},
      {{"", "300", "wide", "1e999"}, {1000, 300, 3840, 945}},
      {{"500000", "-90000", "6000", "1500"}, {1000, 1000, 6000, 1500}},
  };
  main.start();
  put("ALWAYS_ON_TOP_TICKBOX", "1");
  for (const auto& [stored, want] : cases) {
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i) put(keys[i], stored[i]);
    toolkit.log.clear();
    main.Form_Load();
    EXPECT_EQ(w.geometry, want) << stored[0];
  }
  EXPECT_EQ(toolkit.log,
            (std::vector<std::string>{
                "VESK_LIGHTS_MAIN.geometry", "VESK_LIGHTS_MAIN.timer0.interval=1000",
                "VESK_LIGHTS_MAIN.timer1.enabled=1", "VESK_LIGHTS_MAIN.timer1.interval=100",
                "VESK_LIGHTS_MAIN.timer0.enabled=1"}));
  for (const char* text : {"2", "0", "1.5", "junk", "-1"}) {
    put("ALWAYS_ON_TOP_TICKBOX", text);
    main.Form_Load();
    EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled()) << "the keeper started for " << text;
  }
}

TEST_F(IndicatorTest, UnloadStoresTheOuterGeometryThenStopsBothTimers) {
  put("ALWAYS_ON_TOP_TICKBOX", "1");
  main.start();
  w.geometry = {-1500, 450, 4200, 1800};
  toolkit.log.clear();
  w.close();
  EXPECT_EQ(toolkit.log, (std::vector<std::string>{
                             "save MainLeft=-1500", "save MainTop=450", "save MainWidth=4200",
                             "save MainHeight=1800", "VESK_LIGHTS_MAIN.timer0.enabled=0",
                             "VESK_LIGHTS_MAIN.timer1.enabled=0", "VESK_LIGHTS_MAIN.closed"}));
}

TEST_F(IndicatorTest, EveryLightFollowsTheWholeKeyStateWordOnEveryTick) {
  main.start();
  put("VERT_LIGHTS_TICKBOX", "1");
  put("SHOW_CAPS_TICKBOX", "0");
  platform.states = {0x0001, 0x0000, 0xFF80};  // toggled, off, held down while off
  tick();
  const forms::Colour want[] = {forms::kGreen, forms::kRed, forms::kGreen};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.label(kRow[i]).back, want[i]) << kRow[i] << ", hidden lights too";
    EXPECT_EQ(w.label(kUpright[i]).back, want[i]) << kUpright[i];
  }
  EXPECT_EQ(platform.keyStateReads, 3) << "one read a key a tick";
}

TEST_F(IndicatorTest, WhatIsShownFollowsTheStoredFlagsOnEveryTick) {
  main.start();
  for (const char* vert : {"0", "1", "2"}) {
    for (int mask = 0; mask < 8; ++mask) {
      const char* osk = mask == 5 ? "0" : "2";
      put("VERT_LIGHTS_TICKBOX", vert);
      for (int i = 0; i < 3; ++i) put(kShow[i], (mask >> i) & 1 ? "2" : "0");
      put("SHOW_OSK_BUTTON", osk);
      tick();
      const bool upright = std::string(vert) == "1";
      for (int i = 0; i < 3; ++i) {
        const bool shown = (mask >> i) & 1;
        EXPECT_EQ(w.label(kRow[i]).isVisible(), shown && !upright) << vert << mask << i;
        EXPECT_EQ(w.label(kUpright[i]).isVisible(), shown && upright) << vert << mask << i;
      }
      EXPECT_EQ(w.button("OSK_BUTTON").isVisible(), mask != 5);
    }
  }
}

TEST_F(IndicatorTest, EachLightFlipsItsOwnKeyAndAHiddenOneLeavesItsPlaceToTheBackground) {
  main.start();
  int dialogs = 0;
  main.openSettings = [&] { ++dialogs; };
  put("VERT_LIGHTS_TICKBOX", "1");
  tick();
  for (double x : {100, 500, 900}) w.doubleClickAt(x, 600);
  put("VERT_LIGHTS_TICKBOX", "0");
  put("SHOW_NUM_TICKBOX", "0");
  tick();
  for (double x : {500, 1500, 2500}) w.doubleClickAt(x, 300);
  EXPECT_EQ(platform.presses, (std::vector<LockKey>{LockKey::Num, LockKey::Caps, LockKey::Scroll,
                                                    LockKey::Caps, LockKey::Scroll}));
  EXPECT_EQ(dialogs, 1) << "only the empty place of the Num light opens the dialog";
  w.button("OSK_BUTTON").click();
  EXPECT_EQ(platform.keyboardStarts, std::vector<forms::NativeHandle>{w.handle()});
}

TEST_F(IndicatorTest, KeeperDemotesAnotherTopmostWindowKeepsOursAboveAndLeavesOurDialog) {
  main.start();
  const auto own = w.handle();
  main.otherOwnWindow = [] { return forms::NativeHandle{0x999}; };
  const std::pair<forms::NativeHandle, std::vector<Call>> cases[] = {
      {own, {}}, {0x777, {{0x777, false}, {own, true}}}, {0, {{own, true}}}, {0x999, {}}};
  for (const auto& [foreground, calls] : cases) {
    platform.topmostCalls.clear();
    platform.foreground = foreground;
    main.AlwaysOnTopTimer_Timer();
    EXPECT_EQ(platform.topmostCalls, calls) << foreground;
  }
  main.setAlwaysOnTop(true, true);
  main.setAlwaysOnTop(false, true);  // unticked while the dialog has the keyboard
  EXPECT_EQ(platform.quietRemovals, std::vector<forms::NativeHandle>{own});
}
