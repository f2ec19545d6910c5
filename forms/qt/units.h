#pragma once
// The forms seam's units in Qt terms: twips to pixels, 0x00BBGGRR colours, font requests.
//
// Two kinds of pixel meet here. Elements live inside a window in Qt's device-independent pixels,
// which Qt scales with the desktop. Top-level windows are placed in device pixels, the unit of
// the X server and of the window manager's frame: on a desktop scaled to 150 % a device-
// independent pixel is 1.5 of them, and only device pixels can name every place on the screen.
// Either way one twip is 1/1440 of a logical inch, so a device pixel is 10 twips at 150 %.

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>

#include "forms/forms.h"

class QScreen;

namespace vesk::forms::qt {

// The logical dots per inch of the primary screen in device-independent pixels (96 whenever
// Qt scales); a device-independent pixel is 1440 / this many twips.
double dotsPerInch();
int toPixels(double twips);
QRect toPixels(const Rect& twips);

// Device pixels per device-independent pixel on the primary screen: 1.5 at 150 %.
double devicePixelRatio();
// A device pixel is 1440 / (dotsPerInch() * devicePixelRatio()) twips. Edges are rounded
// rather than sizes, so rectangles that touch in twips touch on screen.
QRect toDevicePixels(const Rect& twips);
Rect deviceToTwips(const QRect& device);
double deviceToTwips(int device);
// Qt's device-independent pixels and device pixels: a screen keeps its top-left corner.
QRect deviceFromPixels(const QRect& pixels, const QScreen* screen);
QRect pixelsFromDevice(const QRect& device, const QScreen* screen);
QMargins deviceFromPixels(const QMargins& pixels);
int deviceFromPixels(int pixels);

QColor toQColor(Colour colour);
// The face asked for by name; where it is missing, a face of the same metrics if there is one,
// else the system's sans face.
QFont toQFont(const Font& font);

}  // namespace vesk::forms::qt
