#pragma once
// The tray icon on Qt: a QSystemTrayIcon, on a StatusNotifierItem host or an XEmbed tray,
// whichever the session has. The picture is drawn by an icon engine at each size the host asks.

#include <QObject>
#include <memory>

#include "tray/tray.h"

class QSystemTrayIcon;

namespace vesk::tray::qt {

class QtTrayIcon final : public TrayIcon {
 public:
  QtTrayIcon();
  ~QtTrayIcon() override;
  bool available() const override;
  void show(const TrayPicture& picture) override;
  void hide() override;

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace vesk::tray::qt
