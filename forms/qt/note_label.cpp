#include "forms/qt/note_label.h"

#include <QScreen>

#include <algorithm>

namespace vesk::forms::qt {

namespace {
constexpr int kShownFor = 8000;  // ms: long enough to read one sentence
}

NoteLabel::NoteLabel(QWidget& window)
    : QLabel(&window, Qt::ToolTip | Qt::FramelessWindowHint), window_(window) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("note"));
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(4);
  setTextFormat(Qt::PlainText);
  setWordWrap(true);  // a long sentence takes lines rather than run off the screen
  hide_.setSingleShot(true);
  connect(&hide_, &QTimer::timeout, this, &QLabel::hide);
}

void NoteLabel::showBelow(const QString& sentence) {
  setText(sentence);
  setMaximumWidth(std::max(window_.width(), 420));
  adjustSize();
  QPoint at = window_.mapToGlobal(QPoint(0, window_.height()));
  if (const QScreen* screen = window_.screen()) {
    at.setX(std::max(screen->availableGeometry().left(),
                     std::min(at.x(), screen->availableGeometry().right() + 1 - width())));
  }
  move(at);
  show();
  raise();
  hide_.start(kShownFor);
}

}  // namespace vesk::forms::qt
