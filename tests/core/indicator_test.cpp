#include "indicator/indicator_window.h"

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;
using forms::fake::FakeWindow;
using platform::LockKey;

namespace {

const char* kRow[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
const char* kUpright[] = {"VERT_NUM_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL", "VERT_SCR_LIGHT_LABEL"};
const char* kShow[] = {"SHOW_NUM_TICKBOX", "SHOW_CAPS_TICKBOX", "SHOW_SCROLL_TICKBOX"};

// A store that logs each write into the toolkit's log, so orders across both can be checked.
struct LoggingStore : settings::MemoryStore {
  std::vector<std::string>* log = nullptr;
  void save(const std::string& a, const std::string& s, const std::string& k,
            const std::string& t) override {
    if (log) log->push_back("save " + k + "=" + t);
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
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  void tick() { w.timer(1).elapse(); }
};

}  // namespace

TEST_F(IndicatorTest, FirstRunOpensAtDefaultsAndWritesNothing) {
  main.start();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.label(kRow[i]).back, forms::kWhite) << "white until the first tick";
    EXPECT_TRUE(w.label(kUpright[i]).isVisible()) << "all shown until the first tick";
  }
  EXPECT_EQ(w.geometry, (forms::Rect{1000, 1000, 3840, 945}));
  EXPECT_TRUE(w.shown);
  tick();
  EXPECT_TRUE(store.empty());
  EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled());
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(w.label(kRow[i]).isVisible());
    EXPECT_FALSE(w.label(kUpright[i]).isVisible());
  }
  EXPECT_TRUE(w.button("OSK_BUTTON").isVisible());
}

TEST_F(IndicatorTest, LoadRestoresStoredPlaceThenStartsTimersInOrder) {
  put("MainLeft", "-15");
  put("MainTop", "300");
  put("MainWidth", "5000");
  put("MainHeight", "2000");
  put("ALWAYS_ON_TOP_TICKBOX", "1");
  toolkit.log.clear();
  main.start();
  EXPECT_EQ(w.geometry, (forms::Rect{-15, 300, 5000, 2000}));
  const std::vector<std::string> expected = {
      "VESK_LIGHTS_MAIN.geometry",         "VESK_LIGHTS_MAIN.timer0.interval=1000",
      "VESK_LIGHTS_MAIN.timer1.enabled=1", "VESK_LIGHTS_MAIN.timer1.interval=100",
      "VESK_LIGHTS_MAIN.timer0.enabled=1", "VESK_LIGHTS_MAIN.show"};
  EXPECT_EQ(toolkit.log, expected);
}

TEST_F(IndicatorTest, KeeperStartsOnlyForExactlyOne) {
  for (const char* text : {"2", "0", "1.5", "junk", "-1"}) {
    put("ALWAYS_ON_TOP_TICKBOX", text);
    main.Form_Load();
    EXPECT_FALSE(main.alwaysOnTopTimer().isEnabled()) << text;
  }
  put("ALWAYS_ON_TOP_TICKBOX", "1.0");
  main.Form_Load();
  EXPECT_TRUE(main.alwaysOnTopTimer().isEnabled());
}

TEST_F(IndicatorTest, UnloadStoresOuterGeometryThenStopsBothTimers) {
  put("ALWAYS_ON_TOP_TICKBOX", "1");
  main.start();
  w.geometry = {-1500, 450, 4200, 1800};
  toolkit.log.clear();
  w.close();
  const std::vector<std::string> expected = {"save MainLeft=-1500",
                                             "save MainTop=450",
                                             "save MainWidth=4200",
                                             "save MainHeight=1800",
                                             "VESK_LIGHTS_MAIN.timer0.enabled=0",
                                             "VESK_LIGHTS_MAIN.timer1.enabled=0",
                                             "VESK_LIGHTS_MAIN.closed"};
  EXPECT_EQ(toolkit.log, expected);
}

TEST_F(IndicatorTest, LightsFollowTheWholeKeyStateWordOnEveryTick) {
  main.start();
  put("VERT_LIGHTS_TICKBOX", "1");
  put("SHOW_CAPS_TICKBOX", "0");
  // Toggled, off, and held down while toggled off (high bit only).
  platform.states = {0x0001, 0x0000, 0xFF80};
  tick();
  const forms::Colour want[] = {forms::kGreen, forms::kRed, forms::kGreen};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.label(kRow[i]).back, want[i]) << kRow[i];
    EXPECT_EQ(w.label(kUpright[i]).back, want[i]) << kUpright[i];
  }
  platform.states = {0, 1, 0};
  tick();
  EXPECT_EQ(w.label("CAPS_LIGHT_LABEL").back, forms::kGreen) << "hidden lights are coloured too";
  EXPECT_EQ(w.label("VERT_NUM_LIGHT_LABEL").back, forms::kRed);
  EXPECT_EQ(w.label("SCROLL_LIGHT_LABEL").colourSets, 2);
  EXPECT_EQ(platform.keyStateReads, 6);
}

TEST_F(IndicatorTest, VisibilityOverAllCombinations) {
  main.start();
  const char* flagValues[] = {"0", "1", "2"};
  for (const char* vert : flagValues) {
    for (int mask = 0; mask < 8; ++mask) {
      for (const char* osk : {"0", "1", "2"}) {
        put("VERT_LIGHTS_TICKBOX", vert);
        for (int i = 0; i < 3; ++i) put(kShow[i], (mask >> i) & 1 ? "2" : "0");
        put("SHOW_OSK_BUTTON", osk);
        tick();
        const bool upright = std::string(vert) == "1";
        for (int i = 0; i < 3; ++i) {
          const bool shown = (mask >> i) & 1;
          EXPECT_EQ(w.label(kRow[i]).isVisible(), shown && !upright) << vert << mask << kRow[i];
          EXPECT_EQ(w.label(kUpright[i]).isVisible(), shown && upright)
              << vert << mask << kUpright[i];
        }
        EXPECT_EQ(w.button("OSK_BUTTON").isVisible(), std::string(osk) != "0");
      }
    }
  }
}

TEST_F(IndicatorTest, HiddenLightsKeepPlacesAndTakeNoDoubleClick) {
  main.start();
  put("SHOW_NUM_TICKBOX", "0");
  bool dialogAsked = false;
  main.openSettings = [&] { dialogAsked = true; };
  tick();
  EXPECT_EQ(w.label("CAPS_LIGHT_LABEL").spec.place.left, 1080);
  EXPECT_EQ(w.label("SCROLL_LIGHT_LABEL").spec.place.left, 2040);
  w.doubleClickAt(500, 300);  // the empty place of the Num light
  EXPECT_TRUE(platform.presses.empty());
  EXPECT_TRUE(dialogAsked);
  dialogAsked = false;
  w.doubleClickAt(1500, 300);  // the Caps light
  EXPECT_EQ(platform.presses, std::vector<LockKey>{LockKey::Caps});
  EXPECT_FALSE(dialogAsked);
}

TEST_F(IndicatorTest, EachLightFlipsItsOwnKey) {
  main.start();
  put("VERT_LIGHTS_TICKBOX", "1");
  tick();
  w.doubleClickAt(100, 600);
  w.doubleClickAt(500, 600);
  w.doubleClickAt(900, 600);
  put("VERT_LIGHTS_TICKBOX", "0");
  tick();
  w.doubleClickAt(200, 200);
  w.doubleClickAt(1200, 200);
  w.doubleClickAt(2200, 200);
  const std::vector<LockKey> expected = {LockKey::Num, LockKey::Caps, LockKey::Scroll,
                                         LockKey::Num, LockKey::Caps, LockKey::Scroll};
  EXPECT_EQ(platform.presses, expected);
  tick();
  EXPECT_EQ(w.label("NUM_LIGHT_LABEL").back, forms::kRed) << "flipped twice";
}

TEST_F(IndicatorTest, OskButtonStartsTheKeyboardOwnedByTheWindow) {
  main.start();
  w.button("OSK_BUTTON").click();
  EXPECT_EQ(platform.keyboardStarts, std::vector<forms::NativeHandle>{w.handle()});
}

TEST_F(IndicatorTest, KeeperDecisions) {
  main.start();
  const auto own = w.handle();
  platform.foreground = own;
  main.AlwaysOnTopTimer_Timer();
  EXPECT_TRUE(platform.topmostCalls.empty()) << "nothing to do while we have the foreground";

  platform.foreground = 0x777;
  main.AlwaysOnTopTimer_Timer();
  using Call = std::pair<forms::NativeHandle, bool>;
  EXPECT_EQ(platform.topmostCalls, (std::vector<Call>{{0x777, false}, {own, true}}));

  platform.topmostCalls.clear();
  platform.foreground = 0;
  main.AlwaysOnTopTimer_Timer();
  EXPECT_EQ(platform.topmostCalls, (std::vector<Call>{{own, true}}));

  platform.topmostCalls.clear();
  platform.foreground = 0x999;
  main.otherOwnWindow = [] { return forms::NativeHandle{0x999}; };
  main.AlwaysOnTopTimer_Timer();
  EXPECT_TRUE(platform.topmostCalls.empty()) << "our own dialog is left alone";
}

TEST_F(IndicatorTest, KeeperRunsEverySecondOnlyWhileEnabled) {
  main.start();
  platform.foreground = 0x777;
  w.timer(0).elapse();
  EXPECT_TRUE(platform.topmostCalls.empty());
  main.setAlwaysOnTop(true, true);
  w.timer(0).elapse();
  EXPECT_EQ(platform.topmostCalls.size(), 2u);
  main.setAlwaysOnTop(false, true);
  EXPECT_EQ(platform.topmostCalls.back(), std::make_pair(w.handle(), false));
  EXPECT_EQ(platform.quietRemovals, std::vector<forms::NativeHandle>{w.handle()});
  w.timer(0).elapse();
  EXPECT_EQ(platform.topmostCalls.size(), 3u);
}

TEST_F(IndicatorTest, UnusableStoredValuesNeverStopTheWindow) {
  put("MainLeft", "");
  put("MainWidth", "wide");
  put("VERT_LIGHTS_TICKBOX", "yes");
  put("SHOW_OSK_BUTTON", "1e999");
  main.start();
  tick();
  EXPECT_EQ(w.geometry, (forms::Rect{1000, 1000, 3840, 945}));
  EXPECT_TRUE(w.label("NUM_LIGHT_LABEL").isVisible());
  EXPECT_TRUE(w.button("OSK_BUTTON").isVisible());
  EXPECT_EQ(get("VERT_LIGHTS_TICKBOX"), "yes") << "never rewritten on its own";
}

TEST_F(IndicatorTest, WindowLostOffScreenComesBack) {
  put("MainLeft", "500000");
  put("MainTop", "-90000");
  put("MainWidth", "6000");
  put("MainHeight", "1500");
  main.start();
  EXPECT_EQ(w.geometry, (forms::Rect{1000, 1000, 6000, 1500}));
}
