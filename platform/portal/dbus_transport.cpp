#include "platform/portal/dbus_transport.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <map>

namespace vesk::platform::portal {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
constexpr int kCallTimeoutMs = 35'000;  // past the presser's own 30 s, which decides
constexpr int kExitTimeoutMs = 1'000;

QVariantMap toQt(const Options& options) {
  QVariantMap map;
  for (const auto& [name, value] : options) {
    const QString key = QString::fromStdString(name);
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
      map.insert(key, QVariant::fromValue<uint>(*number));
    } else {
      map.insert(key, QString::fromStdString(std::get<std::string>(value)));
    }
  }
  return map;
}

// The a{sv} of a reply or signal: numbers and texts (object paths as text); others are of no
// use here.
Options fromQt(const QVariant& arg) {
  QVariantMap map = arg.canConvert<QDBusArgument>() ? qdbus_cast<QVariantMap>(arg) : arg.toMap();
  Options options;
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    const QVariant& v = it.value();
    const std::string name = it.key().toStdString();
    if (v.userType() == QMetaType::UInt) {
      options[name] = v.toUInt();
    } else if (v.userType() == QMetaType::QString) {
      options[name] = v.toString().toStdString();
    } else if (v.userType() == qMetaTypeId<QDBusObjectPath>()) {
      options[name] = v.value<QDBusObjectPath>().path().toStdString();
    }
  }
  return options;
}

class DbusTransport final : public QObject, public Transport {
  Q_OBJECT
 public:
  DbusTransport() : bus_(QDBusConnection::sessionBus()) {}

  std::string uniqueName() override { return bus_.baseService().toStdString(); }

  void registerApp(const std::string& appId) override {
    auto call = QDBusMessage::createMethodCall(
        kService, kObject, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call << QString::fromStdString(appId) << QVariantMap();
    if (bus_.isConnected()) bus_.asyncCall(call);  // an older portal's error is of no matter
  }

  void readRemoteDesktop(std::function<void(std::optional<RemoteDesktop>)> done) override {
    auto call = QDBusMessage::createMethodCall(kService, kObject,
                                               QStringLiteral("org.freedesktop.DBus.Properties"),
                                               QStringLiteral("GetAll"));
    call << kRemoteDesktop;
    send(call, [done = std::move(done)](const QDBusMessage& reply) {
      if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return done(std::nullopt);
      const Options props = fromQt(reply.arguments().at(0));
      const auto number = [&](const char* name) {
        const auto it = props.find(name);
        const auto* v = it == props.end() ? nullptr : std::get_if<std::uint32_t>(&it->second);
        return v ? *v : 0u;
      };
      done(RemoteDesktop{number("version"), number("AvailableDeviceTypes")});
    });
  }

  void request(Method method, const std::string& session, const Options& options,
               const std::string& requestPath, std::function<void(const Response&)> done) override {
    static const char* const kNames[] = {"CreateSession", "SelectDevices", "Start"};
    auto call = QDBusMessage::createMethodCall(kService, kObject, kRemoteDesktop,
                                               QLatin1String(kNames[static_cast<int>(method)]));
    if (method != Method::CreateSession)
      call << QVariant::fromValue(QDBusObjectPath(QString::fromStdString(session)));
    if (method == Method::Start) call << QString();  // no parent window to name
    call << toQt(options);
    // Subscribed before the call, so that no Response can come first.
    const QString path = QString::fromStdString(requestPath);
    listen(path, kRequest, QStringLiteral("Response"), SLOT(onResponse(QDBusMessage)));
    responses_[path] = std::move(done);
    send(call, [this, path](const QDBusMessage& reply) {
      if (reply.type() != QDBusMessage::ErrorMessage) return;
      if (auto done = take(responses_, path, kRequest, "Response"))
        done(Response{2, {}, reply.errorMessage().toStdString()});
    });
  }

  void watchSession(const std::string& session, std::function<void()> closed) override {
    const QString path = QString::fromStdString(session);
    listen(path, kSession, QStringLiteral("Closed"), SLOT(onClosed(QDBusMessage)));
    closings_[path] = std::move(closed);
  }

  void notifyKeycode(const std::string& session, int keycode, bool pressed,
                     std::function<void()> failed) override {
    auto call = QDBusMessage::createMethodCall(kService, kObject, kRemoteDesktop,
                                               QStringLiteral("NotifyKeyboardKeycode"));
    call << QVariant::fromValue(QDBusObjectPath(QString::fromStdString(session))) << QVariantMap()
         << keycode << uint(pressed ? 1 : 0);
    send(call, [failed = std::move(failed)](const QDBusMessage& reply) {
      if (reply.type() != QDBusMessage::ErrorMessage) return;
      std::fprintf(stderr, "vesk-lights: the key press did not reach the desktop: %s\n",
                   qPrintable(reply.errorMessage()));
      failed();
    });
  }

  void closeSession(const std::string& session, bool atExit) override {
    const QString path = QString::fromStdString(session);
    take(closings_, path, kSession, "Closed");
    auto call = QDBusMessage::createMethodCall(kService, path, kSession, QStringLiteral("Close"));
    if (!bus_.isConnected()) return;
    // At exit, wait for it to be sent: a message still queued would be lost with the process.
    if (atExit) {
      bus_.call(call, QDBus::Block, kExitTimeoutMs);
    } else {
      bus_.asyncCall(call);
    }
  }

  void after(int ms, std::function<void()> fn) override {
    QTimer::singleShot(ms, this, std::move(fn));
  }

 private Q_SLOTS:
  void onResponse(const QDBusMessage& signal) {
    const auto args = signal.arguments();
    auto done = take(responses_, signal.path(), kRequest, "Response");
    if (done && args.size() >= 2) done(Response{args.at(0).toUInt(), fromQt(args.at(1)), {}});
  }
  void onClosed(const QDBusMessage& signal) {
    if (auto closed = take(closings_, signal.path(), kSession, "Closed")) closed();
  }

 private:
  void listen(const QString& path, const QString& interface, const QString& name,
              const char* slot) {
    bus_.connect(kService, path, interface, name, this, slot);
  }

  // Removes the callback waiting on a path, and its subscription with it.
  template <typename Fn>
  Fn take(std::map<QString, Fn>& waiting, const QString& path, const QString& interface,
          const char* name) {
    const auto it = waiting.find(path);
    if (it == waiting.end()) return nullptr;
    Fn fn = std::move(it->second);
    waiting.erase(it);
    const bool response = interface == kRequest;
    bus_.disconnect(kService, path, interface, QLatin1String(name), this,
                    response ? SLOT(onResponse(QDBusMessage)) : SLOT(onClosed(QDBusMessage)));
    return fn;
  }

  void send(const QDBusMessage& call, std::function<void(const QDBusMessage&)> answered) {
    if (!bus_.isConnected()) {
      // No session bus at all: answered as an error, after this call returns.
      const auto error =
          call.createErrorReply(QDBusError::Disconnected, QStringLiteral("no session bus"));
      QTimer::singleShot(0, this, [error, answered = std::move(answered)] { answered(error); });
      return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [watcher, answered = std::move(answered)] {
              watcher->deleteLater();
              answered(watcher->reply());
            });
  }

  QDBusConnection bus_;
  std::map<QString, std::function<void(const Response&)>> responses_;
  std::map<QString, std::function<void()>> closings_;
};

}  // namespace

std::unique_ptr<Transport> createDbusTransport() {
  return std::make_unique<DbusTransport>();
}

}  // namespace vesk::platform::portal

#include "dbus_transport.moc"
