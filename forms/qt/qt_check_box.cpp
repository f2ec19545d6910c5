#include "forms/qt/qt_check_box.h"

#include "forms/qt/form_widget.h"
#include "forms/qt/units.h"

namespace vesk::forms::qt {

QtCheckBox::QtCheckBox(FormWidget& form, const CheckBoxSpec& spec) : QCheckBox(&form), form_(form) {
  setObjectName(QString::fromStdString(spec.name));
  setText(QString::fromStdString(spec.caption));
  setFont(toQFont(spec.font));
  setFocusPolicy(Qt::StrongFocus);
  setGeometry(toPixels(spec.place));
  setValue(spec.value);
  // clicked comes from the user only (mouse or Space), after nextCheckState has run.
  connect(this, &QCheckBox::clicked, this, [this] { form_.dispatch(onClick); });
  QCheckBox::setVisible(true);
}

int QtCheckBox::value() const {
  switch (checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void QtCheckBox::setValue(int value) {
  // Showing the greyed state makes the box tristate; nextCheckState never cycles into it.
  setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void QtCheckBox::nextCheckState() {
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace vesk::forms::qt
