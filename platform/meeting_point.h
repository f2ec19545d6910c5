#pragma once
// Where the copies of the program in one desktop session meet, so that one runs and a later
// start asks it to show its window. The place is private to the user and answers one fixed
// request ("show"); anything else sent to it is dropped. Backends: a socket in the user's
// runtime folder (Linux), a Local\ mutex with a hidden window (Windows), and a fake.

#include <functional>
#include <string>

namespace vesk::platform {

class MeetingPoint {
 public:
  enum class Claim {
    First,        // this copy is the session's first: it runs and answers the later ones
    Other,        // another copy holds the place
    Unavailable,  // no place to meet: this copy runs on its own, and problem() says why
  };

  virtual ~MeetingPoint() = default;
  // Takes the place for this copy unless another copy holds it. May be asked again: a copy
  // that has gone since leaves the place free.
  virtual Claim claim() = 0;
  // Asks the copy that holds the place to show its window. True once it has the request (or
  // is too busy to say so in time); false when it could not be reached, or went away.
  virtual bool askToShow() = 0;
  // From now on, each "show" that reaches the first copy runs onShow, from the event loop;
  // requests that came earlier wait for this.
  virtual void listen() = 0;
  // The copy is ending: requests are no longer taken, and one not yet answered fails. A start
  // from now on finds the place held but nobody there, and takes it over once this copy has
  // gone, rather than being told "shown" by a copy that shows nothing any more.
  virtual void stopListening() = 0;
  // One plain sentence for the user, after Unavailable; empty where nothing needs saying.
  virtual std::string problem() const = 0;

  std::function<void()> onShow;
};

}  // namespace vesk::platform
