// The settings dialog on the Qt windows, opened the user's way: a double-click on the
// indicator's background.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <functional>

#include "forms/qt/qt_toolkit.h"
#include "indicator/indicator_window.h"
#include "platform/null_platform.h"
#include "qt_app.h"
#include "settings/memory_store.h"
#include "settings/settings.h"
#include "settings_dialog/settings_dialog.h"

namespace vesk::forms::qt {
namespace {

using settings::Key;
using test::widgetOf;

class SettingsDialogOnQt : public ::testing::Test {
 protected:
  // Opens the dialog, runs `inside` while it is open (it must close the dialog), and returns
  // once the dialog has closed.
  void SetUp() override {
    main.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widgetOf(main.window())));
    QTest::qWait(250);  // until the first tick every light shows, upright ones on the left
  }
  void whileOpen(const std::function<void(QWidget& dialog)>& inside) {
    bool opened = false;
    QTimer::singleShot(50, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      opened = dialog && dialog->objectName() == "VESK_LIGHTS_SETTINGS";
      if (opened) inside(*dialog);
    });
    test::Watchdog watchdog;
    QTest::mouseDClick(widgetOf(main.window())->windowHandle(), Qt::LeftButton, {}, {150, 50});
    EXPECT_TRUE(opened) << "the double-click opened no modal dialog";
    EXPECT_FALSE(dialog.isOpen());
  }
  std::vector<float> storedGeometry() {
    return {settings.single(Key::AboutMainLeft), settings.single(Key::AboutMainTop),
            settings.single(Key::AboutMainWidth), settings.single(Key::AboutMainHeight)};
  }

  settings::MemoryStore store;
  settings::Settings settings{store, '.', nullptr};
  platform::NullPlatform platform;
  QtToolkit toolkit{*qApp};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  settings_dialog::SettingsDialog dialog{toolkit, settings, main};
};

TEST_F(SettingsDialogOnQt, FocusStartsOnOkEachBoxIsStoredAtOnceAndEveryCloseStoresTheGeometry) {
  settings.saveSingle(Key::AboutMainLeft, 1500);
  settings.saveSingle(Key::AboutMainTop, 1200);
  settings.saveSingle(Key::AboutMainWidth, 6000);
  settings.saveSingle(Key::AboutMainHeight, 4800);
  settings.saveInt(Key::ShowCaps, 2);  // greyed, as stored by hand
  QRect shownAt;
  std::vector<QString> focusOrder;
  std::vector<int> seen;
  whileOpen([&](QWidget& dialog) {
    shownAt = dialog.frameGeometry();
    for (int i = 0; i < 8; ++i) {
      QWidget* focus = dialog.focusWidget();
      if (auto* b = qobject_cast<QAbstractButton*>(focus)) focusOrder.push_back(b->text());
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    const std::pair<const char*, Key> boxes[] = {
        {"SHOW_NUM_TICKBOX", Key::ShowNum},       {"SHOW_CAPS_TICKBOX", Key::ShowCaps},
        {"SHOW_SCROLL_TICKBOX", Key::ShowScroll}, {"SHOW_OSK_BUTTON", Key::ShowOsk},
        {"VERT_LIGHTS_TICKBOX", Key::VertLights}, {"ALWAYS_ON_TOP_TICKBOX", Key::AlwaysOnTop}};
    for (const auto& [name, key] : boxes) {
      auto* box = dialog.findChild<QCheckBox*>(name);
      ASSERT_NE(box, nullptr) << name;
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
      seen.push_back(settings.checkValue(key));
    }
    QTest::mouseClick(dialog.findChild<QPushButton*>("OK_BUTTON"), Qt::LeftButton);
  });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 0, 1, 1})) << "a click was not stored at once";
  EXPECT_EQ(focusOrder, (std::vector<QString>{"OK", "Use Vertical Lights", "Always On Top",
                                              "Show NUM-LOCK", "Show CAPS-LOCK", "Show SCROLL-LOCK",
                                              "Show OSK (On-Screen Keyboard) Button", "OK"}));
  EXPECT_EQ(shownAt, QRect(100, 80, 400, 320));
  EXPECT_EQ(storedGeometry(), (std::vector<float>{1500, 1200, 6000, 4800}));

  // Moved and resized by the user, then closed by the window manager's close button.
  whileOpen([&](QWidget& dialog) {
    dialog.setGeometry(dialog.geometry().translated(100, 20).adjusted(0, 0, 20, 10));
    dialog.windowHandle()->close();
  });
  EXPECT_EQ(storedGeometry(), (std::vector<float>{3000, 1500, 6300, 4950}));
}

}  // namespace
}  // namespace vesk::forms::qt
