#include "tray/qt/qt_notice.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "forms/qt/units.h"

namespace vesk::tray::qt {

QtNotice::QtNotice() {
  // A tool tip is kept above other windows, full-screen ones included, and never ends the
  // program as a last window would.
  label_.setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
  label_.setAttribute(Qt::WA_ShowWithoutActivating);
  label_.setAlignment(Qt::AlignCenter);
  label_.setAutoFillBackground(true);
  QFont font = label_.font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 2);
  label_.setFont(font);
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, &label_, &QWidget::hide);
}

void QtNotice::show(const std::string& text, forms::Colour back, int milliseconds) {
  const QString caption = QString::fromStdString(text);
  label_.setText(caption);
  label_.setWindowTitle(caption);
  const QColor colour = forms::qt::toQColor(back);
  QPalette palette = label_.palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::WindowText, colour.lightnessF() > 0.4 ? Qt::black : Qt::white);
  label_.setPalette(palette);

  const QFontMetrics metrics(label_.font());
  const int height = metrics.height() * 2;
  const QSize size(metrics.horizontalAdvance(caption) + height, height);
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
  label_.setGeometry(area.center().x() - size.width() / 2,
                     area.bottom() - area.height() / 8 - size.height(), size.width(),
                     size.height());
  label_.show();
  label_.raise();
  timer_.start(milliseconds);  // a notice shown meanwhile replaces it and starts afresh
}

}  // namespace vesk::tray::qt
