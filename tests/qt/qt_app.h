#pragma once
// Every Qt case runs inside one QApplication, on the offscreen platform; helpers for them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "forms/qt/qt_window.h"

namespace vesk::test {

class QtApplication : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[14] = "vesk_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};
inline auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

inline QWidget* widgetOf(forms::Window& window) {
  return static_cast<forms::qt::QtWindow&>(window).widget();
}
template <class Element>
QWidget* widgetOf(Element& element) {
  return dynamic_cast<QWidget*>(&element);
}

}  // namespace vesk::test
