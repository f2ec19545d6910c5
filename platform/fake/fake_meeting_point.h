#pragma once
// Copies that meet in one session, within one process. A request reaches the first copy once
// it listens, and its onShow runs at its next deliver(), as from an event loop. Requests may
// come from another thread.

#include <atomic>
#include <string>

#include "platform/meeting_point.h"

namespace vesk::platform::fake {

class FakeMeetingPoint;

struct FakeSession {
  std::atomic<FakeMeetingPoint*> first = nullptr;
  std::string problem;  // not empty: there is no place to meet
};

class FakeMeetingPoint : public MeetingPoint {
 public:
  explicit FakeMeetingPoint(FakeSession& session) : session_(session) {}
  ~FakeMeetingPoint() override {
    FakeMeetingPoint* self = this;
    session_.first.compare_exchange_strong(self, nullptr);
  }
  Claim claim() override {
    if (!session_.problem.empty()) return Claim::Unavailable;
    FakeMeetingPoint* none = nullptr;
    if (session_.first.compare_exchange_strong(none, this) || none == this) return Claim::First;
    return Claim::Other;
  }
  bool askToShow() override {
    FakeMeetingPoint* first = session_.first;
    if (!first || !first->listening_) return false;
    ++first->requests_;
    return true;
  }
  void listen() override { listening_ = true; }
  void stopListening() override {
    listening_ = false;
    requests_ = 0;
  }
  std::string problem() const override { return session_.problem; }

  void deliver() {
    for (; requests_ > 0; --requests_) {
      if (onShow) onShow();
    }
  }

 private:
  FakeSession& session_;
  std::atomic<bool> listening_ = false;
  std::atomic<int> requests_ = 0;
};

}  // namespace vesk::platform::fake
