#pragma once
// The application icon: the first icon group in the executable's resources, whatever its id,
// so the resource script can name it freely. The system's default icon stands in without one.

#include <windows.h>

namespace vesk::forms::win32 {

// Loaded once per size and kept for the life of the process.
HICON appIcon(bool small);

}  // namespace vesk::forms::win32
