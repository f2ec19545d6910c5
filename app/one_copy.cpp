#include "app/one_copy.h"

#include <chrono>
#include <thread>

namespace vesk::app {

using Claim = platform::MeetingPoint::Claim;

void pauseBetweenTries() {
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

StartDecision claimOrShowFirst(platform::MeetingPoint& point, const std::function<void()>& pause,
                               int tries) {
  for (int i = 0; i < tries; ++i) {
    switch (point.claim()) {
      case Claim::First:
        return {};
      case Claim::Unavailable:
        return {true, point.problem()};
      case Claim::Other:
        if (point.askToShow()) return {false, ""};
        break;
    }
    pause();
  }
  return {true,
          "Another copy of VESK-LIGHTS is starting but does not answer, so this one runs too."};
}

}  // namespace vesk::app
