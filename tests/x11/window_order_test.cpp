// Without an EWMH window manager: no foreground, and keeping above raises. With one, the
// contract suite covers it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/linux/linux_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

using test::eventually;
using test::run;

NativeHandle windowOf(const std::string& name) {
  return std::stoul(run("xdotool search --sync --onlyvisible --name '^" + name + "$' | head -1"));
}

// The topmost of the root's children: `xwininfo` lists them top first.
NativeHandle topmostChild() {
  return std::stoul(run("xwininfo -root -children | grep -m1 -o '^ *0x[0-9a-f]*'"), nullptr, 16);
}

TEST(WindowOrder, WithoutAManagerThereIsNoForegroundAndKeepingAboveRaises) {
  test::XServer server;
  auto platform = createLinuxPlatform(Session::X11);
  ASSERT_NE(platform, nullptr);
  test::Child first({"xlogo", "-title", "first", "-geometry", "100x100+10+10"});
  const NativeHandle a = windowOf("first");
  test::Child second({"xlogo", "-title", "second", "-geometry", "100x100+10+10"});
  const NativeHandle b = windowOf("second");
  ASSERT_EQ(topmostChild(), b);

  EXPECT_EQ(platform->foregroundWindow(), 0u);
  platform->setTopmost(a, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(topmostChild(), b);
  platform->setTopmost(a, true);
  EXPECT_TRUE(eventually([&] { return topmostChild() == a; }));

  // A window that has gone costs an X error, which must not end the program.
  second.stop();
  platform->setTopmost(b, true);
  EXPECT_EQ(platform->foregroundWindow(), 0u);
}

}  // namespace
}  // namespace vesk::platform
