// What the indicator does where the session limits it: lights whose state no source can tell,
// notes about refused actions, a frame taller than the default size expects, and a window
// system that places the window itself.

#include <gtest/gtest.h>

#include "forms/fake/fake_forms.h"
#include "indicator/indicator_window.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

using namespace vesk;
using settings::Key;

namespace {

struct SessionLimitsTest : ::testing::Test {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  std::unique_ptr<indicator::IndicatorWindow> main;

  forms::fake::FakeWindow& start() {
    main = std::make_unique<indicator::IndicatorWindow>(toolkit, settings, platform);
    main->start();
    return *toolkit.find("VESK_LIGHTS_MAIN");
  }
};

// Caps Lock, lit, unknown and then known again: both its lights go grey with the reason, then
// back to green.
TEST_F(SessionLimitsTest, AnUnknownLockIsGreyWithItsReasonAndNotesReachTheWindow) {
  auto& w = start();
  platform.states = {0, 1, 0};
  for (const std::string why : {"Caps Lock cannot be read here.", ""}) {
    platform.unknown[1] = why.empty() ? std::nullopt : std::optional(why);
    w.timer(1).elapse();
    for (const char* light : {"CAPS_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL"}) {
      EXPECT_EQ(w.label(light).back, why.empty() ? forms::kGreen : forms::kGrey) << light << why;
      EXPECT_EQ(w.label(light).toolTip, why) << light;
    }
    EXPECT_EQ(w.label("SCROLL_LIGHT_LABEL").toolTip, "");
  }
  platform.onNote("No on-screen keyboard is installed.");
  EXPECT_EQ(w.notes, std::vector<std::string>{"No on-screen keyboard is installed."});
  main.reset();
  EXPECT_FALSE(platform.onNote) << "a note after the window has gone would reach nothing";
}

// The row needs a client area of 3735 x 615 twips. Rows: frame width and height, a stored size
// (0: none), the outer size wanted.
TEST_F(SessionLimitsTest, TheDefaultSizeGrowsForTheFrameButAStoredSizeIsKept) {
  const float rows[][6] = {{105, 330, 0, 0, 3840, 945},        // a thin tool-window frame
                           {570, 885, 0, 0, 4305, 1500},       // a frame with a shadow
                           {570, 885, 3840, 945, 3840, 945}};  // the user's own size
  for (const auto& r : rows) {
    toolkit.desktopInfo.frameWidth = r[0];
    toolkit.desktopInfo.frameHeight = r[1];
    if (r[2] > 0) settings.saveSingles({{Key::MainWidth, r[2]}, {Key::MainHeight, r[3]}});
    EXPECT_EQ(start().geometry, (forms::Rect{1000, 1000, r[4], r[5]})) << r[0] << "x" << r[1];
  }
}

TEST_F(SessionLimitsTest, WhereTheWindowSystemPlacesTheWindowOnlyItsSizeIsStored) {
  toolkit.desktopInfo.placesKnown = false;
  auto& w = start();
  w.geometry = {0, 0, 4500, 1200};
  w.close();
  EXPECT_FALSE(settings.storedSingle(Key::MainLeft));
  EXPECT_FALSE(settings.storedSingle(Key::MainTop));
  EXPECT_EQ(settings.storedSingle(Key::MainWidth), 4500.0f);
  EXPECT_EQ(settings.storedSingle(Key::MainHeight), 1200.0f);
}

}  // namespace
