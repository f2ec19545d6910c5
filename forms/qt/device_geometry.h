#pragma once
// A top-level window's client rectangle and frame in device pixels. On X11 they are asked from
// and given to the X server itself: Qt keeps window geometry in device-independent pixels, which
// on a desktop scaled to 125 % or 150 % cannot name every device pixel, so a place that went
// through them would come back a pixel off and a restored window would creep at each start.
// Elsewhere (the offscreen platform, Wayland) Qt's own geometry is scaled.

#include <QMargins>
#include <QRect>

class QWidget;

namespace vesk::forms::qt {

QRect clientRect(QWidget& window);
// Also sets Qt's own geometry, as near as device-independent pixels come.
void setClientRect(QWidget& window, const QRect& device);
// The frame around the window now: null before the window manager has framed it.
QMargins currentFrame(QWidget& window);

}  // namespace vesk::forms::qt
