#include "platform/xdg/xdg_autostart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

#include "app/version.h"

namespace vesk::platform {
namespace {

std::string reason(const std::string& path) {
  return path + ": " + std::strerror(errno);
}

// Creates the folder and its missing parents.
bool makeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return false;
  if (S_ISDIR(info.st_mode)) return true;
  errno = ENOTDIR;
  return false;
}

bool writeAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

XdgAutostart::XdgAutostart(std::string file, std::string program)
    : file_(std::move(file)), program_(std::move(program)) {}

bool XdgAutostart::enabled() const {
  std::ifstream in(file_);
  if (!in) return false;
  bool mainGroup = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] == '[') {
      mainGroup = trimmed(line) == "[Desktop Entry]";
      continue;
    }
    const auto equals = line.find('=');
    if (!mainGroup || equals == std::string::npos) continue;
    const std::string key = trimmed(std::string_view(line).substr(0, equals));
    const std::string value = trimmed(std::string_view(line).substr(equals + 1));
    if (key == "Hidden" && value == "true") return false;
    if (key == "X-GNOME-Autostart-enabled" && value == "false") return false;
  }
  return true;
}

bool XdgAutostart::setEnabled(bool on) {
  const bool done = on ? write() : remove();
  if (done) problem_.clear();
  return done;
}

bool XdgAutostart::write() {
  if (program_.empty()) {
    problem_ = "Start at login could not be turned on: the program's own path is unknown.";
    return false;
  }
  const auto fail = [this](const std::string& why) {
    problem_ = "Start at login could not be turned on: " + why + ".";
    return false;
  };
  const std::string folder = file_.substr(0, file_.rfind('/'));
  if (!makeFolders(folder)) return fail(reason(folder));

  const std::string entry = std::string("[Desktop Entry]\n") +
                            "Type=Application\n"
                            "Name=VESK-LIGHTS\n"
                            "Comment=Shows Num Lock, Caps Lock and Scroll Lock as lights\n"
                            "Exec=" +
                            desktopExecArgument(program_) +
                            "\n"
                            "Terminal=false\n"
                            "X-GNOME-Autostart-enabled=true\n";
  std::string temporary = file_ + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return fail(reason(temporary));
  const bool written = writeAll(fd, entry) && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
  const std::string why = reason(temporary);
  if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), file_.c_str()) != 0) {
    const std::string failure = written ? reason(file_) : why;
    ::unlink(temporary.c_str());
    return fail(failure);
  }
  return true;
}

bool XdgAutostart::remove() {
  if (::unlink(file_.c_str()) == 0 || errno == ENOENT) return true;
  problem_ = "Start at login could not be turned off: " + reason(file_) + ".";
  return false;
}

std::string defaultAutostartFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config && *config) {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home ? home : "") + "/.config";
  }
  return folder + "/autostart/" + kAppId + ".desktop";
}

std::string runningProgram() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path;
}

std::string desktopExecArgument(const std::string& argument) {
  // A literal "%" is doubled, or it would read as a field code.
  std::string text;
  for (char c : argument) text += c == '%' ? std::string("%%") : std::string(1, c);
  if (text.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos) {
    std::string quoted = "\"";
    for (char c : text) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    text = quoted + "\"";
  }
  // The value's own escapes come on top of the quoting: a backslash doubles, a control
  // character is written as its escape.
  std::string value;
  for (char c : text) {
    if (c == '\\')
      value += "\\\\";
    else if (c == '\n')
      value += "\\n";
    else if (c == '\t')
      value += "\\t";
    else if (c == '\r')
      value += "\\r";
    else
      value += c;
  }
  return value;
}

}  // namespace vesk::platform
