#include "tray/qt/qt_tray_icon.h"

#include <QAction>
#include <QCursor>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "forms/qt/pop_up_menu.h"
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

QtTrayIcon::QtTrayIcon() {
  menu_.setObjectName(QStringLiteral("VESK_LIGHTS_MENU"));
  QObject::connect(&menu_, &QMenu::aboutToShow, &menu_, [this] { refreshMenu(); });
  QObject::connect(&menu_, &QMenu::triggered, &menu_, [this](QAction* chosen) {
    // After the host's call (or the menu's closing) has returned: an item may hide this icon.
    const auto index = chosen->data().toULongLong();
    if (index < items_.size() && items_[index].onClick)
      QTimer::singleShot(0, &menu_, items_[index].onClick);
  });
}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::available() const {
  if (!icon_) return hosts_.statusNotifierHost() || hosts_.xembedTray();
  return onBus_ ? hosts_.statusNotifierHost() : hosts_.xembedTray();
}

void QtTrayIcon::create() {
  onBus_ = hosts_.statusNotifierHost();  // what Qt finds too, as it makes its first icon
  icon_ = std::make_unique<QSystemTrayIcon>();
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated, &menu_, [this](auto reason) {
    if (reason == QSystemTrayIcon::Trigger && onClick) onClick();
    // A host that draws no menu of its own asks for it so; Qt pops it up on an XEmbed icon.
    if (reason == QSystemTrayIcon::Context && onBus_) menu_.popup(QCursor::pos());
  });
  refreshMenu();  // a host reads the layout before it first opens the menu
  icon_->setContextMenu(&menu_);
}

void QtTrayIcon::refreshMenu() {
  if (!onContextMenu) return;
  items_ = onContextMenu();
  forms::qt::fillMenu(menu_, items_);
}

void QtTrayIcon::show(const TrayPicture& picture) {
  if (!icon_) create();
  icon_->setIcon(QIcon(new SegmentsEngine(picture)));
  icon_->setToolTip(QString::fromStdString(picture.toolTip));
  icon_->show();
}

void QtTrayIcon::hide() {
  if (icon_) icon_->hide();
}

}  // namespace vesk::tray::qt
