// Starting the on-screen keyboard: which one, detached from us, and what happens without one.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/x11/osk_launcher.h"
#include "x_session.h"

namespace vesk::platform::x11 {
namespace {

namespace fs = std::filesystem;

class OnScreenKeyboardTest : public ::testing::Test {
 protected:
  void TearDown() override {
    setenv("PATH", path_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // A stand-in keyboard that writes its name, parent and session (from /proc) to the marker.
  void fakeKeyboard(const std::string& dir, const std::string& name) {
    fs::create_directories(dir_ / dir);
    std::ofstream(dir_ / dir / name)
        << "#!/bin/sh\necho " << name << " $(cut -d' ' -f4,6 /proc/$$/stat) > " << marker_
        << ".tmp && mv " << marker_ << ".tmp " << marker_ << "\n";
    fs::permissions(dir_ / dir / name, fs::perms::owner_all);
  }

  fs::path dir_ = test::makeTempDir("vesk-osk");
  fs::path marker_ = dir_ / "started";
  std::string path_ = std::getenv("PATH");
};

TEST_F(OnScreenKeyboardTest, StartsTheFirstKnownKeyboardInASessionOfItsOwn) {
  fakeKeyboard("a", "xvkbd");
  fakeKeyboard("b", "onboard");
  setenv("PATH", ((dir_ / "a").string() + ":" + (dir_ / "b").string() + ":" + path_).c_str(), 1);

  startOnScreenKeyboard();
  ASSERT_TRUE(test::eventually([&] { return fs::exists(marker_); }));
  std::ifstream fields(marker_);
  std::string name;
  pid_t parent = 0, session = 0;
  ASSERT_TRUE(fields >> name >> parent >> session);
  EXPECT_EQ(name, "onboard") << "onboard comes before xvkbd, wherever PATH has them";
  EXPECT_NE(parent, getpid()) << "the keyboard is not our child";
  EXPECT_NE(session, getsid(0)) << "the keyboard has its own session";
  // Nothing is left for us to reap: no zombie, now or when the keyboard ends.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(OnScreenKeyboardTest, WithoutAnyKeyboardSaysSoOnceAndStartsNothing) {
  fakeKeyboard("bin", "onboard");
  fs::permissions(dir_ / "bin" / "onboard", fs::perms::owner_read);  // not a program to start
  setenv("PATH", (dir_ / "bin").c_str(), 1);

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
