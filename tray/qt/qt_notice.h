#pragma once
// The change notice on Qt: a frameless tool-tip window that takes neither the keyboard nor the
// mouse, over the bottom centre of the screen that holds the mouse.

#include <QLabel>
#include <QTimer>

#include "tray/tray.h"

namespace vesk::tray::qt {

class QtNotice final : public Notice {
 public:
  QtNotice();
  void show(const std::string& text, forms::Colour back, int milliseconds) override;
  // The window, for tests.
  QLabel& widget() { return label_; }

 private:
  QLabel label_;
  QTimer timer_;
};

}  // namespace vesk::tray::qt
