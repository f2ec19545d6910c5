// What only X11's lock state has: a tick that asks the server nothing, a Scroll Lock that locks
// nothing by default, and one bound to a modifier, which the press locks alone.

#include <gtest/gtest.h>
#include <poll.h>

#include <thread>

#include "platform/linux/linux_platform.h"
#include "platform/x11/lock_reader.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

TEST(LockReaderCost, OneTickOfThreeReadsAsksTheServerNothing) {
  test::XServer server;
  // The first XTest press switches the core keyboard to the XTest device, which announces a new
  // keymap: the reader looks its keys up again then, once. Leave that out of the steady state.
  test::run("xdotool key Caps_Lock key Caps_Lock");
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  {
    x11::LockReader reader(display);
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

TEST(ScrollLock, HeldReadsAsTheHighBitAloneAndAModifierBoundOneFlipsOnce) {
  test::XServer server;
  auto platform = createLinuxPlatform(Session::X11);
  ASSERT_NE(platform, nullptr);
  test::run("xdotool keydown Scroll_Lock");
  EXPECT_TRUE(test::eventually([&] { return platform->keyState(LockKey::Scroll) == 0x8000; }))
      << "held, with its indicator dark: " << platform->keyState(LockKey::Scroll);
  test::run("xdotool keyup Scroll_Lock");
  // Bound to a modifier, Scroll Lock locks with the press itself: a second, direct flip of the
  // indicator would undo it.
  test::run("xmodmap -e 'add mod3 = Scroll_Lock'");
  platform->pressKey(LockKey::Scroll);
  EXPECT_TRUE(test::ledOn("Scroll Lock"));
}

}  // namespace
}  // namespace vesk::platform
