// Starting the on-screen keyboard: which one, detached from us, and what happens without one.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/x11/osk_launcher.h"
#include "x_session.h"

namespace vesk::platform::x11 {
namespace {

namespace fs = std::filesystem;

// A stand-in keyboard: records its /proc stat line (pid, ppid, session) in a marker file and
// lingers a little, as a real keyboard would stay open.
void writeFakeKeyboard(const fs::path& dir, const std::string& name, const fs::path& marker) {
  fs::create_directories(dir);
  const fs::path file = dir / name;
  std::ofstream(file) << "#!/bin/sh\n"
                      << "read stat < /proc/$$/stat\n"
                      << "echo \"" << name << " $stat\" > '" << marker.string() << ".tmp'\n"
                      << "mv '" << marker.string() << ".tmp' '" << marker.string() << "'\n"
                      << "sleep 0.5\n";
  fs::permissions(file, fs::perms::owner_all);
}

class OnScreenKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::makeTempDir("vesk-osk");
    marker_ = dir_ / "started";
    if (const char* path = std::getenv("PATH")) path_ = path;
  }
  void TearDown() override {
    setenv("PATH", path_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // Puts these directories in front of the usual PATH.
  void pathFirst(const std::string& dirs) { setenv("PATH", (dirs + ":" + path_).c_str(), 1); }
  std::string waitForMarker() {
    test::eventually([&] { return fs::exists(marker_); });
    std::ifstream in(marker_);
    std::string line;
    std::getline(in, line);
    return line;
  }

  fs::path dir_;
  fs::path marker_;
  std::string path_;
};

TEST_F(OnScreenKeyboardTest, StartsTheFirstKnownKeyboardInASessionOfItsOwn) {
  writeFakeKeyboard(dir_ / "a", "xvkbd", marker_);
  writeFakeKeyboard(dir_ / "b", "onboard", marker_);
  pathFirst((dir_ / "a").string() + ":" + (dir_ / "b").string());

  startOnScreenKeyboard();
  const std::string line = waitForMarker();
  ASSERT_FALSE(line.empty());

  // "<name> <pid> (<comm>) <state> <ppid> <pgrp> <session> ..."
  std::istringstream fields(line);
  std::string name, comm, state;
  pid_t pid = 0, ppid = 0, pgrp = 0, session = 0;
  fields >> name >> pid >> comm >> state >> ppid >> pgrp >> session;
  EXPECT_EQ(name, "onboard") << "onboard comes before xvkbd, wherever PATH has them";
  EXPECT_NE(ppid, getpid()) << "the keyboard is not our child";
  EXPECT_NE(session, getsid(0)) << "the keyboard has its own session";
  // Nothing is left for us to reap: no zombie, now or when the keyboard ends.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(OnScreenKeyboardTest, FallsBackToTheNextKnownKeyboard) {
  writeFakeKeyboard(dir_ / "bin", "matchbox-keyboard", marker_);
  writeFakeKeyboard(dir_ / "bin", "xvkbd", marker_);
  pathFirst((dir_ / "bin").string());
  startOnScreenKeyboard();
  EXPECT_EQ(waitForMarker().substr(0, 6), "xvkbd ");
}

TEST_F(OnScreenKeyboardTest, WithoutAnyKeyboardSaysSoOnceAndStartsNothing) {
  // Not executable, so not a program to start.
  fs::create_directories(dir_ / "bin");
  std::ofstream(dir_ / "bin" / "onboard") << "#!/bin/sh\ntouch '" << marker_.string() << "'\n";
  setenv("PATH", (dir_ / "bin").string().c_str(), 1);

  ::testing::internal::CaptureStderr();
  startOnScreenKeyboard();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("onboard"), std::string::npos) << said;
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(fs::exists(marker_));
}

}  // namespace
}  // namespace vesk::platform::x11
