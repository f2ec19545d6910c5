// Windows: frame, twips geometry, the desktop, timers, closing, the event loop and modal display.

#include <gtest/gtest.h>

#include "forms/win32/win32_toolkit.h"
#include "win32_test_support.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!screenIs96Dpi()) GTEST_SKIP() << "places are written for 96 DPI";
  }
  std::unique_ptr<Window> make(const Rect& place) {
    auto w = toolkit.createWindow({"TEST", "VESK-LIGHTS"});
    w->setOuterGeometry(place);
    return w;
  }
  Win32Toolkit toolkit;
};

TEST_F(WindowTest, IsASizableToolWindowWithOnlyACloseButton) {
  auto w = make({1500, 1500, 3840, 945});
  HWND hwnd = hwndOf(*w);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  wchar_t caption[32] = {};
  GetWindowTextW(hwnd, caption, 32);
  EXPECT_STREQ(caption, L"VESK-LIGHTS");
  EXPECT_TRUE(GetClassLongPtrW(hwnd, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(WindowTest, TwipsBecomePixelsOfTheOuterRectangleAndOfTheClientArea) {
  auto w = make({1500, 1200, 3840, 945});
  w->addLabel({"UPRIGHT", "C A P", {360, 0, 375, 1215}, {}, Align::Left, true, {}, {}, true});
  w->addButton({"OSK_BUTTON", "O-S-K", {3000, 120, 615, 375}, 0, {}});
  w->show();
  pump(200);

  RECT outer{};
  GetWindowRect(hwndOf(*w), &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 80);
  EXPECT_EQ(outer.right - outer.left, 256);
  EXPECT_EQ(outer.bottom - outer.top, 63);
  EXPECT_EQ(w->outerGeometry(), (Rect{1500, 1200, 3840, 945}));

  const RECT upright = placeInParent(findChild(*w, L"STATIC", L"C A P"));
  EXPECT_EQ(upright.left, 24);
  EXPECT_EQ(upright.top, 0);
  EXPECT_EQ(upright.right, 49);
  EXPECT_EQ(upright.bottom, 81);
  const RECT osk = placeInParent(findChild(*w, L"BUTTON", L"O-S-K"));
  EXPECT_EQ(osk.left, 200);
  EXPECT_EQ(osk.top, 8);
  EXPECT_EQ(osk.right - osk.left, 41);
  EXPECT_EQ(osk.bottom - osk.top, 25);
}

TEST_F(WindowTest, GeometryReadsBackWhatWasSetUntilTheWindowMoves) {
  auto w = make({1000, -1000, 3840, 945});  // 1000 twips is 66.7 pixels
  RECT outer{};
  GetWindowRect(hwndOf(*w), &outer);
  EXPECT_EQ(outer.left, 67);
  EXPECT_EQ(outer.top, -67);
  EXPECT_EQ(w->outerGeometry(), (Rect{1000, -1000, 3840, 945}));

  SetWindowPos(hwndOf(*w), nullptr, 70, 90, 300, 120, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(w->outerGeometry(), (Rect{1050, 1350, 4500, 1800}));
}

TEST_F(WindowTest, DesktopGivesThePrimaryWorkAreaFirstAndTheFrameLimits) {
  const Desktop d = toolkit.desktop();
  ASSERT_FALSE(d.screens.empty());
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(d.screens.front(),
            (Rect{work.left * 15.0, work.top * 15.0, (work.right - work.left) * 15.0,
                  (work.bottom - work.top) * 15.0}));
  EXPECT_GE(d.captionHeight, GetSystemMetrics(SM_CYSMCAPTION) * 15.0);
  EXPECT_LT(d.captionHeight, 1000);
  EXPECT_EQ(d.minWidth, GetSystemMetrics(SM_CXMINTRACK) * 15.0);
  EXPECT_EQ(d.minHeight, GetSystemMetrics(SM_CYMINTRACK) * 15.0);
}

TEST_F(WindowTest, TimersTickOnlyEnabledWithAnIntervalAndACloseEndsTheLoop) {
  auto w = make({1500, 1500, 3840, 945});
  Timer& noInterval = w->addTimer();
  Timer& disabled = w->addTimer();
  Timer& ticking = w->addTimer();
  int idle = 0, ticks = 0, unloads = 0;
  noInterval.setEnabled(true);
  noInterval.onTimer = [&] { ++idle; };
  disabled.setInterval(10);
  disabled.setEnabled(false);
  disabled.onTimer = [&] { ++idle; };
  ticking.setInterval(20);
  ticking.setEnabled(true);
  ticking.onTimer = [&] {
    // As the frame's close button, or another program asking the window to close.
    if (++ticks == 5) PostMessageW(hwndOf(*w), WM_CLOSE, 0, 0);
  };
  w->onUnload = [&] {
    ++unloads;
    EXPECT_TRUE(IsWindow(hwndOf(*w))) << "onUnload runs before the window goes";
  };
  EXPECT_FALSE(disabled.isEnabled());
  EXPECT_EQ(disabled.interval(), 10);
  w->show();
  toolkit.run();  // returns once the window has closed

  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(idle, 0);
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(w->handle(), 0u);
  EXPECT_EQ(w->outerGeometry(), (Rect{1500, 1500, 3840, 945})) << "the last place stays";
}

// The dialog closes itself after some ticks of its owner's timer, which must keep ticking
// while the owner takes no input.
TEST_F(WindowTest, AModalWindowDisablesItsOwnerWhoseTimersKeepTicking) {
  auto owner = make({1500, 1500, 3840, 945});
  int ownerTicks = 0, ownerDoubleClicks = 0;
  Timer& ownerTimer = owner->addTimer();
  ownerTimer.setInterval(20);
  ownerTimer.setEnabled(true);
  ownerTimer.onTimer = [&] { ++ownerTicks; };
  owner->onDblClick = [&] { ++ownerDoubleClicks; };
  owner->show();
  pump(200);

  auto dialog = make({6000, 6000, 5835, 4530});
  const int ticksBefore = ownerTicks;
  int unloads = 0;
  bool ownerEnabledMeanwhile = true;
  HWND ownerSeen = nullptr;
  Timer& watch = dialog->addTimer();
  watch.setInterval(30);
  watch.setEnabled(true);
  int watchTicks = 0;
  watch.onTimer = [&] {
    ++watchTicks;
    ownerEnabledMeanwhile = ownerEnabledMeanwhile && IsWindowEnabled(hwndOf(*owner));
    ownerSeen = GetWindow(hwndOf(*dialog), GW_OWNER);
    if (watchTicks == 2) {
      // A double-click on the owner's background goes nowhere while the dialog is up.
      RECT r{};
      GetWindowRect(hwndOf(*owner), &r);
      clickAt({r.left + 20, r.bottom - 8}, 2);
    }
    if (ownerTicks - ticksBefore >= 10 && watchTicks > 4) dialog->close();
  };
  dialog->onUnload = [&] { ++unloads; };
  HWND dialogHwnd = hwndOf(*dialog);
  dialog->showModal(*owner);

  EXPECT_GE(ownerTicks - ticksBefore, 10);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_EQ(ownerSeen, hwndOf(*owner));
  EXPECT_EQ(ownerDoubleClicks, 0);
  EXPECT_EQ(unloads, 1);
  EXPECT_FALSE(IsWindow(dialogHwnd));
  EXPECT_TRUE(IsWindowEnabled(hwndOf(*owner)));

  // With the dialog gone, the same double-click reaches the owner again.
  pump(600);
  RECT r{};
  GetWindowRect(hwndOf(*owner), &r);
  clickAt({r.left + 20, r.bottom - 8}, 2);
  pump(300, [&] { return ownerDoubleClicks > 0; });
  EXPECT_EQ(ownerDoubleClicks, 1);
}

}  // namespace
}  // namespace vesk::forms::win32
