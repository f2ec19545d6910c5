#include "forms/qt/qt_button.h"

#include <QKeyEvent>

#include "forms/qt/form_widget.h"
#include "forms/qt/units.h"

namespace vesk::forms::qt {

QtButton::QtButton(FormWidget& form, const ButtonSpec& spec) : QPushButton(&form), form_(form) {
  setObjectName(QString::fromStdString(spec.name));
  setText(QString::fromStdString(spec.caption));
  setFont(toQFont(spec.font));
  setFocusPolicy(Qt::StrongFocus);
  if (!spec.accessibleName.empty()) setAccessibleName(QString::fromStdString(spec.accessibleName));
  setGeometry(toPixels(spec.place));
  connect(this, &QPushButton::clicked, this, [this] { form_.dispatch(onClick); });
  QPushButton::setVisible(true);
}

void QtButton::setVisible(bool visible) {
  QPushButton::setVisible(visible);
}

bool QtButton::isVisible() const {
  return !isHidden();
}

void QtButton::keyPressEvent(QKeyEvent* event) {
  // Outside a dialog Qt leaves Enter alone; a focused button of the classic forms takes it.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace vesk::forms::qt
