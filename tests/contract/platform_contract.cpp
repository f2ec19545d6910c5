// The operating-system seam's promises that need no person, on every platform of the build.
// Each case leaves the lock keys as it found them.

#include <gtest/gtest.h>

#include <array>

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
  auto lit = [&] {
    return std::array{desk->keyOn(keys[0]), desk->keyOn(keys[1]), desk->keyOn(keys[2])};
  };
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const auto before = lit();
    auto flipped = before;
    flipped[i] = !before[i];
    EXPECT_EQ(os.keyState(keys[i]) != 0, before[i]);
    os.pressKey(keys[i]);
    EXPECT_TRUE(desk->waitFor([&] { return lit() == flipped; })) << "not that key alone";
    EXPECT_TRUE(desk->waitFor([&] { return (os.keyState(keys[i]) != 0) == flipped[i]; }));
    EXPECT_EQ(os.keyState(keys[i]) & 0x8000, 0) << "the press was not released";
    os.pressKey(keys[i]);
    EXPECT_TRUE(desk->waitFor([&] { return lit() == before; })) << "not flipped back";
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
