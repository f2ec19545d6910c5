#include "forms/qt/qt_timer.h"

#include "forms/qt/form_widget.h"

namespace vesk::forms::qt {

QtTimer::QtTimer(FormWidget& form) : QObject(&form), form_(form) {
  connect(&timer_, &QTimer::timeout, this, [this] { form_.dispatch(onTimer); });
}

void QtTimer::setInterval(int milliseconds) {
  // A new interval starts a new period, as the classic timer did.
  interval_ = milliseconds;
  apply();
}

void QtTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  apply();
}

void QtTimer::apply() {
  if (enabled_ && interval_ > 0) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

}  // namespace vesk::forms::qt
