#include "platform/x11/x11_platform.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>

#include "platform/x11/error_trap.h"
#include "platform/x11/key_presser.h"
#include "platform/x11/lock_reader.h"
#include "platform/x11/osk_launcher.h"
#include "platform/x11/window_order.h"

namespace vesk::platform {
namespace {

class X11Platform : public Platform {
 public:
  explicit X11Platform(Display* display)
      : display_(display), reader_(display), presser_(display, reader_), order_(display) {}
  ~X11Platform() override {
    x11::untrapErrors(display_);
    XCloseDisplay(display_);
  }
  X11Platform(const X11Platform&) = delete;
  X11Platform& operator=(const X11Platform&) = delete;

  std::uint16_t keyState(LockKey key) override { return reader_.keyState(key); }
  void pressKey(LockKey key) override { presser_.press(key); }
  NativeHandle foregroundWindow() override { return order_.activeWindow(); }
  void setTopmost(NativeHandle window, bool topmost) override { order_.setAbove(window, topmost); }
  // Removing _NET_WM_STATE_ABOVE never activates a window.
  void removeTopmost(NativeHandle window) override { order_.setAbove(window, false); }
  void startOnScreenKeyboard(NativeHandle) override { x11::startOnScreenKeyboard(); }

 private:
  Display* display_;
  x11::LockReader reader_;
  x11::KeyPresser presser_;
  x11::WindowOrder order_;
};

}  // namespace

std::unique_ptr<Platform> createX11Platform() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "vesk-lights: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return nullptr;
  }
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
    std::fputs("vesk-lights: the X server has no usable XKB extension\n", stderr);
    XCloseDisplay(display);
    return nullptr;
  }
  x11::trapErrors(display);
  return std::make_unique<X11Platform>(display);
}

}  // namespace vesk::platform
