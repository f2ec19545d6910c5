// What only X11 has: a Scroll Lock that locks nothing by default, whose indicator the press
// sets itself, and one bound to a modifier, which the press locks alone.

#include <gtest/gtest.h>

#include "platform/linux/linux_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

TEST(ScrollLock, HeldReadsAsTheHighBitAloneAndAModifierBoundOneFlipsOnce) {
  test::XServer server;
  auto platform = createLinuxPlatform(Session::X11);
  ASSERT_NE(platform, nullptr);
  test::run("xdotool keydown Scroll_Lock");
  EXPECT_TRUE(test::eventually([&] { return platform->keyState(LockKey::Scroll) != 0; }));
  EXPECT_EQ(platform->keyState(LockKey::Scroll), 0x8000) << "held, with its indicator dark";
  test::run("xdotool keyup Scroll_Lock");
  // Bound to a modifier, Scroll Lock locks with the press itself: a second, direct flip of the
  // indicator would undo it.
  test::run("xmodmap -e 'add mod3 = Scroll_Lock'");
  platform->pressKey(LockKey::Scroll);
  EXPECT_TRUE(test::ledOn("Scroll Lock"));
}

}  // namespace
}  // namespace vesk::platform
