#include "indicator/placement.h"

#include <gtest/gtest.h>

using vesk::forms::Desktop;
using vesk::forms::Rect;
using vesk::indicator::placeRestored;

namespace {
const Rect kDefaults{1000, 1000, 3840, 945};
// A primary 1920x1080 screen and a second one to its left, in twips at 96 DPI.
const Desktop kDesk{{{0, 0, 28800, 16200}, {-19200, 0, 19200, 16200}}, 300, 1500, 500};
}  // namespace

TEST(Placement, ReachablePlacesAreKeptExactly) {
  for (const Rect r : {Rect{1000, 1000, 3840, 945}, Rect{-15000, 300, 3840, 945},
                       Rect{28800 - 1000, 16200 - 300, 3840, 945}, Rect{-3000, 0, 3840, 945}}) {
    EXPECT_EQ(placeRestored(r, kDefaults, kDesk), r);
  }
}

TEST(Placement, LostWindowComesBackKeepingItsSize) {
  for (const Rect r : {Rect{100000, 1000, 4000, 2000}, Rect{1000, -5000, 4000, 2000},
                       Rect{1000, 16200 - 60, 4000, 2000}, Rect{-19200 - 3990, 100, 4000, 2000}}) {
    EXPECT_EQ(placeRestored(r, kDefaults, kDesk), (Rect{1000, 1000, 4000, 2000}));
  }
}

TEST(Placement, DefaultPlaceIsOnThePrimaryScreen) {
  Desktop d = kDesk;
  d.screens = {{28800, 0, 28800, 16200}, {0, 0, 28800, 16200}};
  EXPECT_EQ(placeRestored({-50000, 0, 4000, 2000}, kDefaults, d), (Rect{29800, 1000, 4000, 2000}));
}

TEST(Placement, TooSmallSizeTakesTheDefaultSize) {
  EXPECT_EQ(placeRestored({2000, 2000, 10, 945}, kDefaults, kDesk), (Rect{2000, 2000, 3840, 945}));
  EXPECT_EQ(placeRestored({2000, 2000, 3840, -5}, kDefaults, kDesk), (Rect{2000, 2000, 3840, 945}));
}
