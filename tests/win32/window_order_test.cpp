// Foreground and topmost through the Win32 platform, on real windows of the Wine desktop.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "pump.h"

namespace vesk::platform {
namespace {

bool isTopmost(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

RECT placeOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool samePlace(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

NativeHandle handleOf(HWND window) {
  return reinterpret_cast<NativeHandle>(window);
}

class WindowOrderTest : public testing::Test {
 protected:
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
  }

  HWND makeWindow(int left, int top) {
    HWND window = CreateWindowExW(0, L"STATIC", L"VESK-LIGHTS test", WS_OVERLAPPEDWINDOW, left, top,
                                  240, 120, nullptr, nullptr, nullptr, nullptr);
    if (window) {
      windows_.push_back(window);
      ShowWindow(window, SW_SHOWNORMAL);
      UpdateWindow(window);
    }
    return window;
  }

  // Gives the window the foreground and waits until the window manager has settled on it:
  // openbox focuses newly mapped windows a little later, which may take the foreground away.
  bool activate(HWND window) {
    for (int attempt = 0; attempt < 10; ++attempt) {
      SetForegroundWindow(window);
      const bool lost = test::pumpUntil([&] { return GetForegroundWindow() != window; }, kSettle);
      if (!lost) return true;
    }
    return false;
  }

  static constexpr std::chrono::milliseconds kSettle{300};
  Win32Platform platform_;
  std::vector<HWND> windows_;
};

TEST_F(WindowOrderTest, TopmostComesAndGoesAndThePlaceStays) {
  HWND window = makeWindow(100, 100);
  ASSERT_NE(window, nullptr) << "no window: is the test display running?";
  const RECT place = placeOf(window);
  ASSERT_FALSE(isTopmost(window));

  platform_.setTopmost(handleOf(window), true);
  EXPECT_TRUE(isTopmost(window));
  EXPECT_TRUE(samePlace(placeOf(window), place));

  platform_.setTopmost(handleOf(window), true);  // again: no change
  EXPECT_TRUE(isTopmost(window));

  platform_.setTopmost(handleOf(window), false);
  EXPECT_FALSE(isTopmost(window));
  EXPECT_TRUE(samePlace(placeOf(window), place));
}

// The keeper's tick: another program's topmost window loses its status, this one gains it.
TEST_F(WindowOrderTest, DemotingOneWindowAndPromotingAnother) {
  HWND other = makeWindow(400, 100);
  HWND own = makeWindow(100, 300);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(own, nullptr);
  SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  ASSERT_TRUE(isTopmost(other));

  platform_.setTopmost(handleOf(other), false);
  platform_.setTopmost(handleOf(own), true);
  EXPECT_FALSE(isTopmost(other));
  EXPECT_TRUE(isTopmost(own));
}

TEST_F(WindowOrderTest, ForegroundFollowsTheActiveWindow) {
  HWND first = makeWindow(100, 100);
  HWND second = makeWindow(400, 300);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);

  ASSERT_TRUE(activate(first)) << "the window manager did not give the window the foreground";
  EXPECT_EQ(platform_.foregroundWindow(), handleOf(first));
  ASSERT_TRUE(activate(second));
  EXPECT_EQ(platform_.foregroundWindow(), handleOf(second));
}

}  // namespace
}  // namespace vesk::platform
