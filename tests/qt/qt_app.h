#pragma once
// Helpers for the Qt cases, which all run inside one QApplication (qt_app.cpp).

#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "forms/qt/qt_window.h"

namespace vesk::test {

inline QWidget* widgetOf(forms::Window& window) {
  return static_cast<forms::qt::QtWindow&>(window).widget();
}

template <class Element>
QWidget* widgetOf(Element& element) {
  return dynamic_cast<QWidget*>(&element);
}

// Ends the test binary when a modal loop never returns, instead of hanging the test run.
class Watchdog {
 public:
  explicit Watchdog(int milliseconds) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      std::fprintf(stderr, "a modal loop did not return\n");
      std::_Exit(2);
    });
    timer_.start(milliseconds);
  }

 private:
  QTimer timer_;
};

}  // namespace vesk::test
