// How long programs take from their start to their first window on screen, side by side: each
// round starts every program once, in turn, and times it to the MapNotify of its first managed
// window (a frame, under a window manager), then ends it. Run on an X display.
// Usage: startup-time ROUNDS PROGRAM... (each program one argument, started without arguments)
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds until a window that is not override-redirect maps, or -1 after 10 s.
double untilMapped(Display* display, const char* program) {
  while (XPending(display)) {  // what came before this start is not this program's
    XEvent stale;
    XNextEvent(display, &stale);
  }
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  double ms = -1;
  while (Clock::now() - start < std::chrono::seconds(10) && ms < 0) {
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    if (!XPending(display) && poll(&fd, 1, 100) <= 0) continue;
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && !event.xmap.override_redirect)
      ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (argc < 3 || !display) {
    std::fprintf(stderr, "usage: startup-time ROUNDS PROGRAM... (on an X display)\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int rounds = std::max(1, std::atoi(argv[1]));
  std::vector<std::vector<double>> times(argc - 2);
  for (int r = 0; r < rounds; ++r) {
    for (int p = 2; p < argc; ++p) {
      const double ms = untilMapped(display, argv[p]);
      if (ms < 0) {
        std::fprintf(stderr, "%s showed no window within 10 s\n", argv[p]);
        return 1;
      }
      times[p - 2].push_back(ms);
      usleep(200000);  // let the window manager forget the last one
    }
  }
  for (int p = 2; p < argc; ++p) {
    auto& t = times[p - 2];
    std::sort(t.begin(), t.end());
    std::printf("%s: median %.1f ms to its window (fastest %.1f, slowest %.1f, %d starts)\n",
                argv[p], t[t.size() / 2], t.front(), t.back(), rounds);
  }
  return 0;
}
