// What one refresh tick costs: the three key-state reads must not each ask the server.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/x11/lock_reader.h"
#include "x_session.h"

namespace vesk::platform::x11 {
namespace {

struct TickCost {
  unsigned long requests;
  double microseconds;
  std::array<std::uint16_t, 3> states;
};

TickCost measureTick(Display* display, LockReader& reader) {
  const unsigned long before = XNextRequest(display);
  const auto start = std::chrono::steady_clock::now();
  TickCost cost{};
  cost.states = {reader.keyState(LockKey::Num), reader.keyState(LockKey::Caps),
                 reader.keyState(LockKey::Scroll)};
  cost.microseconds =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  cost.requests = XNextRequest(display) - before;
  return cost;
}

TEST(LockReaderCost, OneTickOfThreeReadsAsksTheServerAtMostTwice) {
  test::XServer server;
  // The first XTest press switches the core keyboard to the XTest device, which announces a new
  // keymap: the reader looks its keys up again then, once. Leave that out of the steady state.
  test::run("xdotool key Caps_Lock key Caps_Lock");
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  {
    LockReader reader(display);
    std::vector<double> times;
    for (int i = 0; i < 40; ++i) {
      // Ticks come 100 ms apart; leave more than the held-state cache time between them.
      std::this_thread::sleep_for(LockReader::kHeldCacheTime + std::chrono::milliseconds(5));
      if (i % 10 == 5) test::run("xdotool key Caps_Lock");
      const TickCost cost = measureTick(display, reader);
      EXPECT_LE(cost.requests, 2u) << "tick " << i;
      times.push_back(cost.microseconds);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("one tick of three keyState reads: median %.1f us, max %.1f us\n", median,
                times.back());
    ::testing::Test::RecordProperty("tick_median_us", std::to_string(median));

    // An indicator change made by another client shows without an extra request.
    test::run("xdotool key Num_Lock");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const TickCost after = measureTick(display, reader);
    EXPECT_NE(after.states[0] & 0x0001, 0);
    EXPECT_LE(after.requests, 2u);
  }
  XCloseDisplay(display);
}

}  // namespace
}  // namespace vesk::platform::x11
