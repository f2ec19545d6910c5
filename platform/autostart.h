#pragma once
// Starting the program when the user logs in: one entry of the user's own, written or removed
// on request. Backends: the XDG autostart folder, the Windows Run key, and a fake.

#include <string>

namespace vesk::platform {

class Autostart {
 public:
  virtual ~Autostart() = default;
  // Whether the entry exists now (read afresh: the user may have removed it by hand).
  virtual bool enabled() const = 0;
  // Writes or removes the entry. On failure the entry stays as it was and problem() says why.
  virtual bool setEnabled(bool on) = 0;
  // One plain sentence about the last failure; empty after a success.
  virtual std::string problem() const = 0;
};

}  // namespace vesk::platform
