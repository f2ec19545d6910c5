#pragma once
// A text label: caption, optional background and text colours, a thin single-line border,
// and click and double-click handlers. A double-click on it never reaches the window. Its
// accessible name and description are a screen reader's name and state; one that takes the
// focus is a link, clicked by Enter or Space.

#include <QLabel>
#include <optional>

#include "forms/forms.h"

namespace vesk::forms::qt {

class FormWidget;

class QtLabel final : public QLabel, public forms::Label {
 public:
  QtLabel(FormWidget& form, const LabelSpec& spec);

  void setCaption(const std::string& caption) override;
  std::string caption() const override;
  void setBackColour(Colour colour) override;
  // Both QWidget's and the seam's: one flag, whether the label is shown with its window.
  void setVisible(bool visible) override;
  bool isVisible() const override;
  void setToolTip(const std::string& text) override;
  void setAccessibleState(const std::string& words) override;
  // Clicked from the keyboard or by assistive technology.
  void press();

  // The background colour in force, for tests; nothing when the window's shows through.
  std::optional<QColor> backColour() const { return back_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FormWidget& form_;
  std::optional<QColor> back_;
  bool border_;
  bool pressed_ = false;
};

}  // namespace vesk::forms::qt
