#pragma once
// A window's place and size in the store, and where a restored window goes: the stored outer
// rectangle, unless the window could not be reached there. A size below the frame's minimum,
// larger than all screens together, or no number at all takes the default size; a place that
// leaves less than the caption bar on every screen moves to the default place on the primary
// screen.

#include "forms/forms.h"
#include "settings/settings.h"

namespace vesk::indicator {

forms::Rect placeRestored(const forms::Rect& stored, const forms::Rect& defaults,
                          const forms::Desktop& desktop);

// A window's four geometry keys follow each other from its left edge: "MainLeft", "MainTop",
// "MainWidth", "MainHeight" (the same with "About" for the dialog). Their defaults are the
// default place and size.

// Read in the order left, top, width, height, then placed where it can be reached. Where no size
// is stored, the default size grows as far as the desktop's frame needs for a client area of
// `client` (width and height in twips; the frame of a tall title bar would hide the content).
forms::Rect restoreGeometry(settings::Settings& settings, settings::Key left,
                            const forms::Desktop& desktop, const forms::Rect& client = {});
// Each edge and size as the text of a single-precision number, in the same order. Without
// `withPlace` (the window system placed the window and did not say where) only the size.
void storeGeometry(settings::Settings& settings, settings::Key left, const forms::Rect& r,
                   bool withPlace = true);

}  // namespace vesk::indicator
