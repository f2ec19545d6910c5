#pragma once
// A push button; a click, Space or Enter on it raises onClick.

#include <QPushButton>

#include "forms/forms.h"

namespace vesk::forms::qt {

class FormWidget;

class QtButton final : public QPushButton, public forms::Button {
 public:
  QtButton(FormWidget& form, const ButtonSpec& spec);

  // Both QWidget's and the seam's: one flag, whether the button is shown with its window.
  void setVisible(bool visible) override;
  bool isVisible() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FormWidget& form_;
};

}  // namespace vesk::forms::qt
