// The operating-system seam's promises that need no person, on every platform of the build.
// Each case leaves the lock keys as it found them.

#include <gtest/gtest.h>

#include "backends.h"

namespace vesk::test {
namespace {

using platform::LockKey;

class PlatformContract : public ::testing::TestWithParam<Maker<PlatformBackend>> {
 protected:
  std::unique_ptr<PlatformBackend> desk = GetParam().make();
  platform::Platform& os = desk->platform();
};

TEST_P(PlatformContract, APressFlipsOnlyThatKeyAndReleasesIt) {
  const LockKey keys[] = {LockKey::Num, LockKey::Caps, LockKey::Scroll};
  for (LockKey key : keys) {
    SCOPED_TRACE(static_cast<int>(key));
    bool before[3];
    for (LockKey k : keys) before[static_cast<int>(k)] = desk->keyOn(k);
    const bool was = before[static_cast<int>(key)];
    EXPECT_EQ(os.keyState(key) != 0, was);
    os.pressKey(key);
    ASSERT_TRUE(desk->waitFor([&] { return desk->keyOn(key) != was; })) << "no flip";
    EXPECT_TRUE(desk->waitFor([&] { return (os.keyState(key) != 0) != was; }));
    EXPECT_EQ(os.keyState(key) & 0x8000, 0) << "the press was not released";
    for (LockKey k : keys) {
      if (k != key) {
        EXPECT_EQ(desk->keyOn(k), before[static_cast<int>(k)]) << static_cast<int>(k);
      }
    }
    os.pressKey(key);
    EXPECT_TRUE(desk->waitFor([&] { return desk->keyOn(key) == was; })) << "not flipped back";
  }
}

TEST_P(PlatformContract, AKeyHeldDownReadsAsOnUntilItsRelease) {
  const bool was = desk->keyOn(LockKey::Scroll);
  desk->holdKey(LockKey::Scroll, true);
  EXPECT_TRUE(desk->waitFor([&] { return (os.keyState(LockKey::Scroll) & 0x8000) != 0; }));
  desk->holdKey(LockKey::Scroll, false);
  EXPECT_TRUE(desk->waitFor([&] { return (os.keyState(LockKey::Scroll) & 0x8000) == 0; }));
  if (desk->keyOn(LockKey::Scroll) != was) os.pressKey(LockKey::Scroll);
  EXPECT_TRUE(desk->waitFor([&] { return desk->keyOn(LockKey::Scroll) == was; }));
}

TEST_P(PlatformContract, ForegroundAndKeepAboveComeAndGoAndThePlaceStays) {
  const auto a = desk->openWindow("first");
  EXPECT_TRUE(desk->waitFor([&] { return os.foregroundWindow() == a; }));
  const auto b = desk->openWindow("second");
  EXPECT_TRUE(desk->waitFor([&] { return os.foregroundWindow() == b; }));
  const std::string place = desk->place(a);
  ASSERT_FALSE(desk->above(a));
  os.setTopmost(a, true);
  EXPECT_TRUE(desk->waitFor([&] { return desk->above(a); }));
  EXPECT_FALSE(desk->above(b));
  os.setTopmost(a, false);
  EXPECT_TRUE(desk->waitFor([&] { return !desk->above(a); }));
  os.setTopmost(a, true);
  EXPECT_TRUE(desk->waitFor([&] { return desk->above(a); }));
  const auto dialog = desk->openWindow("dialog");  // it has the keyboard
  EXPECT_TRUE(desk->waitFor([&] { return os.foregroundWindow() == dialog; }));
  os.removeTopmost(a);
  EXPECT_TRUE(desk->waitFor([&] { return !desk->above(a); }));
  EXPECT_EQ(os.foregroundWindow(), dialog) << "taking keep-above away took the keyboard";
  EXPECT_EQ(desk->place(a), place) << "the window moved";
}

INSTANTIATE_TEST_SUITE_P(Every, PlatformContract, ::testing::ValuesIn(platformBackends()),
                         nameOf<PlatformBackend>);

}  // namespace
}  // namespace vesk::test
