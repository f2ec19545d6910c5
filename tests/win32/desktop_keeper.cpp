// Holds the Wine desktop open for the whole test run. Wine closes a desktop, and ends the
// explorer process that draws it, soon after its last program exits; every GUI test would
// then start a new one. Prints "ready" once the desktop is up.

#include <windows.h>

#include <cstdio>

int main() {
  GetDesktopWindow();
  std::puts("ready");
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
