#include "platform/linux/linux_platform.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/leds/led_source.h"
#include "platform/portal/dbus_transport.h"
#include "platform/portal/portal_presser.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/key_presser.h"
#include "platform/x11/lock_reader.h"
#include "platform/x11/osk_launcher.h"
#include "platform/x11/window_order.h"

namespace vesk::platform {
namespace {

constexpr const char* kNoPresses = "This Wayland session does not let programs flip lock keys.";
constexpr const char* kNoAbove =
    "Without Xwayland, this session does not let programs keep a window above the others.";
constexpr const char* kNoAboveHere =
    "This desktop does not let programs keep a window above the others.";

class LinuxPlatform final : public Platform {
 public:
  LinuxPlatform(Display* display, Session session, settings::Store* store) : display_(display) {
    if (session == Session::X11) {
      auto reader = std::make_unique<x11::LockReader>(display_);
      presser_ = std::make_unique<x11::KeyPresser>(display_, *reader);
      locks_ = std::move(reader);
      keyboards_ = x11::kX11Keyboards;
    } else {
      const char* dir = std::getenv("VESK_LEDS_DIR");
      locks_ = std::make_unique<leds::LedSource>(dir && *dir ? dir : "/sys/class/leds");
      keyboards_ = x11::kWaylandKeyboards;
      // X11 keyboards run through Xwayland, where there is one.
      if (display_)
        keyboards_.insert(keyboards_.end(), x11::kX11Keyboards.begin(), x11::kX11Keyboards.end());
      // Never XTest here: it would reach Xwayland only, and leave it at odds with the compositor.
      if (store)
        presser_ = std::make_unique<portal::PortalPresser>(
            portal::createDbusTransport(), *store,
            portal::PortalPresser::Hooks{
                [this](const std::string& s) {
                  if (onNote) onNote(s);
                },
                [this] { refusePress(); },
                [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }});
    }
    if (presser_) {
      presser_->onPressed = [this](LockKey key) {
        if (onPressed) onPressed(key);
      };
    }
    if (display_) order_ = std::make_unique<x11::WindowOrder>(display_);
  }
  ~LinuxPlatform() override {
    presser_.reset();
    locks_.reset();
    order_.reset();
    if (!display_) return;
    x11::untrapErrors(display_);
    XCloseDisplay(display_);
  }
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  std::uint16_t keyState(LockKey key) override { return locks_->keyState(key); }
  std::optional<std::string> whyUnknown(LockKey key) override { return locks_->whyUnknown(key); }
  int changeDescriptor() override { return locks_->changeDescriptor(); }

  void pressKey(LockKey key) override {
    if (presser_) return presser_->press(key);
    refusePress();
  }

  // No portal that can press keys (wlroots compositors have none).
  void refusePress() {
    if (!toldNoPresses_)
      std::fprintf(stderr, "vesk-lights: %s It has no RemoteDesktop portal with a keyboard.\n",
                   kNoPresses);
    toldNoPresses_ = true;
    if (onNote) onNote(kNoPresses);
  }

  NativeHandle foregroundWindow() override { return order_ ? order_->activeWindow() : 0; }
  void setTopmost(NativeHandle window, bool topmost) override {
    // Natively on Wayland the compositor alone stacks windows, and some window managers keep
    // no window above others: say so once, rather than let "Always On Top" look as if it worked.
    const bool keeps = order_ ? order_->setAbove(window, topmost) : !topmost;
    if (keeps || toldNoAbove_) return;
    toldNoAbove_ = true;
    const char* why = order_ ? kNoAboveHere : kNoAbove;
    std::fprintf(stderr, "vesk-lights: %s\n", why);
    if (onNote) onNote(why);
  }

  void startOnScreenKeyboard(NativeHandle) override {
    if (x11::startOnScreenKeyboard(keyboards_) || !onNote) return;
    std::string names;
    for (std::size_t i = 0; i < keyboards_.size(); ++i)
      names += (i == 0 ? "" : i + 1 == keyboards_.size() ? " or " : ", ") + keyboards_[i];
    onNote("No on-screen keyboard is installed; install " + names + ".");
  }

 private:
  Display* display_;  // none without X
  std::unique_ptr<LockSource> locks_;
  std::unique_ptr<KeyPresser> presser_;      // none: presses are refused with a note
  std::unique_ptr<x11::WindowOrder> order_;  // none: no window is foreground, nothing is raised
  std::vector<std::string> keyboards_;
  bool toldNoPresses_ = false;
  bool toldNoAbove_ = false;
};

Display* openDisplay(bool needXkb) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "vesk-lights: cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return nullptr;
  }
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (needXkb && !XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
    std::fputs("vesk-lights: the X server has no usable XKB extension\n", stderr);
    XCloseDisplay(display);
    return nullptr;
  }
  x11::trapErrors(display);
  return display;
}

}  // namespace

std::unique_ptr<Platform> createLinuxPlatform(Session session, settings::Store* store) {
  Display* display = nullptr;
  if (session != Session::WaylandOnly) {
    display = openDisplay(session == Session::X11);
    if (!display && session == Session::X11) return nullptr;
  }
  return std::make_unique<LinuxPlatform>(display, session, store);
}

}  // namespace vesk::platform
