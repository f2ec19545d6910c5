// The lock keys through a real X server: indicators, held keys and presses.

#include <gtest/gtest.h>

#include <memory>

#include "platform/linux/linux_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

using test::ledOn;
using test::run;

class LockKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = createLinuxPlatform(Session::X11);
    ASSERT_NE(platform_, nullptr);
  }
  bool on(LockKey key) { return platform_->keyState(key) != 0; }
  bool becomes(LockKey key, bool state) {
    return test::eventually([&] { return on(key) == state; });
  }

  test::XServer server_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(LockKeysTest, FollowsTheLocksAndIndicatorsOtherClientsChange) {
  ASSERT_FALSE(on(LockKey::Caps));
  ASSERT_FALSE(on(LockKey::Num));
  run("xdotool key Caps_Lock");
  EXPECT_TRUE(becomes(LockKey::Caps, true));
  EXPECT_FALSE(on(LockKey::Num));
  run("xdotool key Num_Lock");
  EXPECT_TRUE(becomes(LockKey::Num, true));
  run("xdotool key Caps_Lock");
  EXPECT_TRUE(becomes(LockKey::Caps, false));
  EXPECT_TRUE(on(LockKey::Num));

  // Scroll Lock's own indicator, which no modifier drives.
  EXPECT_FALSE(on(LockKey::Scroll));
  run("xset led named 'Scroll Lock'");
  EXPECT_TRUE(becomes(LockKey::Scroll, true));
  run("xset -led named 'Scroll Lock'");
  EXPECT_TRUE(becomes(LockKey::Scroll, false));
}

TEST_F(LockKeysTest, AKeyHeldDownReadsAsOnUntilItsRelease) {
  // Scroll Lock locks nothing here, so only the held key itself can show.
  run("xdotool keydown Scroll_Lock");
  EXPECT_TRUE(becomes(LockKey::Scroll, true));
  EXPECT_EQ(platform_->keyState(LockKey::Scroll), 0x8000) << "held, with its indicator dark";
  run("xdotool keyup Scroll_Lock");
  EXPECT_TRUE(becomes(LockKey::Scroll, false));
}

TEST_F(LockKeysTest, PressKeyFlipsEachLockAndItsLedAndReleasesTheKey) {
  const std::pair<LockKey, const char*> keys[] = {
      {LockKey::Caps, "Caps Lock"}, {LockKey::Num, "Num Lock"}, {LockKey::Scroll, "Scroll Lock"}};
  for (const auto& [key, led] : keys) {
    SCOPED_TRACE(led);
    platform_->pressKey(key);
    EXPECT_TRUE(ledOn(led));
    EXPECT_TRUE(becomes(key, true));
    platform_->pressKey(key);
    EXPECT_FALSE(ledOn(led));
    EXPECT_TRUE(becomes(key, false));
    EXPECT_EQ(platform_->keyState(key) & 0x8000, 0) << "the press was not released";
  }
  // Bound to a modifier, Scroll Lock locks with the press itself: a second, direct flip of the
  // indicator would undo it.
  run("xmodmap -e 'add mod3 = Scroll_Lock'");
  platform_->pressKey(LockKey::Scroll);
  EXPECT_TRUE(ledOn("Scroll Lock"));
}

}  // namespace
}  // namespace vesk::platform
