#include "forms/qt/qt_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "forms/qt/form_widget.h"
#include "forms/qt/units.h"

namespace vesk::forms::qt {
namespace {

// A label that takes the focus is a link to a screen reader, with a press action; the others
// keep Qt's own plain label.
class LinkAccessible final : public QAccessibleWidget {
 public:
  explicit LinkAccessible(QtLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}
  QString text(QAccessible::Text t) const override {
    const auto* label = static_cast<QtLabel*>(widget());
    if (t == QAccessible::Name && label->accessibleName().isEmpty()) return label->text();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    static_cast<QtLabel*>(widget())->press();
  }
};

QAccessibleInterface* linkFactory(const QString&, QObject* object) {
  auto* label = dynamic_cast<QtLabel*>(object);
  return label && label->focusPolicy() != Qt::NoFocus ? new LinkAccessible(label) : nullptr;
}

}  // namespace

QtLabel::QtLabel(FormWidget& form, const LabelSpec& spec)
    : QLabel(&form), form_(form), border_(spec.border) {
  // Before anything that tells assistive technology about the label: Qt keeps the first
  // interface it makes for an object.
  setFocusPolicy(spec.tabIndex ? Qt::StrongFocus : Qt::NoFocus);
  if (spec.tabIndex) {
    [[maybe_unused]] static const bool linked = (QAccessible::installFactory(linkFactory), true);
  }
  setObjectName(QString::fromStdString(spec.name));
  setTextFormat(Qt::PlainText);
  setText(QString::fromStdString(spec.caption));
  setFont(toQFont(spec.font));
  // Text sits at the top, as in a label of the classic forms; centred or left across.
  setAlignment(Qt::AlignTop | (spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
  setWordWrap(spec.wrap);
  if (!spec.accessibleName.empty()) setAccessibleName(QString::fromStdString(spec.accessibleName));
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
  // Repaint only on a change, whoever sets it.
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

void QtLabel::setAccessibleState(const std::string& words) {
  // Qt announces the change of description to assistive technology itself.
  setAccessibleDescription(QString::fromStdString(words));
}

void QtLabel::press() {
  form_.dispatch(onClick);
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
    if (hasFocus()) {  // dotted, in the text's colour, inside the border
      painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::DotLine));
      painter.drawRect(rect().adjusted(2, 2, -3, -3));
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
  if (click) press();
}

void QtLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // Accepted whatever the button, so the window's background handler never sees it.
  event->accept();
  pressed_ = false;  // the release that ends a double-click is no click
  if (event->button() == Qt::LeftButton) form_.dispatch(onDblClick);
}

void QtLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    event->accept();
    press();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace vesk::forms::qt
