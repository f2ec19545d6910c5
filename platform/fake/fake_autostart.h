#pragma once
// An autostart entry held in memory; `broken` makes every change fail as a read-only folder would.

#include "platform/autostart.h"

namespace vesk::platform::fake {

class FakeAutostart : public Autostart {
 public:
  bool enabled() const override { return entry; }
  bool setEnabled(bool on) override {
    problem_ = broken ? "The autostart entry could not be written." : "";
    if (!broken) entry = on;
    return !broken;
  }
  std::string problem() const override { return problem_; }

  bool entry = false;  // the entry exists; a test may remove it "by hand"
  bool broken = false;

 private:
  std::string problem_;
};

}  // namespace vesk::platform::fake
