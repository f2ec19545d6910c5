// Labels as lights: the colours they paint, and where double-clicks go.

#include <gtest/gtest.h>

#include "forms_test.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;

class LabelTest : public FormsTest {
 protected:
  LabelSpec light(const std::string& caption, double left) {
    LabelSpec design;
    design.name = design.caption = caption;
    design.place = {left, 120, 855, 375};
    design.font = {"MS Sans Serif", 8.25, true};
    design.back = kWhite;
    return design;
  }
  void showAndSettle() {
    window->show();
    pump(300);
  }
  std::unique_ptr<Window> window = make({1500, 1500, 6000, 3000});
};

TEST_F(LabelTest, PaintsTheColoursGivenOrTheWindowsOwnAndWrapsAnUprightCaption) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  const LabelSpec title{.name = "TITLE",
                        .caption = "TARNWICK",
                        .place = {120, 720, 2655, 495},
                        .font = {"MS Sans Serif", 13.5, false},
                        .back = kBlack,
                        .text = kGreen};
  window->addLabel(title);
  LabelSpec plain = title;
  plain.caption = "plain";
  plain.place.top = 1440;
  plain.back = plain.text = std::nullopt;
  window->addLabel(plain);
  const LabelSpec upright{.name = "UPRIGHT",
                          .caption = "N U M",
                          .place = {4000, 120, 375, 1215},
                          .font = {"MS Sans Serif", 13.5, true},
                          .align = Align::Left,
                          .back = kWhite,
                          .text = std::nullopt,
                          .wrap = true};
  window->addLabel(upright);
  showAndSettle();

  HWND hwnd = findChild(*window, L"STATIC", L"CAPS");
  ASSERT_NE(hwnd, nullptr);
  RECT client{};
  GetClientRect(hwnd, &client);
  const int x = 2, y = client.bottom - 3;  // bottom left, clear of the text
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(255, 255, 255));
  caps.setBackColour(kGreen);
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(0, 255, 0));
  caps.setBackColour(kRed);
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(255, 0, 0));

  HWND green = findChild(*window, L"STATIC", L"TARNWICK");
  EXPECT_GT(countPixels(green, RGB(0, 255, 0)), 20) << "green letters";
  EXPECT_GT(countPixels(green, RGB(0, 0, 0)), 1000) << "black ground";
  // Without colours of its own a label shows the window's button face and button text.
  HWND other = findChild(*window, L"STATIC", L"plain");
  EXPECT_EQ(pixelAt(other, 2, 28), GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(countPixels(other, GetSysColor(COLOR_BTNTEXT)), 10);
  // An upright caption wraps one letter a line.
  int lowest = 0;
  ASSERT_GT(countPixels(findChild(*window, L"STATIC", L"N U M"), RGB(0, 0, 0), &lowest), 0);
  EXPECT_GT(lowest, 40) << "the third letter sits well below the first line";
}

// Real mouse input: the hit test decides who gets the double-click.
TEST_F(LabelTest, ADoubleClickOnALightReachesTheLightAndNotTheWindow) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  int lightClicks = 0, lightDouble = 0, windowDouble = 0;
  caps.onClick = [&] { ++lightClicks; };
  caps.onDblClick = [&] { ++lightDouble; };
  window->onDblClick = [&] { ++windowDouble; };
  showAndSettle();
  SetForegroundWindow(hwndOf(*window));

  RECT r{};
  GetWindowRect(findChild(*window, L"STATIC", L"CAPS"), &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  doubleClickAt(centre);
  pump(300, [&] { return lightDouble > 0; });
  EXPECT_EQ(lightDouble, 1);
  EXPECT_GE(lightClicks, 1);
  EXPECT_EQ(windowDouble, 0);

  // Hidden, it takes no clicks: the same double-click reaches the background.
  caps.setVisible(false);
  pump(600);  // past the double-click time, so this is a fresh double-click
  doubleClickAt(centre);
  pump(300, [&] { return windowDouble > 0; });
  EXPECT_EQ(windowDouble, 1);
  EXPECT_EQ(lightDouble, 1);
}

}  // namespace
}  // namespace vesk::forms::win32
