// The foreground window and the keep-above state, with and without an EWMH window manager.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/x11/x11_platform.h"
#include "x_session.h"

namespace vesk::platform {
namespace {

using test::eventually;
using test::run;

NativeHandle windowOf(const std::string& name) {
  const std::string id =
      run("xdotool search --sync --onlyvisible --name '^" + name + "$' | head -1");
  return std::stoul(id);
}

std::string wmState(NativeHandle window) {
  return run("xprop -id " + std::to_string(window) + " _NET_WM_STATE");
}

bool above(NativeHandle window) {
  return wmState(window).find("_NET_WM_STATE_ABOVE") != std::string::npos;
}

// The id of the topmost of the root's children, as `xwininfo` lists them: top first.
NativeHandle topmostChild() {
  const std::string tree = run("xwininfo -root -children | grep -m1 -o '^ *0x[0-9a-f]*'");
  return std::stoul(tree, nullptr, 16);
}

class WindowOrderTest : public ::testing::Test {
 protected:
  void start() {
    platform_ = createX11Platform();
    ASSERT_NE(platform_, nullptr);
  }
  test::XServer server_;
  std::unique_ptr<Platform> platform_;
};

TEST_F(WindowOrderTest, UnderAnEwmhManagerFollowsTheActiveWindowAndItsAboveState) {
  test::WindowManager openbox;
  start();
  test::Child first({"xlogo", "-title", "first"});
  test::Child second({"xlogo", "-title", "second"});
  const NativeHandle a = windowOf("first");
  const NativeHandle b = windowOf("second");

  run("xdotool windowactivate --sync " + std::to_string(a));
  EXPECT_TRUE(eventually([&] { return platform_->foregroundWindow() == a; }));
  run("xdotool windowactivate --sync " + std::to_string(b));
  EXPECT_TRUE(eventually([&] { return platform_->foregroundWindow() == b; }));

  ASSERT_FALSE(above(a));
  platform_->setTopmost(a, true);
  EXPECT_TRUE(eventually([&] { return above(a); })) << wmState(a);
  EXPECT_FALSE(above(b));
  platform_->setTopmost(a, false);
  EXPECT_TRUE(eventually([&] { return !above(a); })) << wmState(a);

  // Window 0 is no window: nothing changes.
  platform_->setTopmost(b, true);
  ASSERT_TRUE(eventually([&] { return above(b); }));
  platform_->setTopmost(0, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(above(b));
}

TEST_F(WindowOrderTest, AManagerThatHasGoneLeavesNoForegroundWindow) {
  test::WindowManager openbox;
  start();
  test::Child logo({"xlogo", "-title", "logo"});
  const NativeHandle window = windowOf("logo");
  run("xdotool windowactivate --sync " + std::to_string(window));
  ASSERT_TRUE(eventually([&] { return platform_->foregroundWindow() == window; }));

  // A crashed manager leaves _NET_SUPPORTING_WM_CHECK and _NET_ACTIVE_WINDOW behind on the root;
  // its check window is gone, so they no longer count.
  openbox.kill();
  EXPECT_TRUE(eventually([&] { return platform_->foregroundWindow() == 0; }));
  EXPECT_NE(run("xprop -root _NET_ACTIVE_WINDOW").find("window id"), std::string::npos);
}

TEST_F(WindowOrderTest, WithoutAManagerThereIsNoForegroundAndKeepingAboveRaises) {
  start();
  test::Child first({"xlogo", "-title", "first", "-geometry", "100x100+10+10"});
  const NativeHandle a = windowOf("first");
  test::Child second({"xlogo", "-title", "second", "-geometry", "100x100+10+10"});
  const NativeHandle b = windowOf("second");
  ASSERT_EQ(topmostChild(), b);

  EXPECT_EQ(platform_->foregroundWindow(), 0u);
  platform_->setTopmost(a, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(topmostChild(), b);
  platform_->setTopmost(a, true);
  EXPECT_TRUE(eventually([&] { return topmostChild() == a; }));

  // A window that has gone costs an X error, which must not end the program.
  second.stop();
  platform_->setTopmost(b, true);
  EXPECT_EQ(platform_->foregroundWindow(), 0u);
}

}  // namespace
}  // namespace vesk::platform
