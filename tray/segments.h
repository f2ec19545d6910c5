#pragma once
// Where the tray icon's three segments lie in a square of the given side, the same on every
// backend: upright bars, Num to Scroll, with a gap between them, centred in the area.

#include <array>

namespace vesk::tray {

struct Bar {
  int left, top, width, height;
};

// `width` x `height` pixels; the bars fill the largest square centred in it.
std::array<Bar, 3> segmentBars(int width, int height);

}  // namespace vesk::tray
