#pragma once
// What one refresh tick decides: the colour of each key's lights, and which lights and whether
// the on-screen-keyboard button are visible.

#include <array>
#include <cstdint>

#include "forms/forms.h"

namespace vesk::indicator {

struct DisplaySettings {
  double vertLights = 0;                // "VERT_LIGHTS_TICKBOX"
  std::array<double, 3> show{1, 1, 1};  // the show settings of Num, Caps, Scroll
  double showOsk = 1;                   // "SHOW_OSK_BUTTON"
};

struct TickOutcome {
  std::array<forms::Colour, 3> colour{};  // both lights of a key share it
  std::array<bool, 3> rowVisible{};
  std::array<bool, 3> uprightVisible{};
  bool oskVisible = true;
  bool operator==(const TickOutcome&) const = default;
};

// A key whose state the session cannot tell (`known` false) is grey, neither on nor off.
TickOutcome computeTick(const std::array<std::uint16_t, 3>& keyStates,
                        const DisplaySettings& display,
                        const std::array<bool, 3>& known = {true, true, true});

}  // namespace vesk::indicator
