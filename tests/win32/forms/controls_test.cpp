// Three-state check boxes and push buttons, with the keyboard through the toolkit's own loop.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms/win32/win32_toolkit.h"
#include "win32_test_support.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;

CheckBoxSpec box(const std::string& caption, int value, int tabIndex, double top) {
  return {caption, caption, {120, top, 2000, 375}, tabIndex, value, {}};
}

int nativeState(HWND hwnd) {
  return static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = toolkit.createWindow({"TEST", "VESK-LIGHTS"});
    window->setOuterGeometry({1500, 1500, 5835, 4530});
  }
  Win32Toolkit toolkit;
  std::unique_ptr<Window> window;
};

TEST_F(ControlsTest, AGreyedBoxShowsIndeterminateAndAClickChecksIt) {
  CheckBox& grey = window->addCheckBox(box("Grey", 2, 1, 120));
  int clicks = 0;
  int valueSeen = -1;
  grey.onClick = [&] {
    ++clicks;
    valueSeen = grey.value();
  };
  HWND hwnd = findChild(*window, L"BUTTON", L"Grey");
  EXPECT_EQ(nativeState(hwnd), BST_INDETERMINATE);
  EXPECT_EQ(grey.value(), 2);

  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(valueSeen, 1) << "the handler already sees the new value";
  EXPECT_EQ(nativeState(hwnd), BST_CHECKED);
  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(grey.value(), 0);
  EXPECT_EQ(nativeState(hwnd), BST_UNCHECKED);
  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(grey.value(), 1);
  EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsTest, SettingAValueFromCodeRaisesNoClick) {
  CheckBox& b = window->addCheckBox(box("Box", 0, 1, 120));
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  HWND hwnd = findChild(*window, L"BUTTON", L"Box");
  for (int v : {1, 2, 0, 1}) {
    b.setValue(v);
    EXPECT_EQ(b.value(), v);
    EXPECT_EQ(nativeState(hwnd), v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED);
  }
  window->show();
  pump(200);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ControlsTest, AHandlerMayDeleteItsOwnWindow) {
  Button& b = window->addButton({"B", "Gone", {120, 120, 1455, 495}, 0, {}});
  b.onClick = [&] { window.reset(); };
  HWND hwnd = findChild(*window, L"BUTTON", L"Gone");
  HWND top = hwndOf(*window);
  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindow(top));
}

// The dialog's order: the focus starts on the lowest tab index and Tab follows the indexes,
// not the order of creation; Space toggles a box and Enter presses the focused button.
TEST_F(ControlsTest, KeyboardFollowsTheTabIndexesInTheToolkitsLoop) {
  CheckBox& num = window->addCheckBox(box("Show NUM-LOCK", 1, 9, 2520));
  CheckBox& vert = window->addCheckBox(box("Use Vertical Lights", 0, 5, 3600));
  Button& ok = window->addButton({"OK_BUTTON", "OK", {3960, 3240, 1455, 495}, 4, {}});
  HWND hOk = findChild(*window, L"BUTTON", L"OK");
  HWND hVert = findChild(*window, L"BUTTON", L"Use Vertical Lights");
  HWND hNum = findChild(*window, L"BUTTON", L"Show NUM-LOCK");
  int vertClicks = 0, okClicks = 0;
  vert.onClick = [&] { ++vertClicks; };
  ok.onClick = [&] {
    if (++okClicks == 2) window->close();
  };
  (void)num;

  std::vector<HWND> focus;
  std::vector<std::function<void()>> steps = {
      [&] { focus.push_back(GetFocus()); },
      [&] { pressKey(VK_RETURN); },
      [&] { pressKey(VK_TAB); },
      [&] { focus.push_back(GetFocus()); },
      [&] { pressKey(VK_SPACE); },
      [&] { pressKey(VK_TAB); },
      [&] { focus.push_back(GetFocus()); },
      [&] { pressKey(VK_TAB); },
      [&] { focus.push_back(GetFocus()); },
      [&] { pressKey(VK_RETURN); },
  };
  size_t step = 0;
  Timer& script = window->addTimer();
  script.setInterval(100);
  script.setEnabled(true);
  script.onTimer = [&] {
    if (step < steps.size()) {
      steps[step++]();
    } else if (step++ > steps.size() + 20) {
      window->close();  // the last Enter never came through: stop rather than hang
    }
  };
  window->show();
  SetForegroundWindow(hwndOf(*window));
  toolkit.run();

  EXPECT_EQ(focus, (std::vector<HWND>{hOk, hVert, hNum, hOk}));
  EXPECT_EQ(vertClicks, 1);
  EXPECT_EQ(vert.value(), 1);
  EXPECT_EQ(okClicks, 2);
}

}  // namespace
}  // namespace vesk::forms::win32
