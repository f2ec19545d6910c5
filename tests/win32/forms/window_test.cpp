// Windows: twips placement, and a modal window over its owner.

#include <gtest/gtest.h>

#include <array>

#include "forms_test.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;
using WindowTest = FormsTest;

std::array<LONG, 4> edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

TEST_F(WindowTest, TwipsBecomePixelsOfTheWindowAndOfItsControls) {
  auto w = make({1500, 1200, 3840, 945});
  w->addLabel({"UPRIGHT", "C A P", {360, 0, 375, 1215}, {}, Align::Left, true, {}, {}, true});
  w->addButton({"OSK_BUTTON", "O-S-K", {3000, 120, 615, 375}, 0, {}});
  w->show();
  pump(200);
  RECT r{};
  GetWindowRect(hwndOf(*w), &r);
  EXPECT_EQ(edges(r), (std::array<LONG, 4>{100, 80, 356, 143}));
  // Children in pixels of the client area.
  for (auto [cls, text, expected] :
       {std::tuple{L"STATIC", L"C A P", std::array<LONG, 4>{24, 0, 49, 81}},
        std::tuple{L"BUTTON", L"O-S-K", std::array<LONG, 4>{200, 8, 241, 33}}}) {
    HWND child = findChild(*w, cls, text);
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, hwndOf(*w), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(edges(r), expected) << text;
  }

  // Unmoved, it reads back the twips it was given, not those of the rounded pixels.
  auto other = make({1000, -1000, 3840, 945});  // 1000 twips is 66.7 pixels
  GetWindowRect(hwndOf(*other), &r);
  EXPECT_EQ(edges(r), (std::array<LONG, 4>{67, -67, 323, -4}));
  EXPECT_EQ(other->outerGeometry(), (Rect{1000, -1000, 3840, 945}));
  SetWindowPos(hwndOf(*other), nullptr, 70, 90, 300, 120, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(other->outerGeometry(), (Rect{1050, 1350, 4500, 1800}));
}

// The dialog closes itself once its owner's timer has ticked on meanwhile.
TEST_F(WindowTest, AModalWindowDisablesItsOwnerWhoseTimersKeepTicking) {
  auto owner = make({1500, 1500, 3840, 945});
  int ownerTicks = 0;
  Timer& ownerTimer = owner->addTimer();
  ownerTimer.setInterval(20);
  ownerTimer.setEnabled(true);
  ownerTimer.onTimer = [&] { ++ownerTicks; };
  owner->show();
  pump(200);

  auto dialog = make({6000, 6000, 5835, 4530});
  const int ticksBefore = ownerTicks;
  int watchTicks = 0, unloads = 0;
  bool ownerEnabledMeanwhile = false;
  HWND ownerSeen = nullptr;
  Timer& watch = dialog->addTimer();
  watch.setInterval(30);
  watch.setEnabled(true);
  watch.onTimer = [&] {
    ownerEnabledMeanwhile = ownerEnabledMeanwhile || IsWindowEnabled(hwndOf(*owner));
    ownerSeen = GetWindow(hwndOf(*dialog), GW_OWNER);
    // Some ticks of its own, and a limit for when the owner's ticks never come.
    if (++watchTicks > 4 && (ownerTicks - ticksBefore >= 10 || watchTicks > 200)) {
      dialog->close();
    }
  };
  dialog->onUnload = [&] { ++unloads; };
  HWND dialogHwnd = hwndOf(*dialog);
  dialog->showModal(*owner);  // returns once the dialog has closed

  EXPECT_GE(ownerTicks - ticksBefore, 10);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_EQ(ownerSeen, hwndOf(*owner));
  EXPECT_EQ(unloads, 1);
  EXPECT_FALSE(IsWindow(dialogHwnd));
  EXPECT_TRUE(IsWindowEnabled(hwndOf(*owner)));
}

}  // namespace
}  // namespace vesk::forms::win32
