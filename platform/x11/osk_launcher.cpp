#include "platform/x11/osk_launcher.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace vesk::platform::x11 {
namespace {

bool isExecutableFile(const std::string& file) {
  struct stat info {};
  return stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(file.c_str(), X_OK) == 0;
}

// Runs `program` in a session of its own, as a grandchild: the child in between ends at once and
// is reaped here, so the keyboard belongs to init and never becomes our zombie. Between fork and
// exec only async-signal-safe calls are made: we may have other threads.
void startDetached(const std::string& program) {
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  const pid_t child = fork();
  if (child < 0) {
    std::perror("vesk-lights: cannot start the on-screen keyboard");
    return;
  }
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      signal(SIGPIPE, SIG_DFL);
      close_range(3, ~0u, 0);
      execv(argv[0], argv);
      _exit(127);
    }
    _exit(0);
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// The executable file that a shell would run for `name` with this PATH value.
std::optional<std::string> findOnPath(std::string_view name, std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(':', start);
    if (end == std::string_view::npos) end = path.size();
    // An empty entry means the current directory.
    const std::string_view dir = end > start ? path.substr(start, end - start) : ".";
    std::string file = std::string(dir) + "/" + std::string(name);
    if (isExecutableFile(file)) return file;
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

bool startOnScreenKeyboard(const std::vector<std::string>& names) {
  std::string path;
  if (const char* value = std::getenv("PATH")) {
    path = value;
  } else {
    // Without PATH, look where the system's default search path says.
    path.resize(confstr(_CS_PATH, nullptr, 0));
    confstr(_CS_PATH, path.data(), path.size());
    if (!path.empty()) path.pop_back();  // the terminating NUL
  }
  std::string tried;
  for (const std::string& name : names) {
    if (auto program = findOnPath(name, path)) {
      startDetached(*program);
      return true;
    }
    tried += (tried.empty() ? "" : ", ") + name;
  }
  std::fprintf(stderr, "vesk-lights: no on-screen keyboard found on PATH (%s)\n", tried.c_str());
  return false;
}

}  // namespace vesk::platform::x11
