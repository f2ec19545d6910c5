// Without an EWMH window manager: no foreground, and keeping above raises. With one, the
// contract suite covers it.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/linux/linux_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

using test::run;

TEST(WindowOrder, WithoutAManagerThereIsNoForegroundAndKeepingAboveRaises) {
  test::XServer server;
  auto platform = createLinuxPlatform(Session::X11);
  ASSERT_NE(platform, nullptr);
  // The topmost of the root's children: `xwininfo` lists them top first.
  const auto topmost = [] {
    return std::stoul(run("xwininfo -root -children | grep -m1 -o '^ *0x[0-9a-f]*'"), nullptr, 16);
  };
  test::Child first({"xlogo", "-title", "first", "-geometry", "100x100+10+10"});
  const NativeHandle a = std::stoul(run("xdotool search --sync --onlyvisible --name '^first$'"));
  test::Child second({"xlogo", "-title", "second", "-geometry", "100x100+10+10"});
  const NativeHandle b = std::stoul(run("xdotool search --sync --onlyvisible --name '^second$'"));
  ASSERT_EQ(topmost(), b);

  EXPECT_EQ(platform->foregroundWindow(), 0u);
  platform->setTopmost(a, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(topmost(), b);
  platform->setTopmost(a, true);
  EXPECT_TRUE(test::eventually([&] { return topmost() == a; }));

  // A window that has gone costs an X error, which must not end the program.
  second.stop();
  platform->setTopmost(b, true);
  EXPECT_EQ(platform->foregroundWindow(), 0u);
}

}  // namespace
}  // namespace vesk::platform
