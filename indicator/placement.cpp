#include "indicator/placement.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vesk::indicator {
namespace {

settings::Key offset(settings::Key first, int i) {
  return static_cast<settings::Key>(static_cast<int>(first) + i);
}

double overlap(double a0, double a1, double b0, double b1) {
  return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// The window can be grabbed when some screen shows enough of its caption bar: half its height,
// and as wide as two caption heights (or the whole caption of a narrower window).
bool reachable(const forms::Rect& r, const forms::Desktop& d) {
  const double caption = std::max(d.captionHeight, 15.0);
  const double needWidth = std::min(r.width, 2 * caption);
  for (const auto& s : d.screens) {
    const double w = overlap(r.left, r.left + r.width, s.left, s.left + s.width);
    const double h = overlap(r.top, r.top + caption, s.top, s.top + s.height);
    if (w >= needWidth && w > 0 && h >= caption / 2) return true;
  }
  return false;
}

// A size that no screen arrangement can show, or that is no number of pixels at all.
bool beyondReason(const forms::Rect& r, const forms::Desktop& d) {
  if (!std::isfinite(r.width) || !std::isfinite(r.height)) return true;
  if (d.screens.empty()) return false;
  double left = d.screens.front().left, top = d.screens.front().top;
  double right = left + d.screens.front().width, bottom = top + d.screens.front().height;
  for (const auto& s : d.screens) {
    left = std::min(left, s.left);
    top = std::min(top, s.top);
    right = std::max(right, s.left + s.width);
    bottom = std::max(bottom, s.top + s.height);
  }
  return r.width > right - left || r.height > bottom - top;
}

}  // namespace

forms::Rect placeRestored(const forms::Rect& stored, const forms::Rect& defaults,
                          const forms::Desktop& desktop) {
  forms::Rect r = stored;
  if (r.width < desktop.minWidth || r.height < desktop.minHeight || r.width <= 0 || r.height <= 0 ||
      beyondReason(r, desktop)) {
    r.width = defaults.width;
    r.height = defaults.height;
  }
  if (!desktop.screens.empty() && !reachable(r, desktop)) {
    const auto& primary = desktop.screens.front();
    r.left = primary.left + defaults.left;
    r.top = primary.top + defaults.top;
  }
  return r;
}

forms::Rect restoreGeometry(settings::Settings& settings, settings::Key left,
                            const forms::Desktop& desktop, const forms::Rect& client) {
  forms::Rect stored, defaults;
  double* edges[] = {&stored.left, &stored.top, &stored.width, &stored.height};
  double* fallbacks[] = {&defaults.left, &defaults.top, &defaults.width, &defaults.height};
  bool absent[4] = {};
  for (int i = 0; i < 4; ++i) {
    *fallbacks[i] = settings::info(offset(left, i)).fallback;
    const auto value = settings.storedSingle(offset(left, i));
    absent[i] = !value;
    *edges[i] = value ? *value : static_cast<float>(*fallbacks[i]);
  }
  // The default size was made for a thin tool-window frame; a taller one gets what it takes.
  const double need[] = {client.width + desktop.frameWidth, client.height + desktop.frameHeight};
  for (int i = 0; i < 2; ++i) {
    *fallbacks[2 + i] = std::max(*fallbacks[2 + i], need[i]);
    if (absent[2 + i]) *edges[2 + i] = *fallbacks[2 + i];
  }
  return placeRestored(stored, defaults, desktop);
}

void storeGeometry(settings::Settings& settings, settings::Key left, const forms::Rect& r,
                   bool withPlace) {
  const double values[] = {r.left, r.top, r.width, r.height};
  std::vector<std::pair<settings::Key, float>> singles;
  for (int i = withPlace ? 0 : 2; i < 4; ++i)
    singles.emplace_back(offset(left, i), static_cast<float>(values[i]));
  settings.saveSingles(singles);  // one write: the keys always come from the same moment
}

}  // namespace vesk::indicator
