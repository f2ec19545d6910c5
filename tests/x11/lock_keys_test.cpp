// The lock keys through a real X server: indicators, held keys and presses.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/x11/x11_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

using test::eventually;
using test::ledOn;
using test::run;

class LockKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = createX11Platform();
    ASSERT_NE(platform_, nullptr);
  }
  bool on(LockKey key) { return platform_->keyState(key) != 0; }
  // Every tick reads all three keys, in this order.
  void tick() {
    platform_->keyState(LockKey::Num);
    platform_->keyState(LockKey::Caps);
    platform_->keyState(LockKey::Scroll);
  }

  test::XServer server_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(LockKeysTest, FollowsCapsAndNumLockPressedByAnotherClient) {
  ASSERT_FALSE(on(LockKey::Caps));
  ASSERT_FALSE(on(LockKey::Num));

  run("xdotool key Caps_Lock");
  EXPECT_TRUE(eventually([&] { return on(LockKey::Caps); }));
  EXPECT_TRUE(ledOn("Caps Lock"));
  EXPECT_FALSE(on(LockKey::Num));

  run("xdotool key Num_Lock");
  EXPECT_TRUE(eventually([&] { return on(LockKey::Num); }));
  EXPECT_TRUE(on(LockKey::Caps));

  run("xdotool key Caps_Lock");
  EXPECT_TRUE(eventually([&] { return !on(LockKey::Caps); }));
  EXPECT_TRUE(on(LockKey::Num));
  EXPECT_FALSE(on(LockKey::Scroll));
}

TEST_F(LockKeysTest, ReadsTheScrollLockIndicatorThatNoModifierDrives) {
  run("xset led named 'Scroll Lock'");
  EXPECT_TRUE(eventually([&] { return on(LockKey::Scroll); }));
  EXPECT_FALSE(on(LockKey::Caps));
  EXPECT_FALSE(on(LockKey::Num));
  run("xset -led named 'Scroll Lock'");
  EXPECT_TRUE(eventually([&] { return !on(LockKey::Scroll); }));
}

TEST_F(LockKeysTest, AKeyHeldDownReadsAsOnUntilItsRelease) {
  run("xdotool key Caps_Lock");
  ASSERT_TRUE(eventually([&] { return on(LockKey::Caps); }));

  // The press that switches Caps Lock off: on while held, off after the release.
  run("xdotool keydown Caps_Lock");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(on(LockKey::Caps));
  run("xdotool keyup Caps_Lock");
  EXPECT_TRUE(eventually([&] { return !on(LockKey::Caps); }));
  EXPECT_FALSE(ledOn("Caps Lock"));

  // Scroll Lock locks nothing, so only the held key itself can show.
  run("xdotool keydown Scroll_Lock");
  EXPECT_TRUE(eventually([&] { return on(LockKey::Scroll); }));
  EXPECT_FALSE(ledOn("Scroll Lock"));
  EXPECT_EQ(platform_->keyState(LockKey::Scroll) & 0x0001, 0);
  run("xdotool keyup Scroll_Lock");
  EXPECT_TRUE(eventually([&] { return !on(LockKey::Scroll); }));
}

TEST_F(LockKeysTest, PressKeyFlipsEachLockAndItsLed) {
  const struct {
    LockKey key;
    const char* led;
  } keys[] = {
      {LockKey::Caps, "Caps Lock"}, {LockKey::Num, "Num Lock"}, {LockKey::Scroll, "Scroll Lock"}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.led);
    ASSERT_FALSE(ledOn(k.led));
    platform_->pressKey(k.key);
    EXPECT_TRUE(ledOn(k.led));
    EXPECT_TRUE(eventually([&] { return on(k.key); }));
    platform_->pressKey(k.key);
    EXPECT_FALSE(ledOn(k.led));
    EXPECT_TRUE(eventually([&] { return !on(k.key); }));
  }
  // A press is always released.
  for (const auto& k : keys) EXPECT_EQ(platform_->keyState(k.key) & 0x8000, 0) << k.led;
}

TEST_F(LockKeysTest, ScrollLockBoundToAModifierIsFlippedByThePressAlone) {
  // With Scroll Lock bound to a modifier the press itself locks; a second, direct flip of the
  // indicator would undo it.
  run("xmodmap -e 'add mod3 = Scroll_Lock'");
  platform_->pressKey(LockKey::Scroll);
  EXPECT_TRUE(ledOn("Scroll Lock"));
  EXPECT_TRUE(eventually([&] { return on(LockKey::Scroll); }));
  platform_->pressKey(LockKey::Scroll);
  EXPECT_FALSE(ledOn("Scroll Lock"));
}

TEST(X11PlatformStart, WithoutADisplayGivesNothingAndSaysWhy) {
  test::XServer server;  // a display that exists, to pick a number that surely does not
  const std::string unused = server.display() + "99";
  setenv("DISPLAY", unused.c_str(), 1);
  ::testing::internal::CaptureStderr();
  auto platform = createX11Platform();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(platform, nullptr);
  EXPECT_NE(said.find(unused), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST(X11PlatformStart, WithoutXTestPressesNothingAndSaysSoOnce) {
  test::XServer server({"-extension", "XTEST"});
  auto platform = createX11Platform();
  ASSERT_NE(platform, nullptr);
  ::testing::internal::CaptureStderr();
  platform->pressKey(LockKey::Caps);
  platform->pressKey(LockKey::Num);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("XTEST"), std::string::npos) << said;
  EXPECT_FALSE(ledOn("Caps Lock"));
  EXPECT_FALSE(ledOn("Num Lock"));
}

}  // namespace
}  // namespace vesk::platform
