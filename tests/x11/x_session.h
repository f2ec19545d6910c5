#pragma once
// A private X display for one test, and the command-line X tools the tests look through.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk::test {

// A child process that ends with us even when we are killed, so that no Xvfb outlives a test
// that timed out; ended (SIGTERM) and reaped when this goes out of scope. Its output goes to
// /dev/null; `keepFd` stays open in it.
class Child {
 public:
  explicit Child(const std::vector<std::string>& argv, int keepFd = -1);
  ~Child() { stop(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  void stop();

 private:
  pid_t pid_ = -1;
};

// Xvfb on a display number that it picks itself, with -noreset so that the keymap and the lock
// state survive while no client is connected. DISPLAY names it from then on.
class XServer {
 public:
  XServer();

 private:
  std::optional<Child> xvfb_;
};

// openbox, running once it has announced itself as the EWMH window manager.
struct WindowManager {
  WindowManager();
  Child openbox;
};

// Runs a shell command; its standard output.
std::string run(const std::string& command);
// The state of one named keyboard LED as `xset q` shows it.
bool ledOn(const std::string& name);
// Polls until `done` holds or the time is up; gives its last answer.
bool eventually(const std::function<bool()>& done,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

}  // namespace vesk::test
