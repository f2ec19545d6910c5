#include "platform/x11/error_trap.h"

#include <map>

namespace vesk::platform::x11 {
namespace {

// One user-interface thread uses these connections, so no lock is needed.
std::map<Display*, unsigned long>& errorCounts() {
  static std::map<Display*, unsigned long> counts;
  return counts;
}

XErrorHandler previousHandler = nullptr;

int countError(Display* display, XErrorEvent* error) {
  auto it = errorCounts().find(display);
  if (it != errorCounts().end()) {
    ++it->second;
    return 0;
  }
  return previousHandler ? previousHandler(display, error) : 0;
}

unsigned long errorsOf(Display* display) {
  auto it = errorCounts().find(display);
  return it == errorCounts().end() ? 0 : it->second;
}

}  // namespace

void trapErrors(Display* display) {
  if (errorCounts().empty()) {
    previousHandler = XSetErrorHandler(countError);
    // Someone may have installed ours before; never chain to ourselves.
    if (previousHandler == countError) previousHandler = nullptr;
  }
  errorCounts().emplace(display, 0);
}

void untrapErrors(Display* display) {
  errorCounts().erase(display);
}

ErrorCheck::ErrorCheck(Display* display) : display_(display), mark_(errorsOf(display)) {}

bool ErrorCheck::failed() {
  XSync(display_, False);
  return errorsOf(display_) != mark_;
}

}  // namespace vesk::platform::x11
