#include "tray/segments.h"

#include <algorithm>

namespace vesk::tray {

std::array<Bar, 3> segmentBars(int width, int height) {
  const int side = std::max(3, std::min(width, height));
  const int gap = std::max(1, side / 16);
  const int bar = std::max(1, (side - 2 * gap) / 3);
  const int left = (width - (3 * bar + 2 * gap)) / 2;
  const int top = (height - side) / 2;
  std::array<Bar, 3> bars{};
  for (int i = 0; i < 3; ++i) bars[i] = {left + i * (bar + gap), top, bar, side};
  return bars;
}

}  // namespace vesk::tray
