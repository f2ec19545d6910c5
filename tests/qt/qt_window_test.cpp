// The Qt windows: outer geometry in twips, modal display, closing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "forms/qt/qt_toolkit.h"
#include "qt_app.h"

namespace vesk::forms::qt {
namespace {

using test::widgetOf;

class QtWindows : public ::testing::Test {
 protected:
  std::unique_ptr<Window> shown(const char* name) {
    auto window = toolkit.createWindow({name, "VESK-LIGHTS"});
    window->setOuterGeometry({1500, 1500, 3840, 945});
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widgetOf(*window)));
    return window;
  }

  QtToolkit toolkit{*qApp};
};

TEST_F(QtWindows, OuterGeometryIsTheFramedRectangleInTwipsFromBeforeShowingOn) {
  // The offscreen platform frames its windows too (2 pixels all round) and tells the frame
  // before the window is shown, as a window manager answering the EWMH request does.
  auto window = toolkit.createWindow({"VESK_LIGHTS_MAIN", "VESK-LIGHTS"});
  QWidget* form = widgetOf(*window);
  EXPECT_EQ(form->windowType(), Qt::Tool);
  EXPECT_TRUE(form->testAttribute(Qt::WA_QuitOnClose)) << "closing would not end the program";
  EXPECT_EQ(form->windowIcon().pixmap(100, 100).size(), QSize(100, 100)) << "no icon built in";

  const Rect stored{1500, 300, 3840, 945};
  window->setOuterGeometry(stored);
  EXPECT_EQ(window->outerGeometry(), stored);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  EXPECT_EQ(form->frameGeometry(), QRect(100, 20, 256, 63));
  EXPECT_EQ(window->outerGeometry(), stored);

  window->setOuterGeometry({2000, 1500, 4500, 1200});  // 2000 twips are 133.3 pixels
  EXPECT_EQ(form->frameGeometry(), QRect(133, 100, 300, 80));
  EXPECT_EQ(window->outerGeometry(), (Rect{1995, 1500, 4500, 1200}));
}

TEST_F(QtWindows, ShowModalReturnsOnceClosedWhileTheOwnerTicksButTakesNoInput) {
  auto owner = shown("VESK_LIGHTS_MAIN");
  int ownerTicks = 0, ownerDoubles = 0;
  auto& refresh = owner->addTimer();
  refresh.onTimer = [&] { ++ownerTicks; };
  refresh.setInterval(10);
  refresh.setEnabled(true);
  owner->onDblClick = [&] { ++ownerDoubles; };
  const auto doubleClickOwner = [&] {
    QTest::mouseDClick(widgetOf(*owner)->windowHandle(), Qt::LeftButton, {}, QPoint(200, 50));
  };

  auto dialog = toolkit.createWindow({"VESK_LIGHTS_SETTINGS", "VESK-LIGHTS"});
  int unloads = 0, ticksWhileOpen = 0;
  dialog->onUnload = [&] { ++unloads; };
  QTimer::singleShot(200, [&] {
    doubleClickOwner();
    ticksWhileOpen = ownerTicks;
    dialog->close();
  });
  {
    test::Watchdog watchdog(10000);
    dialog->showModal(*owner);
  }
  EXPECT_EQ(unloads, 1);
  EXPECT_GE(ticksWhileOpen, 3) << "the owner's timer stopped under the modal window";
  EXPECT_EQ(ownerDoubles, 0) << "the owner took input under the modal window";
  EXPECT_FALSE(widgetOf(*dialog)->isVisible());
  doubleClickOwner();
  EXPECT_EQ(ownerDoubles, 1) << "the owner takes no input after the modal window closed";
}

TEST_F(QtWindows, EveryCloseRunsUnloadOnceWhileTheGeometryCanStillBeRead) {
  auto window = shown("VESK_LIGHTS_MAIN");
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

  auto neverShown = toolkit.createWindow({"VESK_LIGHTS_SETTINGS", "VESK-LIGHTS"});
  neverShown->onUnload = [&] { ++unloads; };
  neverShown->close();
  neverShown->close();
  EXPECT_EQ(unloads, 3);
}

TEST_F(QtWindows, AHandlerMayDestroyItsOwnWindow) {
  auto window = shown("VESK_LIGHTS_SETTINGS");
  ButtonSpec design;
  design.caption = "OK";
  design.place = {120, 120, 1455, 495};
  auto& ok = window->addButton(design);
  ok.onClick = [&] { window->close(); };
  window->onUnload = [&] { window.reset(); };  // in the middle of the button's own click
  QPointer<QWidget> button = widgetOf(ok);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(window, nullptr);
  QTest::qWait(10);  // the widgets go once the click has been handled
  EXPECT_TRUE(button.isNull());
}

}  // namespace
}  // namespace vesk::forms::qt
