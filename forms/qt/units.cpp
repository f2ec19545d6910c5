#include "forms/qt/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace vesk::forms::qt {

namespace {
constexpr double kTwipsPerInch = 1440.0;

int round(double value) {
  return static_cast<int>(std::lround(value));
}

double deviceDotsPerInch() {
  return dotsPerInch() * devicePixelRatio();
}

int twipsToDevice(double twips) {
  return round(twips * deviceDotsPerInch() / kTwipsPerInch);
}
}  // namespace

double dotsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 0.0;
  return dpi > 0 ? dpi : 96.0;
}

int toPixels(double twips) {
  return round(twips * dotsPerInch() / kTwipsPerInch);
}

QRect toPixels(const Rect& twips) {
  return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width), toPixels(twips.height)};
}

double devicePixelRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double ratio = screen ? screen->devicePixelRatio() : 0.0;
  return ratio > 0 ? ratio : 1.0;
}

QRect toDevicePixels(const Rect& twips) {
  const int left = twipsToDevice(twips.left);
  const int top = twipsToDevice(twips.top);
  return QRect(QPoint(left, top), QPoint(twipsToDevice(twips.left + twips.width) - 1,
                                         twipsToDevice(twips.top + twips.height) - 1));
}

double deviceToTwips(int device) {
  return device * kTwipsPerInch / deviceDotsPerInch();
}

Rect deviceToTwips(const QRect& device) {
  return {deviceToTwips(device.x()), deviceToTwips(device.y()), deviceToTwips(device.width()),
          deviceToTwips(device.height())};
}

namespace {
// As Qt converts between the two: about the screen's top-left corner, which both units share,
// place and size each rounded.
QRect scaled(const QRect& r, const QScreen* screen, double by) {
  const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
  return {origin + (QPointF(r.topLeft() - origin) * by).toPoint(),
          (QSizeF(r.size()) * by).toSize()};
}

double ratioOf(const QScreen* screen) {
  return screen && screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : devicePixelRatio();
}
}  // namespace

QRect deviceFromPixels(const QRect& pixels, const QScreen* screen) {
  return scaled(pixels, screen, ratioOf(screen));
}

QRect pixelsFromDevice(const QRect& device, const QScreen* screen) {
  return scaled(device, screen, 1.0 / ratioOf(screen));
}

int deviceFromPixels(int pixels) {
  return round(pixels * devicePixelRatio());
}

QMargins deviceFromPixels(const QMargins& pixels) {
  return {deviceFromPixels(pixels.left()), deviceFromPixels(pixels.top()),
          deviceFromPixels(pixels.right()), deviceFromPixels(pixels.bottom())};
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
