// The indicator window on the fakes: load and unload, the lights on each tick, double-clicks
// and the keeper. What it shows at the defaults is played end to end (first-start,
// on-screen-keyboard).

#include <gtest/gtest.h>

#include "core/core_fixture.h"

using namespace vesk;
using forms::Rect;
using platform::LockKey;

namespace {

const char* kRow[] = {"NUM_LIGHT_LABEL", "CAPS_LIGHT_LABEL", "SCROLL_LIGHT_LABEL"};
const char* kUpright[] = {"VERT_NUM_LIGHT_LABEL", "VERT_CAP_LIGHT_LABEL", "VERT_SCR_LIGHT_LABEL"};
const char* kShow[] = {"SHOW_NUM_TICKBOX", "SHOW_CAPS_TICKBOX", "SHOW_SCROLL_TICKBOX"};
const char* kGeometry[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

struct IndicatorTest : test::Core, ::testing::Test {};

}  // namespace

// What a close stores is played end to end (close-and-restore, session-end-saves-like-a-close).
TEST_F(IndicatorTest, LoadTakesTheStoredPlaceUnlessUnusableOrLostAndTheKeeperRunsOnlyForOne) {
  const std::pair<std::vector<std::string>, Rect> cases[] = {
      {{"-15", "300", "5000", "2000"}, {-15, 300, 5000, 2000}},
      {{"", "300", "wide", "1e999"}, {1000, 300, 3840, 945}},
      {{"500000", "-90000", "6000", "1500"}, {1000, 1000, 6000, 1500}},
  };
  main.start();
  tick();
  auto& keeper = main.alwaysOnTopTimer();
  EXPECT_FALSE(keeper.isEnabled()) << "kept above though nothing asks for it";
  EXPECT_TRUE(store.empty()) << "a first run writes nothing";
  for (const char* text : {"2", "0", "1.4", "junk", "-1"}) {
    put("ALWAYS_ON_TOP_TICKBOX", text);
    main.Form_Load();
    EXPECT_FALSE(keeper.isEnabled()) << "the keeper started for " << text;
  }
  put("ALWAYS_ON_TOP_TICKBOX", "1");
  for (const auto& [stored, want] : cases) {
    for (int i = 0; i < 4; ++i) put(kGeometry[i], stored[i]);
    main.Form_Load();
    EXPECT_EQ(w.geometry, want) << stored[0];
  }
  EXPECT_TRUE(keeper.isEnabled() && keeper.interval() == 1000);
  EXPECT_EQ(main.refreshTimer().interval(), 100);
  const int writes = store.writes();
  w.close();
  EXPECT_EQ(store.writes(), writes + 1) << "the geometry keys not in one write";
  EXPECT_FALSE(keeper.isEnabled() || main.refreshTimer().isEnabled()) << "ticking when closed";
}

TEST_F(IndicatorTest, EveryTickColoursEveryLightByTheWholeKeyWordAndShowsWhatTheFlagsSay) {
  main.start();
  platform.states = {0x0001, 0x0000, 0xFF80};  // toggled, off, held down while off
  const forms::Colour colour[] = {forms::kGreen, forms::kRed, forms::kGreen};
  for (const char* vert : {"0", "1", "2"}) {
    for (int mask = 0; mask < 8; ++mask) {
      put("VERT_LIGHTS_TICKBOX", vert);
      for (int i = 0; i < 3; ++i) put(kShow[i], (mask >> i) & 1 ? "2" : "0");
      put("SHOW_OSK_BUTTON", mask == 5 ? "0" : "2");
      tick();
      const bool upright = std::string(vert) == "1";
      for (int i = 0; i < 3; ++i) {
        const bool shown = (mask >> i) & 1;
        auto &row = w.label(kRow[i]), &up = w.label(kUpright[i]);
        EXPECT_EQ(row.isVisible(), shown && !upright) << vert << mask << i;
        EXPECT_EQ(up.isVisible(), shown && upright) << vert << mask << i;
        EXPECT_TRUE(row.back == colour[i] && up.back == colour[i]) << kRow[i] << ", hidden too";
      }
      EXPECT_EQ(w.button("OSK_BUTTON").isVisible(), mask != 5);
    }
  }
  EXPECT_EQ(platform.keyStateReads, 3 * 3 * 8) << "one read a key a tick";

  // A tick that changes nothing touches no element: on a real toolkit, no repaint, no request.
  const auto changes = [&] {
    int n = w.button("OSK_BUTTON").changes;
    for (int i = 0; i < 3; ++i) n += w.label(kRow[i]).changes + w.label(kUpright[i]).changes;
    return n;
  };
  const int before = changes();
  tick();
  EXPECT_EQ(changes(), before);
  platform.states[1] = 0x0001;
  tick();
  EXPECT_EQ(w.label(kUpright[1]).back, forms::kGreen) << "a change after a quiet tick";
}

// The on-screen keyboard button is played end to end (on-screen-keyboard).
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
}

// Rows: the foreground window, the keep-above calls wanted. Our dialog, left alone, is the
// dialog test's.
TEST_F(IndicatorTest, KeeperDemotesAnotherTopmostWindowAndKeepsOursAbove) {
  main.start();
  const auto own = w.handle();
  using Calls = std::vector<std::pair<forms::NativeHandle, bool>>;
  const std::pair<forms::NativeHandle, Calls> cases[] = {
      {own, {}}, {0x777, {{0x777, false}, {own, true}}}, {0, {{own, true}}}};
  for (const auto& [foreground, calls] : cases) {
    platform.topmostCalls.clear();
    platform.foreground = foreground;
    main.AlwaysOnTopTimer_Timer();
    EXPECT_EQ(platform.topmostCalls, calls) << foreground;
  }
}
