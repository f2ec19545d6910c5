#pragma once
// Where a restored window goes: the stored outer rectangle, unless the window could not be
// reached there. A size below the frame's minimum takes the default size; a place that leaves
// less than the caption bar on every screen moves to the default place on the primary screen.

#include "forms/forms.h"

namespace vesk::indicator {

forms::Rect placeRestored(const forms::Rect& stored, const forms::Rect& defaults,
                          const forms::Desktop& desktop);

}  // namespace vesk::indicator
