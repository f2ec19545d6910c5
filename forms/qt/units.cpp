#include "forms/qt/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace vesk::forms::qt {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

double dotsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 0.0;
  return dpi > 0 ? dpi : 96.0;
}

int toPixels(double twips) {
  return static_cast<int>(std::lround(twips * dotsPerInch() / kTwipsPerInch));
}

double toTwips(int pixels) {
  return pixels * kTwipsPerInch / dotsPerInch();
}

QRect toPixels(const Rect& twips) {
  return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width), toPixels(twips.height)};
}

Rect toTwips(const QRect& pixels) {
  return {toTwips(pixels.x()), toTwips(pixels.y()), toTwips(pixels.width()),
          toTwips(pixels.height())};
}

QColor toQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QFont toQFont(const Font& font) {
  QFont f;
  // Faces with the classic sans metrics come before the system's own sans face, which is
  // often wider: captions were fitted to their boxes in those metrics.
  f.setFamilies({QString::fromStdString(font.face), QStringLiteral("Microsoft Sans Serif"),
                 QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                 QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(font.points);
  f.setBold(font.bold);
  return f;
}

}  // namespace vesk::forms::qt
