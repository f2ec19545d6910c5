// Without an EWMH window manager: no foreground, and keeping above raises. With one that keeps
// no window above, "Always On Top" says so. With a real one, the contract suite covers it.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <vector>

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

// "Always On Top" says once that it cannot work where the manager does not list the state, or
// does not apply it (to a window it does not manage) when asked again, as the keeper does each
// second; nowhere else.
TEST(WindowOrder, AManagerThatKeepsNoWindowAboveIsSaidOnce) {
  const std::tuple<const char*, const char*, std::vector<std::size_t>> rows[] = {
      {"_NET_WM_STATE", "False", {1, 1}}, {"", "True", {0, 1}}, {"", "False", {0, 0}}};
  for (const auto& [supported, unmanaged, notesAfter] : rows) {
    test::XServer server;
    test::WindowManager openbox;
    if (*supported)
      run(std::string("xprop -root -f _NET_SUPPORTED 32a -set _NET_SUPPORTED ") + supported);
    auto platform = createLinuxPlatform(Session::X11);
    std::vector<std::string> notes;
    platform->onNote = [&](const std::string& sentence) { notes.push_back(sentence); };
    test::Child window({"xlogo", "-title", "kept", "-geometry", "123x45+10+10", "-xrm",
                        std::string("*overrideRedirect: ") + unmanaged});
    // An unmanaged window has no name: found by its size, inside a frame or not.
    std::string id;
    const auto find = "xwininfo -root -tree | awk '/ 123x45\\+/ {print $1; exit}'";
    ASSERT_TRUE(test::eventually([&] { return !(id = run(find)).empty(); }));
    const NativeHandle a = std::stoul(id, nullptr, 16);
    for (const std::size_t want : notesAfter) {
      platform->setTopmost(a, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      EXPECT_EQ(notes.size(), want) << supported << unmanaged;
    }
  }
}

}  // namespace
}  // namespace vesk::platform
