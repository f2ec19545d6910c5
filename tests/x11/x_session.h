#pragma once
// A private X display for one test, and the command-line X tools the tests look through.

#include <sys/types.h>

#include <csignal>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vesk::test {

// A child process, ended (SIGTERM) and reaped when this goes out of scope.
class Child {
 public:
  explicit Child(const std::vector<std::string>& argv);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t pid() const { return pid_; }
  void stop(int signal = SIGTERM);

 private:
  pid_t pid_ = -1;
};

// Xvfb on a display number that it picks itself, with -noreset so that the keymap and the lock
// state survive while no client is connected. DISPLAY names it while this lives.
class XServer {
 public:
  explicit XServer(const std::vector<std::string>& extraArgs = {});
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string previousDisplay_;
  bool hadDisplay_ = false;
};

// openbox, running once it has announced itself as the EWMH window manager.
class WindowManager {
 public:
  WindowManager();
  // Ends it as a crash would, leaving its properties on the root.
  void kill() { openbox_.stop(SIGKILL); }

 private:
  std::string readyDir_;
  Child openbox_;
};

// A new, empty directory in the system's temporary directory.
std::string makeTempDir(const std::string& prefix);
// Runs a shell command; its standard output, or "" when it could not run.
std::string run(const std::string& command);
// The state of one named keyboard LED as `xset q` shows it.
bool ledOn(const std::string& name);
// Polls until `done` holds or the time is up; gives its last answer.
bool eventually(const std::function<bool()>& done,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

}  // namespace vesk::test
