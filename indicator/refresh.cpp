#include "indicator/refresh.h"

namespace vesk::indicator {

TickOutcome computeTick(const std::array<std::uint16_t, 3>& keyStates,
                        const DisplaySettings& display, const std::array<bool, 3>& known) {
  TickOutcome out;
  const bool upright = display.vertLights == 1.0;
  for (int i = 0; i < 3; ++i) {
    // The whole word counts, so a key held down shows as on too.
    out.colour[i] = !known[i] ? forms::kGrey : keyStates[i] != 0 ? forms::kGreen : forms::kRed;
    const bool shown = display.show[i] != 0.0;
    out.rowVisible[i] = shown && !upright;
    out.uprightVisible[i] = shown && upright;
  }
  out.oskVisible = display.showOsk != 0.0;
  return out;
}

}  // namespace vesk::indicator
