// What the Win32 windows tell the user beside the lights: a label's tooltip and a window's note.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test.h"
// After <windows.h>, which forms_test.h brings.
#include <commctrl.h>

namespace vesk::forms::win32 {
namespace {

using namespace test;

// Our tooltip windows owned by `owner`.
std::vector<HWND> tipsOf(HWND owner) {
  struct Search {
    HWND owner;
    std::vector<HWND> found;
  } search{owner, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(hwnd, GW_OWNER) == s.owner)
          s.found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The texts of a tooltip window's tools.
std::vector<std::wstring> toolTexts(HWND tip) {
  std::vector<std::wstring> texts;
  const auto count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.lpszText = text;
    SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info));
    texts.emplace_back(text);
  }
  return texts;
}

class NotesTest : public FormsTest {};

TEST_F(NotesTest, ToolTipsAndANoteBelowTheWindowThatLeavesItTheKeyboard) {
  auto window = make({1500, 1500, 3840, 945});
  LabelSpec design;
  design.caption = "CAPS";
  design.place = {120, 120, 855, 375};
  Label& light = window->addLabel(design);
  window->show();
  pump(200);
  HWND hwnd = hwndOf(*window);
  light.setToolTip("Caps Lock cannot be read here.");
  auto tips = tipsOf(hwnd);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(toolTexts(tips[0]), std::vector<std::wstring>{L"Caps Lock cannot be read here."});
  light.setToolTip("");
  EXPECT_TRUE(toolTexts(tips[0]).empty());

  window->showNote("This session does not let programs flip lock keys.");
  pump(200);
  tips = tipsOf(hwnd);
  ASSERT_EQ(tips.size(), 2u) << "a note beside the light's tooltip";
  HWND note = IsWindowVisible(tips[0]) ? tips[0] : tips[1];
  EXPECT_TRUE(IsWindowVisible(note));
  RECT outer{}, noteRect{};
  GetWindowRect(hwnd, &outer);
  GetWindowRect(note, &noteRect);
  EXPECT_GE(noteRect.top, outer.bottom);
  EXPECT_EQ(GetForegroundWindow(), hwnd) << "the note took the keyboard";
}

}  // namespace
}  // namespace vesk::forms::win32
