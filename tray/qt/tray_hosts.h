#pragma once
// Which notification areas the session has, followed as they come and go, never polled:
// - a StatusNotifier host: the org.kde.StatusNotifierWatcher service's owner changes
//   (NameOwnerChanged) and its host (un)registered signals, each followed by one
//   asynchronous read of IsStatusNotifierHostRegistered;
// - an XEmbed system tray (on Qt's xcb platform): the owner of the _NET_SYSTEM_TRAY_Sn
//   selection, found again at each MANAGER message on the root window, and lost with the
//   owner's window (DestroyNotify).
// Qt has no public signal for either, so this watches them itself.

#include <QAbstractNativeEventFilter>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <cstdint>

namespace vesk::tray::qt {

class TrayHosts final : public QAbstractNativeEventFilter {
 public:
  // Asks the session once, waiting at most a second for the watcher, so that the program
  // starts with the tray it will have.
  TrayHosts();
  ~TrayHosts() override;
  TrayHosts(const TrayHosts&) = delete;
  TrayHosts& operator=(const TrayHosts&) = delete;

  bool statusNotifierHost() const { return statusNotifierHost_; }
  bool xembedTray() const { return xembedTray_ != 0; }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  void askWatcher();
  void findXembedTray();

  bool statusNotifierHost_ = false;
  QDBusServiceWatcher watcher_;
  QTimer askAgain_;  // a zero-time single shot: the D-Bus signals start it
  std::uint32_t xembedTray_ = 0;
  std::uint32_t selection_ = 0;  // _NET_SYSTEM_TRAY_Sn, 0 off the xcb platform
  std::uint32_t manager_ = 0;    // MANAGER
};

}  // namespace vesk::tray::qt
