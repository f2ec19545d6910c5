// Lock-key state and presses through the Win32 platform. Under Wine GetKeyState follows
// SendInput, as on Windows; each test leaves every lock key as it found it.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/win32_platform.h"
#include "pump.h"

namespace vesk::platform {
namespace {

struct KeyCase {
  LockKey key;
  int vk;
  const char* name;
};

const KeyCase kKeys[] = {
    {LockKey::Num, VK_NUMLOCK, "Num"},
    {LockKey::Caps, VK_CAPITAL, "Caps"},
    {LockKey::Scroll, VK_SCROLL, "Scroll"},
};

bool toggled(int vk) {
  return (GetKeyState(vk) & 1) != 0;
}

class KeyStateTest : public testing::TestWithParam<KeyCase> {
 protected:
  Win32Platform platform_;
};

TEST_P(KeyStateTest, PressFlipsThatKeyAndNoOther) {
  const KeyCase& c = GetParam();
  bool before[3];
  for (int i = 0; i < 3; ++i) before[i] = toggled(kKeys[i].vk);
  const bool wasOn = toggled(c.vk);

  platform_.pressKey(c.key);
  ASSERT_TRUE(test::pumpUntil([&] { return toggled(c.vk) != wasOn; }))
      << c.name << " Lock did not change";
  // The word is the system's own, and the key is released again.
  EXPECT_EQ(platform_.keyState(c.key), static_cast<std::uint16_t>(GetKeyState(c.vk)));
  EXPECT_EQ(GetKeyState(c.vk) & 0x8000, 0);
  for (int i = 0; i < 3; ++i) {
    if (kKeys[i].vk != c.vk) {
      EXPECT_EQ(toggled(kKeys[i].vk), before[i]) << kKeys[i].name;
    }
  }

  platform_.pressKey(c.key);
  EXPECT_TRUE(test::pumpUntil([&] { return toggled(c.vk) == wasOn; }))
      << c.name << " Lock did not change back";
}

// A key held down counts as on: the word must keep its high bit, not only the toggle bit.
TEST_P(KeyStateTest, HeldKeyKeepsTheHighBit) {
  const KeyCase& c = GetParam();
  const bool wasOn = toggled(c.vk);
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(c.vk);
  input.ki.dwFlags = c.key == LockKey::Num ? KEYEVENTF_EXTENDEDKEY : 0;
  SendInput(1, &input, sizeof(INPUT));
  EXPECT_TRUE(test::pumpUntil([&] { return (GetKeyState(c.vk) & 0x8000) != 0; }));
  EXPECT_NE(platform_.keyState(c.key) & 0x8000, 0) << c.name;

  input.ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(INPUT));
  ASSERT_TRUE(test::pumpUntil([&] { return (GetKeyState(c.vk) & 0x8000) == 0; }));
  if (toggled(c.vk) != wasOn) {
    platform_.pressKey(c.key);
    EXPECT_TRUE(test::pumpUntil([&] { return toggled(c.vk) == wasOn; }));
  }
}

INSTANTIATE_TEST_SUITE_P(LockKeys, KeyStateTest, testing::ValuesIn(kKeys),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vesk::platform
