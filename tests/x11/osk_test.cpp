// Starting the on-screen keyboard: which one, detached from us, and what happens without one.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/x11/osk_launcher.h"
#include "x_session.h"

namespace vesk::platform::x11 {
namespace {

namespace fs = std::filesystem;

// Stand-ins that write their name, parent and session (from /proc) to a marker; as written they
// are no programs to start.
TEST(OnScreenKeyboard, SaysOnceThatThereIsNoneOrStartsTheFirstKnownOneInASessionOfItsOwn) {
  const fs::path dir = fs::temp_directory_path() / ("vesk-osk-" + std::to_string(getpid()));
  const fs::path marker = dir / "started";
  const std::string path = std::getenv("PATH");
  for (const std::string name : {"a/xvkbd", "b/onboard"}) {
    fs::create_directories((dir / name).parent_path());
    std::ofstream(dir / name) << "#!/bin/sh\necho " << fs::path(name).filename().string()
                              << " $(cut -d' ' -f4,6 /proc/$$/stat) > " << marker << ".tmp && mv "
                              << marker << ".tmp " << marker << "\n";
  }
  fs::permissions(dir / "a/xvkbd", fs::perms::owner_all);
  setenv("PATH", (dir / "b").c_str(), 1);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(startOnScreenKeyboard());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("onboard"), std::string::npos) << said;

  fs::permissions(dir / "b/onboard", fs::perms::owner_all);
  setenv("PATH", ((dir / "a").string() + ":" + (dir / "b").string() + ":" + path).c_str(), 1);
  EXPECT_TRUE(startOnScreenKeyboard());
  setenv("PATH", path.c_str(), 1);
  ASSERT_TRUE(test::eventually([&] { return fs::exists(marker); }));
  std::ifstream fields(marker);
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
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vesk::platform::x11
