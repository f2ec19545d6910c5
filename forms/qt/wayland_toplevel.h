#pragma once
// Natively on Wayland the compositor sizes a top-level window itself when it lays the window out:
// tiled (sway tiles every ordinary window), maximised or full screen. That size is the layout's,
// not the window's, and the window must not come back at it. A tool window should float, too.

#include <QObject>
#include <QSize>

class QWidget;

namespace vesk::forms::qt {

class WaylandToplevel final : public QObject {
 public:
  explicit WaylandToplevel(QWidget& window);

  // The window is about to be shown at its current size. It asks for that size alone, which a
  // tiling compositor takes for a window to float (sway floats a window whose smallest and
  // largest sizes are one); once the window is on screen, the user may size it again.
  void showing();
  // The program itself gave the window this size.
  void sizedTo(QSize size) { own_ = size; }
  // The size the window had the last time its size was its own (device-independent pixels).
  QSize ownSize() const { return own_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  QWidget& window_;
  QSize own_;
  bool fixed_ = false;     // one size asked for, until the window is first painted on screen
  bool settling_ = false;  // and a second more, while the compositor maps it
  bool laidOut_ = false;   // the compositor gave another size meanwhile: it lays the window out
};

}  // namespace vesk::forms::qt
