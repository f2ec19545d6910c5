// The Qt windows and their elements: places, colours, clicks, check values, timers, modal
// display and closing.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <algorithm>
#include <vector>

#include "forms/qt/qt_toolkit.h"
#include "forms/qt/units.h"
#include "qt_app.h"

namespace vesk::forms::qt {
namespace {

using test::widgetOf;

QColor middle(QWidget* widget) {
  const QImage image = widget->grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

class QtForms : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_DOUBLE_EQ(dotsPerInch(), 96.0) << "the cases assume 15 twips"; }
  void show(Window& shown) {
    shown.setOuterGeometry({1500, 1500, 3840, 945});
    shown.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widgetOf(shown)));
  }

  QtToolkit toolkit{*qApp};
  std::unique_ptr<Window> window = toolkit.createWindow({"VESK_LIGHTS_MAIN", "VESK-LIGHTS"});
};

TEST_F(QtForms, LabelsDrawTheirColoursWithRedInTheLowByte) {
  LabelSpec design;
  design.place = {120, 120, 855, 375};
  auto& light = window->addLabel(design);
  design.caption = "TARNWICK";
  design.place = {120, 600, 2655, 495};
  design.font.points = 13.5;
  design.back = kBlack;
  design.text = kCyan;
  auto* title = widgetOf(window->addLabel(design));
  show(*window);

  light.setBackColour(kRed);
  EXPECT_EQ(middle(widgetOf(light)), QColor(255, 0, 0));
  light.setBackColour(0x00FF0000);
  EXPECT_EQ(middle(widgetOf(light)), QColor(0, 0, 255));
  EXPECT_EQ(widgetOf(light)->grab().toImage().pixelColor(0, 0), QColor(0, 0, 0)) << "no border";

  const QImage image = title->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
  const auto cyan = std::count_if(pixels, pixels + image.width() * image.height(), [](QRgb c) {
    return qRed(c) < 64 && qGreen(c) > 160 && qBlue(c) > 160;
  });
  EXPECT_GT(cyan, 20) << "the caption is not drawn in its text colour";
}

TEST_F(QtForms, DoubleClickGoesToAVisibleLabelAndThroughAHiddenOne) {
  LabelSpec design;
  design.place = {120, 120, 855, 375};
  auto& light = window->addLabel(design);
  int doubles = 0, background = 0;
  light.onDblClick = [&] { ++doubles; };
  window->onDblClick = [&] { ++background; };
  show(*window);
  EXPECT_EQ(widgetOf(light)->geometry(), QRect(8, 8, 57, 25)) << "twips to pixels";
  const QPoint onLight = widgetOf(light)->geometry().center();

  QTest::mouseDClick(widgetOf(*window)->windowHandle(), Qt::LeftButton, {}, onLight);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(background, 0) << "the light's double-click reached the background";
  light.setVisible(false);
  QTest::mouseDClick(widgetOf(*window)->windowHandle(), Qt::LeftButton, {}, onLight);
  EXPECT_EQ(doubles, 1) << "a hidden light took a double-click";
  EXPECT_EQ(background, 1);
}

TEST_F(QtForms, CheckBoxShowsGreyedAndOnlyTheUserRaisesClick) {
  CheckBoxSpec design;
  design.place = {120, 120, 1695, 375};
  design.value = 2;
  auto& box = window->addCheckBox(design);
  std::vector<int> clicked;  // the value each click handler saw
  box.onClick = [&] { clicked.push_back(box.value()); };
  show(*window);
  auto* qbox = dynamic_cast<QCheckBox*>(&box);
  EXPECT_EQ(qbox->checkState(), Qt::PartiallyChecked);

  box.setValue(0);
  box.setValue(2);
  const QPoint indicator(6, qbox->height() / 2);
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // greyed -> ticked
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // ticked -> clear
  QTest::mouseClick(qbox, Qt::LeftButton, {}, indicator);  // clear -> ticked, never greyed
  qbox->setFocus();
  QTest::keyClick(qbox, Qt::Key_Space);
  EXPECT_EQ(clicked, (std::vector<int>{1, 0, 1, 0})) << "setValue raised a click, or a bad cycle";
}

TEST_F(QtForms, TimerTicksOnlyWhileEnabledWithAnIntervalAboveZero) {
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

TEST_F(QtForms, OuterGeometryIsTheFramedRectangleInTwipsFromBeforeShowingOn) {
  // The offscreen platform frames its windows too (2 pixels all round) and tells the frame
  // before the window is shown, as a window manager answering the EWMH request does.
  QWidget* form = widgetOf(*window);
  const Rect stored{1500, 300, 3840, 945};
  window->setOuterGeometry(stored);
  EXPECT_EQ(window->outerGeometry(), stored);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  EXPECT_EQ(form->frameGeometry(), QRect(100, 20, 256, 63));
  EXPECT_EQ(window->outerGeometry(), stored);

  window->setOuterGeometry({2000, 1500, 4500, 1200});  // 2000 twips are 133.3 pixels
  EXPECT_EQ(form->frameGeometry(), QRect(133, 100, 300, 80));
  EXPECT_EQ(window->outerGeometry(), (Rect{2000, 1500, 4500, 1200})) << "unmoved: as given";
}

TEST_F(QtForms, ShowModalReturnsOnceClosedWhileTheOwnerTicks) {
  show(*window);
  int ownerTicks = 0, ticksWhileOpen = 0;
  auto& refresh = window->addTimer();
  refresh.onTimer = [&] { ++ownerTicks; };
  refresh.setInterval(10);
  refresh.setEnabled(true);
  auto dialog = toolkit.createWindow({"VESK_LIGHTS_SETTINGS", "VESK-LIGHTS"});
  QTimer::singleShot(200, [&] {
    ticksWhileOpen = ownerTicks;
    dialog->close();
  });
  {
    test::Watchdog watchdog;
    dialog->showModal(*window);
  }
  EXPECT_GE(ticksWhileOpen, 3) << "the owner's timer stopped under the modal window";
  EXPECT_FALSE(widgetOf(*dialog)->isVisible());
}

TEST_F(QtForms, EveryCloseRunsUnloadOnceWhileTheGeometryCanStillBeRead) {
  show(*window);
  int unloads = 0;
  bool visibleInUnload = false;
  window->onUnload = [&] {
    ++unloads;
    visibleInUnload = widgetOf(*window)->isVisible();
  };
  window->close();
  window->close();
  EXPECT_EQ(unloads, 1);
  EXPECT_TRUE(visibleInUnload);
  EXPECT_FALSE(widgetOf(*window)->isVisible());

  window->show();  // then closed by the window manager's close button
  widgetOf(*window)->windowHandle()->close();
  EXPECT_EQ(unloads, 2);

  // Qt sends a close to a window never shown each time; the program still unloads it once.
  auto neverShown = toolkit.createWindow({"VESK_LIGHTS_SETTINGS", "VESK-LIGHTS"});
  neverShown->onUnload = [&] { ++unloads; };
  neverShown->close();
  neverShown->close();
  EXPECT_EQ(unloads, 3);
}

}  // namespace
}  // namespace vesk::forms::qt
