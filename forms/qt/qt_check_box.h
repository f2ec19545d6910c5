#pragma once
// A check box showing 0 (clear), 1 (ticked) or 2 (greyed). The user's click ticks a clear or
// greyed box and clears a ticked one, then raises onClick; setValue raises nothing.

#include <QCheckBox>

#include "forms/forms.h"

namespace vesk::forms::qt {

class FormWidget;

class QtCheckBox final : public QCheckBox, public forms::CheckBox {
 public:
  QtCheckBox(FormWidget& form, const CheckBoxSpec& spec);

  int value() const override;
  void setValue(int value) override;

 protected:
  void nextCheckState() override;

 private:
  FormWidget& form_;
};

}  // namespace vesk::forms::qt
