#pragma once
// A periodic timer owned by a window. It ticks only while enabled with an interval above 0:
// Qt would fire an interval of 0 on every pass of the event loop.

#include <QObject>
#include <QTimer>

#include "forms/forms.h"

namespace vesk::forms::qt {

class FormWidget;

class QtTimer final : public QObject, public forms::Timer {
 public:
  explicit QtTimer(FormWidget& form);

  void setInterval(int milliseconds) override;
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override;
  bool isEnabled() const override { return enabled_; }

  bool isTicking() const { return timer_.isActive(); }

 private:
  void apply();

  FormWidget& form_;
  QTimer timer_;
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace vesk::forms::qt
