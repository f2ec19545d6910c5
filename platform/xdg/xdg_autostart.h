#pragma once
// Start at login on Linux desktops: an entry in the user's XDG autostart folder,
// $XDG_CONFIG_HOME/autostart/<app id>.desktop, that runs this program.

#include <string>

#include "platform/autostart.h"

namespace vesk::platform {

class XdgAutostart final : public Autostart {
 public:
  // `file` is the entry's path, `program` the absolute path of the program it starts (empty
  // when unknown: then the entry cannot be written, and problem() says so).
  XdgAutostart(std::string file, std::string program);

  // The entry exists and the desktop has not been told to skip it (Hidden, or GNOME's
  // X-GNOME-Autostart-enabled=false, as a desktop's own settings write them).
  bool enabled() const override;
  // Writes the whole entry at once (temporary file, then rename), or removes it.
  bool setEnabled(bool on) override;
  std::string problem() const override { return problem_; }

 private:
  bool write();
  bool remove();

  std::string file_;
  std::string program_;
  std::string problem_;
};

// $XDG_CONFIG_HOME/autostart/<app id>.desktop, ~/.config/... when it is unset or empty.
std::string defaultAutostartFile();
// The running program's absolute path, which is the installed one when it is installed.
std::string runningProgram();
// One argument of an Exec line: quoted and escaped as desktop entries require.
std::string desktopExecArgument(const std::string& argument);

}  // namespace vesk::platform
