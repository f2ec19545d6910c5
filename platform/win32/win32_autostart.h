#pragma once
// Start at login on Windows: a value under the user's Run key that holds the quoted path of
// the running exe.

#include <string>

#include "platform/autostart.h"

namespace vesk::platform {

class Win32Autostart final : public Autostart {
 public:
  // HKCU\Software\Microsoft\Windows\CurrentVersion\Run, value "VESK-LIGHTS", this exe.
  Win32Autostart();
  // Another key and value (tests), and the program it starts.
  Win32Autostart(std::wstring key, std::wstring value, std::wstring program);

  bool enabled() const override;
  bool setEnabled(bool on) override;
  std::string problem() const override { return problem_; }

 private:
  std::wstring key_;
  std::wstring value_;
  std::wstring program_;
  std::string problem_;
};

// The running exe's full path, empty when it cannot be had.
std::wstring runningExe();

}  // namespace vesk::platform
