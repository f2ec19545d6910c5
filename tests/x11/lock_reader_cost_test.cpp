// What one refresh tick costs: the three key-state reads ask the server nothing.

#include <gtest/gtest.h>

#include <poll.h>

#include <thread>

#include "platform/x11/lock_reader.h"
#include "x_session.h"

namespace vesk::platform::x11 {
namespace {

TEST(LockReaderCost, OneTickOfThreeReadsAsksTheServerNothing) {
  test::XServer server;
  // The first XTest press switches the core keyboard to the XTest device, which announces a new
  // keymap: the reader looks its keys up again then, once. Leave that out of the steady state.
  test::run("xdotool key Caps_Lock key Caps_Lock");
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  {
    LockReader reader(display);
    std::uint16_t num = 0;
    const auto tickRequests = [&] {
      const unsigned long before = XNextRequest(display);
      num = reader.keyState(LockKey::Num);
      reader.keyState(LockKey::Caps);
      reader.keyState(LockKey::Scroll);
      return XNextRequest(display) - before;
    };
    for (int i = 0; i < 40; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (i % 10 == 5) test::run("xdotool key Caps_Lock");
      EXPECT_EQ(tickRequests(), 0u) << "tick " << i;
    }
    // An indicator change made by another client wakes whoever watches the connection, and
    // shows without an extra request.
    test::run("xdotool key Num_Lock");
    pollfd watch{reader.changeDescriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&watch, 1, 2000), 1);
    EXPECT_EQ(tickRequests(), 0u);
    EXPECT_NE(num & 0x0001, 0);
  }
  XCloseDisplay(display);
}

}  // namespace
}  // namespace vesk::platform::x11
