#pragma once
// One copy per desktop session: what a start does once the command line says to run.

#include <functional>
#include <string>

#include "platform/meeting_point.h"

namespace vesk::app {

struct StartDecision {
  bool run = true;   // false: the first copy has been asked to show its window; end with 0
  std::string note;  // for the window, when this copy runs without meeting the others
};

inline constexpr int kStartTries = 250;  // 5 s with the pause below
void pauseBetweenTries();                // 20 ms

// The session's first copy runs; a later start asks it to show its window and ends. A first
// copy that is still starting is waited for, `pause` between tries, and one that has gone is
// taken over. After `tries` without an answer this copy runs too, and says so.
StartDecision claimOrShowFirst(platform::MeetingPoint& point,
                               const std::function<void()>& pause = pauseBetweenTries,
                               int tries = kStartTries);

}  // namespace vesk::app
