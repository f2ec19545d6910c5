// Where a restored window goes: kept where it can be grabbed, else back on the primary screen.

#include "indicator/placement.h"

#include <gtest/gtest.h>

using vesk::forms::Desktop;
using vesk::forms::Rect;
using vesk::indicator::placeRestored;

TEST(Placement, AReachablePlaceIsKeptALostOneComesBackAndATooSmallSizeTakesTheDefault) {
  const Rect defaults{1000, 1000, 3840, 945};
  // A primary 1920x1080 screen and a second one to its left, in twips at 96 DPI.
  const Desktop desk{{{0, 0, 28800, 16200}, {-19200, 0, 19200, 16200}}, 300, 1500, 500};
  const std::pair<Rect, Rect> cases[] = {
      {{-15000, 300, 3840, 945}, {-15000, 300, 3840, 945}},
      {{28800 - 1000, 16200 - 300, 3840, 945}, {28800 - 1000, 16200 - 300, 3840, 945}},
      {{100000, 1000, 4000, 2000}, {1000, 1000, 4000, 2000}},
      {{1000, -5000, 4000, 2000}, {1000, 1000, 4000, 2000}},
      {{1000, 16200 - 60, 4000, 2000}, {1000, 1000, 4000, 2000}},
      {{-19200 - 3990, 100, 4000, 2000}, {1000, 1000, 4000, 2000}},
      {{2000, 2000, 10, 945}, {2000, 2000, 3840, 945}},
      {{2000, 2000, 3840, -5}, {2000, 2000, 3840, 945}},
  };
  for (const auto& [stored, want] : cases) {
    EXPECT_EQ(placeRestored(stored, defaults, desk), want) << stored.left << "," << stored.top;
  }
  Desktop primaryRight = desk;
  primaryRight.screens = {{28800, 0, 28800, 16200}, {0, 0, 28800, 16200}};
  EXPECT_EQ(placeRestored({-50000, 0, 4000, 2000}, defaults, primaryRight),
            (Rect{29800, 1000, 4000, 2000}));
}
