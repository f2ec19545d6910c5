#pragma once
// A count of the SIGIO signals this process has had, shared by the readers that are asked ten
// times a second whether anything has come (the settings file's watch, the X connection): while
// the count stands still nothing has, and a look costs one atomic load instead of a system call.
// One handler serves every descriptor, as a process has only one SIGIO.

namespace vesk::platform::sigio {

// Makes the kernel raise SIGIO whenever data comes on the descriptor. False where it cannot
// (SIGIO already belongs to someone else, or the descriptor refuses): the reader must then look
// for itself at every read.
bool signalWhenReadable(int fd);

// The SIGIOs so far, any descriptor's.
unsigned count();

}  // namespace vesk::platform::sigio
