// Labels as lights: painted colours, border, fonts, wrapping, and where clicks go.

#include <gtest/gtest.h>

#include "forms/win32/win32_toolkit.h"
#include "win32_test_support.h"

namespace vesk::forms::win32 {
namespace {

using namespace test;

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!screenIs96Dpi()) GTEST_SKIP() << "places are written for 96 DPI";
    window = toolkit.createWindow({"TEST", "VESK-LIGHTS"});
    window->setOuterGeometry({1500, 1500, 6000, 3000});
  }

  LabelSpec light(const std::string& caption, double left) {
    LabelSpec spec;
    spec.name = caption;
    spec.caption = caption;
    spec.place = {left, 120, 855, 375};
    spec.font = {"MS Sans Serif", 8.25, true};
    spec.back = kWhite;
    return spec;
  }

  void showAndSettle() {
    window->show();
    pump(300);
  }

  Win32Toolkit toolkit;
  std::unique_ptr<Window> window;
};

TEST_F(LabelTest, BackColourPaintsTheLightInsideAThinBorder) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  showAndSettle();
  HWND hwnd = findChild(*window, L"STATIC", L"CAPS");
  ASSERT_NE(hwnd, nullptr);
  RECT client{};
  GetClientRect(hwnd, &client);
  // Bottom left, clear of the text at the top.
  const int x = 2, y = client.bottom - 3;
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(255, 255, 255));

  caps.setBackColour(kGreen);
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(0, 255, 0));
  caps.setBackColour(kRed);
  EXPECT_EQ(pixelAt(hwnd, x, y), RGB(255, 0, 0));

  // One pixel of border all round: the client area is 2 pixels smaller than the window.
  RECT outer = placeInParent(hwnd);
  EXPECT_EQ(outer.right - outer.left - 2, client.right);
  EXPECT_EQ(outer.bottom - outer.top - 2, client.bottom);
  HDC dc = GetWindowDC(hwnd);
  EXPECT_NE(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  ReleaseDC(hwnd, dc);
}

TEST_F(LabelTest, TextColourAndBlackBackgroundOfTheAboutLabels) {
  LabelSpec design;
  design.caption = "TARNWICK";
  design.place = {120, 120, 2655, 495};
  design.font = {"MS Sans Serif", 13.5, false};
  design.back = kBlack;
  design.text = kGreen;
  window->addLabel(design);
  LabelSpec plain = design;
  plain.caption = "plain";
  plain.place.top = 720;
  plain.back.reset();
  plain.text.reset();
  window->addLabel(plain);
  showAndSettle();

  HWND title = findChild(*window, L"STATIC", L"TARNWICK");
  EXPECT_GT(countPixels(title, RGB(0, 255, 0)), 20) << "green letters";
  EXPECT_GT(countPixels(title, RGB(0, 0, 0)), 1000) << "black ground";
  // Without colours of its own a label shows the window's button face and button text.
  HWND other = findChild(*window, L"STATIC", L"plain");
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(pixelAt(other, 2, 28), face);
  EXPECT_GT(countPixels(other, GetSysColor(COLOR_BTNTEXT)), 10);
}

TEST_F(LabelTest, FontsScaleTheirPointSizeToTheDpiAndKeepTheFace) {
  window->addLabel(light("NUM", 120));
  LabelSpec upright = light("N U M", 2000);
  upright.font = {"MS Sans Serif", 13.5, true};
  window->addLabel(upright);
  ButtonSpec osk{"OSK_BUTTON", "O-S-K", {3000, 120, 615, 375}, 0, {"MS Sans Serif", 12, false}};
  window->addButton(osk);

  auto logFont = [&](const wchar_t* cls, const wchar_t* text) {
    HWND hwnd = findChild(*window, cls, text);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
  };
  const LOGFONTW small = logFont(L"STATIC", L"NUM");
  EXPECT_EQ(small.lfHeight, -11);  // 8.25 pt at 96 DPI
  EXPECT_EQ(small.lfWeight, FW_BOLD);
  EXPECT_STREQ(small.lfFaceName, L"MS Sans Serif");
  EXPECT_EQ(logFont(L"STATIC", L"N U M").lfHeight, -18);
  const LOGFONTW button = logFont(L"BUTTON", L"O-S-K");
  EXPECT_EQ(button.lfHeight, -16);
  EXPECT_EQ(button.lfWeight, FW_NORMAL);
}

TEST_F(LabelTest, AnUprightCaptionWrapsOneLetterALineAndARowCaptionDoesNot) {
  LabelSpec upright = light("N U M", 0);
  upright.place = {0, 0, 375, 1215};
  upright.font = {"MS Sans Serif", 13.5, true};
  upright.align = Align::Left;
  upright.wrap = true;
  window->addLabel(upright);
  LabelSpec row = light("NUM", 1080);
  window->addLabel(row);
  showAndSettle();

  int lowest = 0;
  ASSERT_GT(countPixels(findChild(*window, L"STATIC", L"N U M"), RGB(0, 0, 0), &lowest), 0);
  EXPECT_GT(lowest, 40) << "the third letter sits well below the first line";
  lowest = 0;
  ASSERT_GT(countPixels(findChild(*window, L"STATIC", L"NUM"), RGB(0, 0, 0), &lowest), 0);
  EXPECT_LT(lowest, 16);
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

  const POINT centre = centreOnScreen(findChild(*window, L"STATIC", L"CAPS"));
  clickAt(centre, 2);
  pump(300, [&] { return lightDouble > 0; });
  EXPECT_EQ(lightDouble, 1);
  EXPECT_GE(lightClicks, 1);
  EXPECT_EQ(windowDouble, 0);

  // Hidden, it takes no clicks: the same double-click reaches the background.
  caps.setVisible(false);
  pump(600);  // past the double-click time, so this is a fresh double-click
  clickAt(centre, 2);
  pump(300, [&] { return windowDouble > 0; });
  EXPECT_EQ(windowDouble, 1);
  EXPECT_EQ(lightDouble, 1);
}

TEST_F(LabelTest, TheLightsDoubleClickNotificationStaysWithTheLight) {
  Label& num = window->addLabel(light("NUM", 120));
  int lightDouble = 0, windowDouble = 0;
  num.onDblClick = [&] { ++lightDouble; };
  window->onDblClick = [&] { ++windowDouble; };
  HWND hwnd = findChild(*window, L"STATIC", L"NUM");
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(lightDouble, 1);
  EXPECT_EQ(windowDouble, 0);
  SendMessageW(hwndOf(*window), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 100));
  EXPECT_EQ(windowDouble, 1);
  EXPECT_EQ(lightDouble, 1);
}

}  // namespace
}  // namespace vesk::forms::win32
