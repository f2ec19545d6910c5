#pragma once
// The meeting point on Linux: a Unix socket at <place>.sock, held by the copy that holds the
// lock on <place>.lock (flock).
//
// Why a socket in the runtime folder rather than the session bus name: the bus is missing in
// minimal X sessions, over ssh and in our own tray tests, and one bus often serves several
// displays, where each display must have its copy. The folder is private to the user (0700),
// the kernel drops the lock when a copy dies, even by kill -9, and exactly one of many copies
// started at once gets it. The copy with the lock removes a socket left by a killed one.
//
// The requests are read with QtCore's socket notifiers: QLocalServer would load QtNetwork, which
// the program does not need otherwise.

#include <memory>
#include <string>

#include "platform/meeting_point.h"
#include "platform/session_socket/meeting_place.h"

namespace vesk::platform {

class SocketRequests;

class SocketMeetingPoint final : public MeetingPoint {
 public:
  // With an empty path, claim() is Unavailable and problem() is the place's.
  explicit SocketMeetingPoint(const MeetingPlace& place);
  ~SocketMeetingPoint() override;

  Claim claim() override;
  bool askToShow() override;
  // Needs the application object: the requests are read from Qt's event loop.
  void listen() override;
  void stopListening() override;  // the lock stays until this copy has gone
  std::string problem() const override { return problem_; }

  static constexpr int kAnswerMilliseconds = 2000;  // a busier first copy shows it later

 private:
  Claim fail(const std::string& what, const std::string& path);

  std::string lockPath_, socketPath_, problem_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  std::unique_ptr<SocketRequests> requests_;
};

}  // namespace vesk::platform
