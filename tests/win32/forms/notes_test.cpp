// What the Win32 windows tell the user beside the lights: a label's tooltip and a window's note.

#include <gtest/gtest.h>

#include <vector>

#include "forms_test.h"
// After <windows.h>, which forms_test.h brings.
#include <commctrl.h>

namespace vesk::forms::win32 {
namespace {

using namespace test;

// The tooltip windows that `owner` owns.
std::vector<HWND> tipsOf(HWND owner) {
  std::vector<HWND> found;
  for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));)
    if (GetWindow(tip, GW_OWNER) == owner) found.push_back(tip);
  return found;
}

class NotesTest : public FormsTest {};

TEST_F(NotesTest, ToolTipsAndANoteBelowTheWindowThatLeavesItTheKeyboard) {
  auto window = make({1500, 1500, 3840, 945});
  LabelSpec design;
  design.place = {120, 120, 855, 375};
  Label& light = window->addLabel(design);
  window->show();
  pump(200);
  HWND hwnd = hwndOf(*window);
  light.setToolTip("Caps Lock cannot be read here.");
  ASSERT_EQ(tipsOf(hwnd).size(), 1u);
  HWND tip = tipsOf(hwnd)[0];
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  light.setToolTip("");
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);

  window->showNote("This session does not let programs flip lock keys.");
  pump(200);
  const auto tips = tipsOf(hwnd);
  ASSERT_EQ(tips.size(), 2u) << "a note beside the light's tooltip";
  HWND note = tips[0] == tip ? tips[1] : tips[0];
  EXPECT_TRUE(IsWindowVisible(note));
  RECT outer{}, noteRect{};
  GetWindowRect(hwnd, &outer);
  GetWindowRect(note, &noteRect);
  EXPECT_GE(noteRect.top, outer.bottom);
  EXPECT_EQ(GetForegroundWindow(), hwnd) << "the note took the keyboard";
}

}  // namespace
}  // namespace vesk::forms::win32
