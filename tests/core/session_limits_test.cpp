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

const char* kRow[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
const char* kUpright[] = {"VERT_NUM_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL", "VERT_SCR_LIGHT_LABEL"};

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
  void put(const char* key, const std::string& text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
};

TEST_F(SessionLimitsTest, AnUnknownLockIsGreyWithItsReasonUntilItIsKnownAgain) {
  start();
  platform.states = {1, 1, 0};
  platform.unknown[1] = "Caps Lock cannot be read here.";
  w->timer(1).elapse();
  const forms::Colour want[] = {forms::kGreen, forms::kGrey, forms::kRed};
  for (int i = 0; i < 3; ++i) {
    for (const char* name : {kRow[i], kUpright[i]}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(w->label(name).back, want[i]);
      EXPECT_EQ(w->label(name).toolTip, i == 1 ? "Caps Lock cannot be read here." : "");
    }
  }
  platform.unknown[1].reset();
  w->timer(1).elapse();
  EXPECT_EQ(w->label(kRow[1]).back, forms::kGreen);
  EXPECT_EQ(w->label(kUpright[1]).toolTip, "") << "the reason stayed after the state came back";
}

TEST_F(SessionLimitsTest, APlatformNoteIsShownInTheWindow) {
  start();
  ASSERT_TRUE(platform.onNote);
  platform.onNote("No on-screen keyboard is installed.");
  EXPECT_EQ(w->notes, std::vector<std::string>{"No on-screen keyboard is installed."});
  main.reset();
  EXPECT_FALSE(platform.onNote) << "a note after the window has gone would reach nothing";
}

// The row needs a client area of 3735 x 615 twips: the button's right edge and the lights'
// bottom, each with the 120 twips margin.
struct FrameCase {
  const char* name;
  double frameWidth, frameHeight;
  std::optional<std::pair<double, double>> stored;  // MainWidth, MainHeight
  forms::Rect want;
};

class DefaultSizeTest : public SessionLimitsTest,
                        public ::testing::WithParamInterface<FrameCase> {};

TEST_P(DefaultSizeTest, GrowsForTheFrameOnlyWhereNoSizeIsStored) {
  const FrameCase& c = GetParam();
  toolkit.desktopInfo.frameWidth = c.frameWidth;
  toolkit.desktopInfo.frameHeight = c.frameHeight;
  if (c.stored) {
    put("MainWidth", std::to_string(c.stored->first));
    put("MainHeight", std::to_string(c.stored->second));
  }
  start();
  EXPECT_EQ(w->geometry, c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DefaultSizeTest,
    ::testing::Values(
        FrameCase{"ThinFrameKeepsTheDefault", 105, 330, std::nullopt, {1000, 1000, 3840, 945}},
        FrameCase{"TallTitleBar", 30, 1080, std::nullopt, {1000, 1000, 3840, 1695}},
        FrameCase{"WideShadow", 570, 885, std::nullopt, {1000, 1000, 4305, 1500}},
        FrameCase{"StoredSizeIsKept", 570, 885, std::pair{3840.0, 945.0}, {1000, 1000, 3840, 945}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionLimitsTest, WhereTheWindowSystemPlacesTheWindowOnlyItsSizeIsStored) {
  toolkit.desktopInfo.placesKnown = false;
  put("MainLeft", "4000");
  put("MainTop", "5000");
  start();
  w->geometry = {0, 0, 4500, 1200};
  w->close();
  EXPECT_EQ(get("MainLeft"), "4000");
  EXPECT_EQ(get("MainTop"), "5000");
  EXPECT_EQ(get("MainWidth"), "4500");
  EXPECT_EQ(get("MainHeight"), "1200");
}

}  // namespace
