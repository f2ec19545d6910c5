#include "tray/qt/tray_hosts.h"

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

namespace vesk::tray::qt {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

QDBusMessage hostQuestion() {
  QDBusMessage question = QDBusMessage::createMethodCall(
      kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  question << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  question.setAutoStartService(false);  // asking must not start a watcher of its own
  return question;
}

bool hostAnswer(const QDBusMessage& reply) {
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
}

xcb_connection_t* xcbConnection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* c, const std::string& name) {
  auto* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

TrayHosts::TrayHosts() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    askAgain_.setSingleShot(true);
    askAgain_.setInterval(0);
    QObject::connect(&askAgain_, &QTimer::timeout, &askAgain_, [this] { askWatcher(); });
    watcher_.setConnection(bus);
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    watcher_.addWatchedService(kWatcher);
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, &askAgain_,
                     qOverload<>(&QTimer::start));
    // Follows the name's owner, whoever that is at the time.
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
      bus.connect(kWatcher, kWatcherPath, kWatcher, QString::fromLatin1(signal), &askAgain_,
                  SLOT(start()));
    if (bus.interface()->isServiceRegistered(kWatcher))
      statusNotifierHost_ = hostAnswer(bus.call(hostQuestion(), QDBus::Block, 1000));
  }

  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return;
  xcb_connection_t* c = x11->connection();
  // The root window already reports structure changes to Qt, the MANAGER message among them.
  selection_ = internAtom(c, "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(x11->display())));
  manager_ = internAtom(c, "MANAGER");
  if (!selection_ || !manager_) return;
  qGuiApp->installNativeEventFilter(this);
  findXembedTray();
}

TrayHosts::~TrayHosts() {
  if (selection_ && qGuiApp) qGuiApp->removeNativeEventFilter(this);
}

void TrayHosts::askWatcher() {
  auto* call =
      new QDBusPendingCallWatcher(watcher_.connection().asyncCall(hostQuestion()), &watcher_);
  QObject::connect(call, &QDBusPendingCallWatcher::finished, &watcher_,
                   [this](QDBusPendingCallWatcher* answered) {
                     statusNotifierHost_ = hostAnswer(answered->reply());
                     answered->deleteLater();
                   });
}

void TrayHosts::findXembedTray() {
  xcb_connection_t* c = xcbConnection();
  xembedTray_ = 0;
  if (!c) return;
  auto* owner = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection_), nullptr);
  const xcb_window_t tray = owner ? owner->owner : xcb_window_t{XCB_WINDOW_NONE};
  std::free(owner);
  if (tray == XCB_WINDOW_NONE) return;
  // Told when it goes; a tray already gone by now fails the request and counts as none.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_generic_error_t* error =
      xcb_request_check(c, xcb_change_window_attributes_checked(c, tray, XCB_CW_EVENT_MASK, &mask));
  if (!error) xembedTray_ = tray;
  std::free(error);
}

bool TrayHosts::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
      const auto* sent = static_cast<const xcb_client_message_event_t*>(message);
      if (sent->type == manager_ && sent->data.data32[1] == selection_) findXembedTray();
      break;
    }
    case XCB_DESTROY_NOTIFY:
      // A new tray may have taken the selection already.
      if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == xembedTray_)
        findXembedTray();
      break;
  }
  return false;
}

}  // namespace vesk::tray::qt
