#include "platform/session_socket/socket_meeting_point.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/session_socket/socket_requests.h"

namespace vesk::platform {
namespace {

bool addressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

SocketMeetingPoint::SocketMeetingPoint(const MeetingPlace& place)
    : lockPath_(place.path.empty() ? "" : place.path + ".lock"),
      socketPath_(place.path.empty() ? "" : place.path + ".sock"),
      problem_(place.problem) {}

SocketMeetingPoint::~SocketMeetingPoint() {
  stopListening();
  if (lockFd_ >= 0) ::close(lockFd_);
}

MeetingPoint::Claim SocketMeetingPoint::fail(const std::string& what, const std::string& path) {
  problem_ = "Starting VESK-LIGHTS again opens another copy: " + what + " " + path + " failed (" +
             std::strerror(errno) + ").";
  if (listenFd_ >= 0) ::close(listenFd_);
  if (lockFd_ >= 0) ::close(lockFd_);  // the next copy may do better
  listenFd_ = lockFd_ = -1;
  return Claim::Unavailable;
}

MeetingPoint::Claim SocketMeetingPoint::claim() {
  if (socketPath_.empty()) return Claim::Unavailable;
  if (listenFd_ >= 0) return Claim::First;
  sockaddr_un address;
  if (!addressOf(socketPath_, address)) return errno = ENAMETOOLONG, fail("binding", socketPath_);
  if (lockFd_ < 0) {
    lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0) return fail("locking", lockPath_);
    // The sticky bit keeps the runtime folder's clean-up away from a file of a running copy.
    ::fchmod(lockFd_, S_IRUSR | S_IWUSR | S_ISVTX);
  }
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK || errno == EINTR ? Claim::Other : fail("locking", lockPath_);
  }
  ::unlink(socketPath_.c_str());  // left by a copy that was killed
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
      ::listen(listenFd_, SOMAXCONN)) {
    return fail("listening on", socketPath_);
  }
  ::chmod(socketPath_.c_str(), S_IRUSR | S_IWUSR | S_ISVTX);
  return Claim::First;
}

bool SocketMeetingPoint::askToShow() {
  sockaddr_un address;
  if (!addressOf(socketPath_, address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  // EAGAIN: its queue of connections is full; it is there, only busy.
  bool asked = !connected && errno == EAGAIN;
  const std::string_view request = SocketRequests::kRequest;
  if (connected && ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
                       static_cast<ssize_t>(request.size())) {
    pollfd answer{fd, POLLIN, 0};
    char byte = 0;
    // No answer in time: busy, and it reads the request later. The end without one: it went.
    asked = ::poll(&answer, 1, kAnswerMilliseconds) == 0 || ::read(fd, &byte, 1) == 1;
  }
  ::close(fd);
  return asked;
}

void SocketMeetingPoint::stopListening() {
  requests_.reset();  // a client read but not answered sees the end, not "ok"
  if (listenFd_ < 0) return;
  ::unlink(socketPath_.c_str());  // still under the lock: no later copy's socket
  ::close(listenFd_);
  listenFd_ = -1;
}

void SocketMeetingPoint::listen() {
  if (listenFd_ >= 0 && !requests_) {
    requests_ = std::make_unique<SocketRequests>(listenFd_, [this] {
      if (onShow) onShow();
    });
  }
}

}  // namespace vesk::platform
