#include "forms/qt/note_label.h"

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
  hide_.setSingleShot(true);
  connect(&hide_, &QTimer::timeout, this, &QLabel::hide);
}

void NoteLabel::showBelow(const QString& sentence) {
  setText(sentence);
  adjustSize();
  move(window_.mapToGlobal(QPoint(0, window_.height())));
  show();
  raise();
  hide_.start(kShownFor);
}

}  // namespace vesk::forms::qt
