#pragma once
// The lock keys from the kernel's keyboard LEDs: <dir>/<device>::numlock/brightness and the
// same for capslock and scrolllock, <dir> being /sys/class/leds. A lock is on while the LED of
// any keyboard is lit. The compositor of a Wayland session sets these LEDs; they send no change
// notification, so each read polls them.
//
// The files stay open and each read is one pread, no path lookup, until one LED of the key is
// found lit. The directory is listed again every few seconds, for keyboards plugged in or taken
// away meanwhile.

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "platform/lock_source.h"

namespace vesk::platform::leds {

class LedSource final : public LockSource {
 public:
  using Clock = std::chrono::steady_clock;
  explicit LedSource(std::string dir, Clock::duration rescanEvery = std::chrono::seconds(3));
  ~LedSource() override;
  LedSource(const LedSource&) = delete;
  LedSource& operator=(const LedSource&) = delete;

  // 0x0001 while an LED of the key is lit, else 0; 0 as well while none can be read.
  std::uint16_t keyState(LockKey key) override;
  // Says so when the last keyState of the key could read no LED; the first time, one line on
  // stderr too.
  std::optional<std::string> whyUnknown(LockKey key) override;

 private:
  struct Led {
    std::string entry;  // the name under the directory, e.g. "input3::capslock"
    int fd;
  };
  void rescanWhenDue();
  void rescan();

  std::string dir_;
  Clock::duration rescanEvery_;
  Clock::time_point lastScan_{};
  bool scanned_ = false;
  std::array<std::vector<Led>, 3> leds_;
  std::array<bool, 3> read_{};  // whether the last keyState of each key read some LED
  bool told_ = false;
};

}  // namespace vesk::platform::leds
