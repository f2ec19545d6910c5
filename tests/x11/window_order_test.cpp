// Without an EWMH window manager: no foreground, and keeping above raises. With one that keeps
// no window above, "Always On Top" says so. With a real one, the contract suite covers it.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
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

// A stand-in EWMH manager that acts on no request: a check window naming itself and the
// states it lists as supported.
void standInManager(Display* dpy, const std::vector<const char*>& supported) {
  const ::Window root = DefaultRootWindow(dpy);
  const ::Window check = XCreateSimpleWindow(dpy, root, 0, 0, 1, 1, 0, 0, 0);
  const Atom checkAtom = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  for (const ::Window on : {root, check}) {
    XChangeProperty(dpy, on, checkAtom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&check), 1);
  }
  std::vector<Atom> atoms(supported.size());
  XInternAtoms(dpy, const_cast<char**>(supported.data()), static_cast<int>(atoms.size()), False,
               atoms.data());
  XChangeProperty(dpy, root, XInternAtom(dpy, "_NET_SUPPORTED", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
  XSync(dpy, False);
}

// "Always On Top" says once that it cannot work where the manager does not list the state, or
// lists it but never applies it (asked again, as the keeper does each second).
TEST(WindowOrder, AManagerThatKeepsNoWindowAboveIsSaidOnce) {
  const std::pair<std::vector<const char*>, std::vector<int>> rows[] = {
      {{"_NET_WM_STATE"}, {1, 1, 1}}, {{"_NET_WM_STATE", "_NET_WM_STATE_ABOVE"}, {0, 1, 1}}};
  for (const auto& [supported, notesAfter] : rows) {
    test::XServer server;
    Display* dpy = XOpenDisplay(nullptr);
    standInManager(dpy, supported);
    auto platform = createLinuxPlatform(Session::X11);
    std::vector<std::string> notes;
    platform->onNote = [&](const std::string& sentence) { notes.push_back(sentence); };
    test::Child window({"xlogo", "-title", "kept", "-geometry", "100x100+10+10"});
    const NativeHandle a = std::stoul(run("xdotool search --sync --onlyvisible --name '^kept$'"));
    for (const int want : notesAfter) {
      platform->setTopmost(a, true);
      EXPECT_EQ(notes.size(), want) << supported.size();
    }
    EXPECT_EQ(notes.front(), "This desktop does not let programs keep a window above the others.");
    platform.reset();
    XCloseDisplay(dpy);
  }
}

}  // namespace
}  // namespace vesk::platform
