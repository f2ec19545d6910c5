#pragma once
// The tray icon on Qt: a QSystemTrayIcon, on a StatusNotifierItem host or an XEmbed tray,
// whichever the session has. The picture is drawn by an icon engine at each size the host asks.
//
// Qt (6.4) chooses between its D-Bus tray and XEmbed once per process, at the first
// QSystemTrayIcon, and keeps that choice: D-Bus if a StatusNotifier host is registered then.
// Its D-Bus icon registers again with a watcher that appears later, and its XEmbed icon docks
// again into a tray that replaces another. So the QSystemTrayIcon is made only once a host is
// there (TrayHosts watches for both kinds), and from then on only the kind Qt chose counts as
// available. Its menu is a QMenu set as the context menu, refreshed each time it opens: Qt
// exports it over DBusMenu (com.canonical.dbusmenu) to hosts that draw it, and pops it up
// itself on an XEmbed icon. That keeps Qt's StatusNotifierItem and DBusMenu rather than
// writing both again.

#include <QMenu>
#include <memory>
#include <vector>

#include "tray/qt/tray_hosts.h"
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
  void create();
  void refreshMenu();

  TrayHosts hosts_;
  QMenu menu_;
  std::vector<forms::MenuItem> items_;  // what the menu's actions stand for
  std::unique_ptr<QSystemTrayIcon> icon_;
  bool onBus_ = false;  // the kind Qt chose: a StatusNotifierItem, or an XEmbed icon
};

}  // namespace vesk::tray::qt
