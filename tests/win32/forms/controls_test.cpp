// Three-state check boxes and push buttons, with the keyboard through the toolkit's own loop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;

CheckBoxSpec box(const std::string& caption, int value, int tabIndex, double top) {
  return {caption, caption, {120, top, 2000, 375}, tabIndex, value, {}};
}

class ControlsTest : public FormsTest {
 protected:
  std::unique_ptr<Window> window = make({1500, 1500, 5835, 4530});
};

// A click on a greyed box checks it, and on a checked one clears it; a value set from code
// shows at once and raises no click.
TEST_F(ControlsTest, AThreeStateBoxShowsItsValueAndOnlyAClickRaisesAClick) {
  CheckBox& grey = window->addCheckBox(box("Grey", 2, 1, 120));
  int clicks = 0, valueSeen = -1;
  grey.onClick = [&] {
    ++clicks;
    valueSeen = grey.value();
  };
  HWND hwnd = findChild(*window, L"BUTTON", L"Grey");
  auto shown = [&] { return static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0)); };
  EXPECT_EQ(shown(), BST_INDETERMINATE);
  EXPECT_EQ(grey.value(), 2);

  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(valueSeen, 1) << "the handler already sees the new value";
  EXPECT_EQ(shown(), BST_CHECKED);
  SendMessageW(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(grey.value(), 0);
  EXPECT_EQ(shown(), BST_UNCHECKED);

  for (int v : {2, 1, 0}) {
    grey.setValue(v);
    EXPECT_EQ(grey.value(), v);
    EXPECT_EQ(shown(), v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED);
  }
  window->show();
  pump(200);
  EXPECT_EQ(clicks, 2);
}

// The dialog's order: the focus starts on the lowest tab index and Tab follows the indexes,
// not the order of creation; Space toggles a box and Enter presses the focused button.
TEST_F(ControlsTest, KeyboardFollowsTheTabIndexesInTheToolkitsLoop) {
  window->addCheckBox(box("Show NUM-LOCK", 1, 9, 2520));
  CheckBox& vert = window->addCheckBox(box("Use Vertical Lights", 0, 5, 3600));
  Button& ok = window->addButton({"OK_BUTTON", "OK", {3960, 3240, 1455, 495}, 4, {}});
  const std::vector<HWND> order = {findChild(*window, L"BUTTON", L"OK"),
                                   findChild(*window, L"BUTTON", L"Use Vertical Lights"),
                                   findChild(*window, L"BUTTON", L"Show NUM-LOCK")};
  int okClicks = 0;
  ok.onClick = [&] {
    if (++okClicks == 2) window->close();
  };

  // A step a tick: a key (Enter, Tab, Space), or '.' to note where the focus is.
  const std::string steps = ".\r\t. \t.\t.\r";
  std::vector<HWND> focus;
  size_t step = 0;
  Timer& script = window->addTimer();
  script.setInterval(100);
  script.setEnabled(true);
  script.onTimer = [&] {
    if (step < steps.size()) {
      const char key = steps[step++];
      if (key == '.') {
        focus.push_back(GetFocus());
      } else {
        sendKey(key);
        sendKey(key, KEYEVENTF_KEYUP);
      }
    } else if (step++ > steps.size() + 20) {
      window->close();  // the last Enter never came through: stop rather than hang
    }
  };
  window->show();
  SetForegroundWindow(hwndOf(*window));
  toolkit.run();

  EXPECT_EQ(focus, (std::vector<HWND>{order[0], order[1], order[2], order[0]}));
  EXPECT_EQ(vert.value(), 1);
  EXPECT_EQ(okClicks, 2);
}

}  // namespace
}  // namespace vesk::forms::win32
