// What the indicator does where the session limits it: lights whose state no source can tell,
// notes about refused actions, a frame taller than the default size expects, and a window
// system that places the window itself.

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "indicator/indicator_window.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;

namespace {

struct SessionLimitsTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  std::unique_ptr<indicator::IndicatorWindow> main;
  forms::fake::FakeWindow* w = nullptr;

  void start() {
    main = std::make_unique<indicator::IndicatorWindow>(toolkit, settings, platform);
    w = toolkit.find("VESK_LIGHTS_MAIN");
    main->start();
  }
  std::optional<std::string> stored(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  void put(const char* key, double value) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, std::to_string(value));
  }
};

TEST_F(SessionLimitsTest, AnUnknownLockIsGreyWithItsReasonAndNotesReachTheWindow) {
  start();
  platform.states = {1, 0, 0};
  platform.unknown[1] = "Caps Lock cannot be read here.";
  w->timer(1).elapse();
  for (const char* light : {"CAPS_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL"}) {
    EXPECT_EQ(w->label(light).back, forms::kGrey) << light;
    EXPECT_EQ(w->label(light).toolTip, "Caps Lock cannot be read here.") << light;
  }
  EXPECT_EQ(w->label("NUM_LIGHT_LABEL").back, forms::kGreen);
  EXPECT_EQ(w->label("SCROLL_LIGHT_LABEL").back, forms::kRed);
  EXPECT_EQ(w->label("SCROLL_LIGHT_LABEL").toolTip, "");
  platform.unknown[1].reset();
  w->timer(1).elapse();
  EXPECT_EQ(w->label("VERT_CAP_LIGHT_LABEL").back, forms::kRed);
  EXPECT_EQ(w->label("VERT_CAP_LIGHT_LABEL").toolTip, "") << "the reason outlived the state";

  platform.onNote("No on-screen keyboard is installed.");
  EXPECT_EQ(w->notes, std::vector<std::string>{"No on-screen keyboard is installed."});
  main.reset();
  EXPECT_FALSE(platform.onNote) << "a note after the window has gone would reach nothing";
}

// The row needs a client area of 3735 x 615 twips: the button's right edge and the lights'
// bottom, each with the 120 twips margin. Rows: frame width and height, a stored size
// (0: none), the outer size wanted.
TEST_F(SessionLimitsTest, TheDefaultSizeGrowsForTheFrameButAStoredSizeIsKept) {
  const double rows[][6] = {{105, 330, 0, 0, 3840, 945},        // a thin tool-window frame
                            {30, 1080, 0, 0, 3840, 1695},       // a tall title bar
                            {570, 885, 0, 0, 4305, 1500},       // a frame with a shadow
                            {570, 885, 3840, 945, 3840, 945}};  // the user's own size
  for (const auto& r : rows) {
    toolkit.desktopInfo.frameWidth = r[0];
    toolkit.desktopInfo.frameHeight = r[1];
    store = {};
    if (r[2] > 0) put("MainWidth", r[2]), put("MainHeight", r[3]);
    start();
    EXPECT_EQ(w->geometry, (forms::Rect{1000, 1000, r[4], r[5]})) << r[0] << "x" << r[1];
  }
}

TEST_F(SessionLimitsTest, WhereTheWindowSystemPlacesTheWindowOnlyItsSizeIsStored) {
  toolkit.desktopInfo.placesKnown = false;
  put("MainLeft", 4000);
  start();
  w->geometry = {0, 0, 4500, 1200};
  w->close();
  EXPECT_EQ(stored("MainLeft"), std::to_string(4000.0));
  EXPECT_FALSE(stored("MainTop"));
  EXPECT_EQ(stored("MainWidth"), "4500");
  EXPECT_EQ(stored("MainHeight"), "1200");
}

}  // namespace
