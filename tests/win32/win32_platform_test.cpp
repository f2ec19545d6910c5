// Lock keys and topmost through the Win32 platform, on the Wine desktop. Under Wine
// GetKeyState follows SendInput, as on Windows; each case leaves the lock keys as it found them.

#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "win32_test_support.h"

namespace vesk::platform {
namespace {

using test::pump;

struct KeyCase {
  LockKey key;
  WORD vk;
  const char* name;
};

const KeyCase kKeys[] = {
    {LockKey::Num, VK_NUMLOCK, "Num"},
    {LockKey::Caps, VK_CAPITAL, "Caps"},
    {LockKey::Scroll, VK_SCROLL, "Scroll"},
};

bool toggled(WORD vk) {
  return (GetKeyState(vk) & 1) != 0;
}

bool held(WORD vk) {
  return (GetKeyState(vk) & 0x8000) != 0;
}

class KeyStateTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyStateTest, PressFlipsOnlyThatKeyAndAHeldKeyKeepsTheHighBit) {
  const KeyCase& c = GetParam();
  Win32Platform platform;
  bool before[3];
  for (int i = 0; i < 3; ++i) before[i] = toggled(kKeys[i].vk);
  const bool wasOn = toggled(c.vk);

  platform.pressKey(c.key);
  ASSERT_TRUE(pump(3000, [&] { return toggled(c.vk) != wasOn; })) << "the key did not change";
  // The word is the system's own, and the key is released again.
  EXPECT_EQ(platform.keyState(c.key), static_cast<std::uint16_t>(GetKeyState(c.vk)));
  EXPECT_FALSE(held(c.vk));
  for (int i = 0; i < 3; ++i) {
    if (kKeys[i].vk != c.vk) {
      EXPECT_EQ(toggled(kKeys[i].vk), before[i]) << kKeys[i].name;
    }
  }

  // A key held down counts as on: the word keeps its high bit, not only the toggle bit.
  const DWORD extended = c.key == LockKey::Num ? KEYEVENTF_EXTENDEDKEY : 0;
  test::sendKey(c.vk, extended);
  EXPECT_TRUE(pump(3000, [&] { return held(c.vk); }));
  EXPECT_NE(platform.keyState(c.key) & 0x8000, 0);
  test::sendKey(c.vk, extended | KEYEVENTF_KEYUP);
  ASSERT_TRUE(pump(3000, [&] { return !held(c.vk); }));
  if (toggled(c.vk) != wasOn) platform.pressKey(c.key);
  EXPECT_TRUE(pump(3000, [&] { return toggled(c.vk) == wasOn; })) << "not flipped back";
}

INSTANTIATE_TEST_SUITE_P(LockKeys, KeyStateTest, testing::ValuesIn(kKeys),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

bool topmost(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The keeper's tick: another program's topmost window loses its status, this one gains it,
// and neither moves.
TEST(WindowOrderTest, TopmostComesAndGoesAndThePlaceStays) {
  Win32Platform platform;
  auto make = [](int left, int top) {
    return CreateWindowExW(0, L"STATIC", L"VESK-LIGHTS test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           left, top, 240, 120, nullptr, nullptr, nullptr, nullptr);
  };
  HWND own = make(100, 100), other = make(400, 300);
  ASSERT_TRUE(own && other) << "no window: is the test display running?";
  SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  ASSERT_TRUE(topmost(other));
  ASSERT_FALSE(topmost(own));
  RECT before{}, after{};
  GetWindowRect(own, &before);

  platform.setTopmost(reinterpret_cast<NativeHandle>(other), false);
  platform.setTopmost(reinterpret_cast<NativeHandle>(own), true);
  EXPECT_FALSE(topmost(other));
  EXPECT_TRUE(topmost(own));
  SetForegroundWindow(other);  // as an open dialog would be
  platform.removeTopmost(reinterpret_cast<NativeHandle>(own));
  EXPECT_FALSE(topmost(own));
  EXPECT_EQ(GetForegroundWindow(), other) << "removing topmost took the keyboard";
  GetWindowRect(own, &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "the window moved";
}

}  // namespace
}  // namespace vesk::platform
