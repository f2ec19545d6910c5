#include "platform/sigio/sigio.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace vesk::platform::sigio {
namespace {

std::atomic<unsigned> signals{0};

void onSigio(int) {
  signals.fetch_add(1, std::memory_order_relaxed);
}

// Installs the counter once; false when SIGIO already has a handler of someone else's.
bool handlerIsOurs() {
  static const bool ours = [] {
    struct sigaction old {};
    if (::sigaction(SIGIO, nullptr, &old) != 0) return false;
    if (old.sa_handler != SIG_DFL && old.sa_handler != SIG_IGN) return false;
    struct sigaction sa {};
    sa.sa_handler = onSigio;
    sa.sa_flags = SA_RESTART;
    sigemptyset(&sa.sa_mask);
    return ::sigaction(SIGIO, &sa, nullptr) == 0;
  }();
  return ours;
}

}  // namespace

bool signalWhenReadable(int fd) {
  if (fd < 0 || !handlerIsOurs()) return false;
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETOWN, ::getpid()) == 0 &&
         ::fcntl(fd, F_SETFL, flags | O_ASYNC) == 0;
}

unsigned count() {
  return signals.load(std::memory_order_acquire);
}

}  // namespace vesk::platform::sigio
