#include "platform/session_socket/socket_requests.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <string_view>

namespace vesk::platform {

SocketRequests::SocketRequests(int listenFd, std::function<void()> onShow)
    : listenFd_(listenFd),
      onShow_(std::move(onShow)),
      notifiers_(new QObject(QCoreApplication::instance())) {
  auto* listening = new QSocketNotifier(listenFd, QSocketNotifier::Read, notifiers_);
  QObject::connect(listening, &QSocketNotifier::activated, [this] { accept(); });
}

SocketRequests::~SocketRequests() {
  delete notifiers_.data();
  for (const Client& client : clients_) ::close(client.fd);
}

void SocketRequests::accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // none left, or out of descriptors: the rest wait in the backlog
    }
    if (clients_.size() >= kMaxClients) {
      ::close(fd);  // it reads the end without an answer, and tries again
      continue;
    }
    const int id = ++lastId_;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, notifiers_);
    clients_.push_back({id, fd, {}, notifier});
    QObject::connect(notifier, &QSocketNotifier::activated, [this, id] { read(id); });
    QTimer::singleShot(kClientMilliseconds, notifier, [this, id] { drop(id); });
    read(id);  // the request often came with the connection
  }
}

void SocketRequests::read(int id) {
  const auto client =
      std::find_if(clients_.begin(), clients_.end(), [id](const Client& c) { return c.id == id; });
  if (client == clients_.end()) return;
  const std::string_view request = kRequest;
  char bytes[sizeof kRequest];
  const ssize_t n = ::read(client->fd, bytes, request.size() - client->got.size());
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (n <= 0) return drop(id);  // gone, or broken
  client->got.append(bytes, static_cast<std::size_t>(n));
  if (!request.starts_with(client->got)) return drop(id);
  if (client->got.size() < request.size()) return;
  [[maybe_unused]] const auto sent =
      ::send(client->fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
  drop(id);
  if (onShow_) onShow_();
}

void SocketRequests::drop(int id) {
  const auto client =
      std::find_if(clients_.begin(), clients_.end(), [id](const Client& c) { return c.id == id; });
  if (client == clients_.end()) return;
  // Its own signal may be running: the notifier goes once the event loop is back.
  client->notifier->setEnabled(false);
  client->notifier->deleteLater();
  ::close(client->fd);
  clients_.erase(client);
}

}  // namespace vesk::platform
