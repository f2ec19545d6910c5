#pragma once
// Answers the requests that reach a listening Unix socket, from Qt's event loop. A client is
// never waited for: its bytes are read as they come, it is dropped at the first byte that is
// not the request, and after kClientMilliseconds in any case. No more than kMaxClients are
// held at once. Nothing a client sends is kept or run. Its notifiers belong to the application
// object, and go with it if it ends first.

#include <QPointer>
#include <functional>
#include <list>
#include <string>

class QSocketNotifier;

namespace vesk::platform {

class SocketRequests {
 public:
  SocketRequests(int listenFd, std::function<void()> onShow);
  ~SocketRequests();

  static constexpr char kRequest[] = "show\n";
  static constexpr char kAnswer[] = "ok\n";
  static constexpr int kClientMilliseconds = 2000;
  static constexpr std::size_t kMaxClients = 8;

 private:
  struct Client {
    int id;
    int fd;
    std::string got;
    QSocketNotifier* notifier;
  };
  void accept();
  void read(int id);
  void drop(int id);

  int listenFd_;
  std::function<void()> onShow_;
  QPointer<QObject> notifiers_;
  std::list<Client> clients_;
  int lastId_ = 0;
};

}  // namespace vesk::platform
