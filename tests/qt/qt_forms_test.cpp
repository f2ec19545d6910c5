// The elements of the Qt windows: places, colours, captions, clicks, check values, timers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <vector>

#include "forms/qt/qt_toolkit.h"
#include "forms/qt/units.h"
#include "qt_app.h"

namespace vesk::forms::qt {
namespace {

using test::widgetOf;

LabelSpec labelAt(Rect place, const char* caption = "") {
  LabelSpec spec;
  spec.name = "LABEL";
  spec.caption = caption;
  spec.place = place;
  return spec;
}

// Pixels of the widget as drawn that satisfy the test.
template <class Test>
int countPixels(QWidget* widget, Test test) {
  const QImage image = widget->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += test(image.pixelColor(x, y), y);
  }
  return count;
}

class QtElements : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_DOUBLE_EQ(dotsPerInch(), 96.0) << "the cases assume 15 twips"; }
  void showWindow() {
    window->setOuterGeometry({1500, 1500, 3840, 945});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widgetOf(*window)));
  }

  QtToolkit toolkit{*qApp};
  std::unique_ptr<Window> window = toolkit.createWindow({"VESK_LIGHTS_MAIN", "VESK-LIGHTS"});
};

TEST_F(QtElements, LabelsDrawTheirColoursRedInTheLowByteAndWrapTheirCaptions) {
  auto& light = window->addLabel(labelAt({120, 120, 855, 375}));
  LabelSpec design = labelAt({120, 600, 2655, 495}, "TARNWICK");
  design.font = {"MS Sans Serif", 13.5, false};
  design.back = kBlack;
  design.text = kCyan;
  auto* title = widgetOf(window->addLabel(design));
  design = labelAt({3000, 0, 375, 1215}, "N U M");
  design.font = {"MS Sans Serif", 13.5, true};
  design.back = kWhite;
  design.border = false;  // only the caption inks it
  design.wrap = true;
  auto* upright = widgetOf(window->addLabel(design));
  showWindow();
  const auto middle = [&](QWidget* label) {
    const QImage image = label->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
  };

  light.setBackColour(kRed);
  EXPECT_EQ(middle(widgetOf(light)), QColor(255, 0, 0));
  light.setBackColour(0x00FF0000);
  EXPECT_EQ(middle(widgetOf(light)), QColor(0, 0, 255));
  EXPECT_EQ(widgetOf(light)->grab().toImage().pixelColor(0, 0), QColor(0, 0, 0)) << "no border";

  EXPECT_EQ(middle(title).red(), 0);
  const int cyan = countPixels(
      title, [](QColor c, int) { return c.red() < 64 && c.green() > 160 && c.blue() > 160; });
  EXPECT_GT(cyan, 20) << "the caption is not drawn in its text colour";

  // In a label 25 pixels wide, ink reaches below two lines of text: "M" stands on the third.
  const int line = QFontMetrics(upright->font()).height();
  const int lowInk =
      countPixels(upright, [&](QColor c, int y) { return y > 2 * line && c.lightness() < 128; });
  EXPECT_GT(lowInk, 10) << "\"N U M\" does not read downwards";
}

TEST_F(QtElements, DoubleClickGoesToAVisibleLabelAndThroughAHiddenOne) {
  auto& light = window->addLabel(labelAt({120, 120, 855, 375}));
  int clicks = 0, doubles = 0, background = 0;
  light.onClick = [&] { ++clicks; };
  light.onDblClick = [&] { ++doubles; };
  window->onDblClick = [&] { ++background; };
  showWindow();
  QWindow* native = widgetOf(*window)->windowHandle();
  EXPECT_EQ(widgetOf(light)->geometry(), QRect(8, 8, 57, 25)) << "twips to pixels";
  const QPoint onLight = widgetOf(light)->geometry().center();

  QTest::mouseDClick(native, Qt::LeftButton, {}, onLight);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(background, 0) << "the light's double-click reached the background";
  EXPECT_EQ(clicks, 1) << "a double-click is one click, then the double-click";

  light.setVisible(false);
  QTest::mouseDClick(native, Qt::LeftButton, {}, onLight);
  EXPECT_EQ(doubles, 1) << "a hidden light took a double-click";
  EXPECT_EQ(background, 1);
}

TEST_F(QtElements, CheckBoxShowsGreyedAndOnlyTheUserRaisesClick) {
  CheckBoxSpec design;
  design.caption = "Show NUM-LOCK";
  design.place = {120, 120, 1695, 375};
  design.value = 2;
  auto& box = window->addCheckBox(design);
  std::vector<int> clicked;  // the value each click handler saw
  box.onClick = [&] { clicked.push_back(box.value()); };
  showWindow();
  auto* qbox = dynamic_cast<QCheckBox*>(&box);
  EXPECT_EQ(qbox->checkState(), Qt::PartiallyChecked);

  box.setValue(0);
  box.setValue(1);
  box.setValue(2);
  EXPECT_EQ(box.value(), 2);
  const QPoint indicator(6, qbox->height() / 2);
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // greyed -> ticked
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // ticked -> clear
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // clear -> ticked, never greyed
  qbox->setFocus();
  QTest::keyClick(qbox, Qt::Key_Space);
  EXPECT_EQ(clicked, (std::vector<int>{1, 0, 1, 0})) << "setValue raised a click, or a bad cycle";
}

TEST_F(QtElements, TimerTicksOnlyWhileEnabledWithAnIntervalAboveZero) {
  auto& timer = window->addTimer();
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  timer.setEnabled(true);  // as the refresh timer is created: enabled, interval 0
  QTest::qWait(80);
  EXPECT_EQ(ticks, 0) << "an interval of 0 ticked";

  timer.setInterval(10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
  timer.setEnabled(false);
  const int stopped = ticks;
  QTest::qWait(60);
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
}  // namespace vesk::forms::qt
