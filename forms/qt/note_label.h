#pragma once
// A sentence shown just below a window for a few seconds, in a tooltip-like window that takes
// no focus. Unlike QToolTip it stays through the mouse release that ends a double-click.

#include <QLabel>
#include <QTimer>

namespace vesk::forms::qt {

class NoteLabel final : public QLabel {
 public:
  // Owned by `window`, and gone with it.
  explicit NoteLabel(QWidget& window);
  void showBelow(const QString& sentence);

 private:
  QWidget& window_;
  QTimer hide_;
};

}  // namespace vesk::forms::qt
