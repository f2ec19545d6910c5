// What the Qt windows tell the user beside the lights: a label's tooltip and a window's note.

#include <gtest/gtest.h>

#include <QLabel>

#include "forms/qt/qt_toolkit.h"
#include "qt_app.h"

namespace vesk::forms::qt {
namespace {

using test::widgetOf;

TEST(QtNotes, ToolTipsAndANoteBelowTheWindowThatLeavesItTheKeyboard) {
  QtToolkit toolkit{*qApp};
  auto window = toolkit.createWindow({"VESK_LIGHTS_MAIN", "VESK-LIGHTS"});
  Label& light = window->addLabel({});
  light.setToolTip("Caps Lock cannot be read here.");
  EXPECT_EQ(widgetOf(light)->toolTip(), "Caps Lock cannot be read here.");
  light.setToolTip("");
  EXPECT_TRUE(widgetOf(light)->toolTip().isEmpty());

  window->setOuterGeometry({1500, 1500, 3840, 945});
  window->show();
  QWidget* form = widgetOf(*window);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  window->showNote("first");
  window->showNote("This session does not let programs flip lock keys.");
  const auto notes = form->findChildren<QLabel*>("note");
  ASSERT_EQ(notes.size(), 1) << "one note at a time, the last one";
  EXPECT_TRUE(notes.front()->isVisible());
  EXPECT_EQ(notes.front()->text(), "This session does not let programs flip lock keys.");
  EXPECT_GE(notes.front()->geometry().top(), form->geometry().bottom());
  EXPECT_EQ(QApplication::activeWindow(), form) << "the note took the keyboard";
}

}  // namespace
}  // namespace vesk::forms::qt
