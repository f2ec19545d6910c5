#include "forms/qt/wayland_toplevel.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vesk::forms::qt {

WaylandToplevel::WaylandToplevel(QWidget& window) : QObject(&window), window_(window) {
  window_.installEventFilter(this);
}

void WaylandToplevel::showing() {
  own_ = window_.size();
  laidOut_ = false;
  fixed_ = settling_ = true;
  window_.setFixedSize(own_);
}

bool WaylandToplevel::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    const QSize size = window_.size();
    // Any other size that comes as the window appears is the compositor's layout: no user has
    // sized the window yet.
    if (settling_ && size != own_) laidOut_ = true;
    // Qt tells a maximised or full-screen state before the size that comes with it.
    if (!laidOut_ && !(window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
      own_ = size;
  } else if (event->type() == QEvent::Paint && fixed_) {
    // The first frame carries the one size; the compositor lays the window out as it maps it.
    fixed_ = false;
    QTimer::singleShot(0, this, [this] {
      window_.setMinimumSize(0, 0);
      window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    });
    QTimer::singleShot(1000, this, [this] { settling_ = false; });
  }
  return false;
}

}  // namespace vesk::forms::qt
