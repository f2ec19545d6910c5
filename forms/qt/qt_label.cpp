#include "forms/qt/qt_label.h"

#include <QMouseEvent>
#include <QPainter>

#include "forms/qt/form_widget.h"
#include "forms/qt/units.h"

namespace vesk::forms::qt {

QtLabel::QtLabel(FormWidget& form, const LabelSpec& spec)
    : QLabel(&form), form_(form), border_(spec.border) {
  setObjectName(QString::fromStdString(spec.name));
  setTextFormat(Qt::PlainText);
  setText(QString::fromStdString(spec.caption));
  setFont(toQFont(spec.font));
  // Text sits at the top, as in a label of the classic forms; centred or left across.
  setAlignment(Qt::AlignTop | (spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
  setWordWrap(spec.wrap);
  setFocusPolicy(Qt::NoFocus);
  if (border_) setContentsMargins(1, 1, 1, 1);
  if (spec.back) back_ = toQColor(*spec.back);
  // The window's button-face background would make the text the button-text colour.
  setForegroundRole(QPalette::WindowText);
  if (spec.text) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(*spec.text));
    setPalette(p);
  }
  setGeometry(toPixels(spec.place));
  QLabel::setVisible(true);
}

void QtLabel::setCaption(const std::string& caption) {
  setText(QString::fromStdString(caption));
}

std::string QtLabel::caption() const {
  return text().toStdString();
}

void QtLabel::setBackColour(Colour colour) {
  // The refresh sets every light's colour ten times a second; repaint only on a change.
  const QColor c = toQColor(colour);
  if (back_ == c) return;
  back_ = c;
  update();
}

void QtLabel::setVisible(bool visible) {
  QLabel::setVisible(visible);
}

bool QtLabel::isVisible() const {
  return !isHidden();
}

void QtLabel::setToolTip(const std::string& text) {
  QLabel::setToolTip(QString::fromStdString(text));
}

void QtLabel::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    if (back_) painter.fillRect(rect(), *back_);
    if (border_) {
      // One device pixel at every scale, on the outermost pixels: a pen of one scaled pixel
      // would draw the right and bottom edges twice as thick as the others.
      const double half = 0.5 / devicePixelRatioF();
      painter.setPen(QPen(Qt::black, 0));
      painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
  }
  QLabel::paintEvent(event);  // the text, inside the border
}

void QtLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  pressed_ = event->button() == Qt::LeftButton;
}

void QtLabel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) form_.dispatch(onClick);
}

void QtLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // Accepted whatever the button, so the window's background handler never sees it.
  event->accept();
  pressed_ = false;  // the release that ends a double-click is no click
  if (event->button() == Qt::LeftButton) form_.dispatch(onDblClick);
}

}  // namespace vesk::forms::qt
