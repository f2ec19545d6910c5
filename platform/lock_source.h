#pragma once
// Where a platform reads the lock keys from: the window system's own state (XKB), or the
// keyboards' LEDs as the kernel shows them. One part of a composed platform.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace vesk::platform {

class LockSource {
 public:
  virtual ~LockSource() = default;
  // The key-state word, as Platform::keyState gives it.
  virtual std::uint16_t keyState(LockKey key) = 0;
  // Why the key's state cannot be told, as Platform::whyUnknown gives it.
  virtual std::optional<std::string> whyUnknown(LockKey) { return std::nullopt; }
  // As Platform::changeDescriptor.
  virtual int changeDescriptor() { return -1; }
};

}  // namespace vesk::platform
