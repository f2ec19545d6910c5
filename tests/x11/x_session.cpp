#include "x_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace vesk::test {
namespace {

// Starts a program that ends with us even when we are killed, so that no Xvfb outlives a test
// that timed out. `keepFd` stays open in the child; its output goes to /dev/null unless kept.
pid_t spawn(const std::vector<std::string>& args, int keepFd = -1, bool keepOutput = false) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("cannot start " + args[0]);
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    if (!keepOutput) dup2(null, 1);
    dup2(null, 2);
    if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void endAndReap(pid_t& pid, int signal = SIGTERM) {
  if (pid <= 0) return;
  kill(pid, signal);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv) : pid_(spawn(argv)) {}

Child::~Child() {
  stop();
}

void Child::stop(int signal) {
  endAndReap(pid_, signal);
}

XServer::XServer(const std::vector<std::string>& extraArgs) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  std::vector<std::string> args{"Xvfb",     "-displayfd", std::to_string(fds[1]),
                                "-noreset", "-nolisten",  "tcp",
                                "-screen",  "0",          "1024x768x24"};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  pid_ = spawn(args, fds[1]);
  close(fds[1]);
  // Xvfb writes the display number once it accepts connections.
  char buffer[32] = {};
  std::size_t got = 0;
  while (got < sizeof buffer - 1) {
    const ssize_t n = read(fds[0], buffer + got, sizeof buffer - 1 - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
    if (buffer[got - 1] == '\n') break;
  }
  close(fds[0]);
  if (got == 0 || buffer[got - 1] != '\n') {
    endAndReap(pid_);
    throw std::runtime_error("Xvfb did not start");
  }
  buffer[got - 1] = '\0';
  display_ = std::string(":") + buffer;
  if (const char* previous = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    previousDisplay_ = previous;
  }
  setenv("DISPLAY", display_.c_str(), 1);
}

XServer::~XServer() {
  endAndReap(pid_);
  if (hadDisplay_)
    setenv("DISPLAY", previousDisplay_.c_str(), 1);
  else
    unsetenv("DISPLAY");
}

// openbox announces itself on the root before it is ready: a window mapped in between stays
// unmapped for good. It runs the --startup command once it manages windows.
WindowManager::WindowManager()
    : readyDir_(makeTempDir("vesk-openbox")),
      openbox_({"openbox", "--sm-disable", "--startup", "touch " + readyDir_ + "/ready"}) {
  const bool up = eventually([&] { return std::filesystem::exists(readyDir_ + "/ready"); },
                             std::chrono::milliseconds(10000));
  std::filesystem::remove_all(readyDir_);
  if (!up) throw std::runtime_error("openbox did not come up");
}

std::string makeTempDir(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
  return pattern;
}

std::string run(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "";
  std::string out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

bool ledOn(const std::string& name) {
  const std::string out = run("xset q");
  const auto at = out.find(name + ":");
  if (at == std::string::npos) throw std::runtime_error("xset q shows no LED " + name);
  const auto value = out.find_first_not_of(' ', at + name.size() + 1);
  return out.compare(value, 2, "on") == 0;
}

bool eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

}  // namespace vesk::test
