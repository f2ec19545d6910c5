#pragma once
// Resource identifiers shared by the resource script and the code that loads them.

// The application icon: the executable's icon and both windows' icon.
#define VESK_ICON_APP 1
