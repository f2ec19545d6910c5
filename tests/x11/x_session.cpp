#include "x_session.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace vesk::test {

Child::Child(const std::vector<std::string>& args, int keepFd) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("cannot start " + args[0]);
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    const int null = open("/dev/null", O_RDWR);
    for (int fd : {0, 1, 2}) dup2(null, fd);
    if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
    execvp(argv[0], argv.data());
    _exit(127);
  }
}

void Child::stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

XServer::XServer() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  xvfb_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset",
                                         "-nolisten", "tcp", "-screen", "0", "1024x768x24"},
                fds[1]);
  close(fds[1]);
  // Xvfb writes the display number once it accepts connections.
  FILE* in = fdopen(fds[0], "r");
  char number[32] = {};
  const bool up = std::fgets(number, sizeof number, in) && std::strchr(number, '\n');
  std::fclose(in);
  if (!up) throw std::runtime_error("Xvfb did not start");
  setenv("DISPLAY", (":" + std::string(number, std::strcspn(number, "\n"))).c_str(), 1);
}

// openbox announces itself on the root before it is ready: a window mapped in between stays
// unmapped for good. It runs the --startup command, which marks the root, once it manages windows.
WindowManager::WindowManager()
    : openbox({"openbox", "--sm-disable", "--startup",
               "xprop -root -f VESK_WM_UP 8s -set VESK_WM_UP 1"}) {
  if (!eventually([] { return run("xprop -root VESK_WM_UP").find('=') != std::string::npos; },
                  std::chrono::milliseconds(10000)))
    throw std::runtime_error("openbox did not come up");
}

std::string run(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  if (pipe) pclose(pipe);
  return out;
}

bool ledOn(const std::string& name) {
  const std::string state = run("xset q | grep -o '" + name + ": *o[nf]*'");
  if (state.empty()) throw std::runtime_error("xset q shows no LED " + name);
  return state.ends_with("on\n");
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
