#pragma once
// Starting the desktop's on-screen keyboard: the first of the known ones found on PATH, detached
// from us so that it outlives the indicator and never lingers as our zombie.

namespace vesk::platform::x11 {

// Starts the first of onboard, xvkbd and matchbox-keyboard found on PATH. With none, one line on
// stderr says so and nothing is started.
void startOnScreenKeyboard();

}  // namespace vesk::platform::x11
