#pragma once
// The forms seam's units in Qt terms: twips to pixels, 0x00BBGGRR colours, font requests.

#include <QColor>
#include <QFont>
#include <QRect>

#include "forms/forms.h"

namespace vesk::forms::qt {

// The logical dots per inch of the primary screen; a pixel is 1440 / this many twips.
double dotsPerInch();
int toPixels(double twips);
double toTwips(int pixels);
QRect toPixels(const Rect& twips);
Rect toTwips(const QRect& pixels);

QColor toQColor(Colour colour);
// The face asked for by name; where it is missing, a face of the same metrics if there is one,
// else the system's sans face.
QFont toQFont(const Font& font);

}  // namespace vesk::forms::qt
