#include "tray/qt/qt_tray_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "forms/qt/units.h"
#include "tray/segments.h"

namespace vesk::tray::qt {
namespace {

// Three upright segments, Num to Scroll, each outlined so it shows on light and dark panels.
// Drawn for the size asked, so a 22 px panel gets crisp 22 px bars, not a scaled picture.
class SegmentsEngine final : public QIconEngine {
 public:
  explicit SegmentsEngine(const TrayPicture& picture) : picture_(picture) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    const auto bars = segmentBars(rect.width(), rect.height());
    painter->save();
    painter->setPen(Qt::black);
    for (int i = 0; i < 3; ++i) {
      const QRect bar(rect.x() + bars[i].left, rect.y() + bars[i].top, bars[i].width,
                      bars[i].height);
      painter->fillRect(bar, forms::qt::toQColor(picture_.segments[i]));
      painter->drawRect(bar.adjusted(0, 0, -1, -1));
    }
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    // What StatusNotifierItem hosts are sent; an XEmbed tray paints at its own size.
    return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
  }

  QIconEngine* clone() const override { return new SegmentsEngine(picture_); }

 private:
  TrayPicture picture_;
};

}  // namespace

QtTrayIcon::QtTrayIcon() : icon_(std::make_unique<QSystemTrayIcon>()) {
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](auto reason) {
    if (reason == QSystemTrayIcon::Trigger && onClick) onClick();
    if (reason == QSystemTrayIcon::Context && onContextMenu) onContextMenu();
  });
}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::available() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::show(const TrayPicture& picture) {
  icon_->setIcon(QIcon(new SegmentsEngine(picture)));
  icon_->setToolTip(QString::fromStdString(picture.toolTip));
  icon_->show();
}

void QtTrayIcon::hide() {
  icon_->hide();
}

}  // namespace vesk::tray::qt
