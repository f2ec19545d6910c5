#include "app/linux_session.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <string_view>

#include "platform/null_platform.h"

namespace vesk::app {
namespace {

std::string_view env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

platform::Session chooseSession() {
  const std::string_view type = env("XDG_SESSION_TYPE");
  const bool wayland = type == "wayland" || (type.empty() && !env("WAYLAND_DISPLAY").empty());
  if (!wayland) return platform::Session::X11;
  const bool xwayland = !env("DISPLAY").empty();
  // Qt would take its Wayland plugin by itself whenever it is installed.
  if (env("QT_QPA_PLATFORM").empty()) setenv("QT_QPA_PLATFORM", xwayland ? "xcb" : "wayland", 1);
  return xwayland ? platform::Session::WaylandWithX : platform::Session::WaylandOnly;
}

std::unique_ptr<platform::Platform> createSessionPlatform(platform::Session session,
                                                          settings::Store& store) {
  const QString qpa = QGuiApplication::platformName();
  std::unique_ptr<platform::Platform> made;
  if (qpa == QLatin1String("xcb")) {
    made = platform::createLinuxPlatform(session, &store);
  } else if (qpa == QLatin1String("wayland")) {
    made = platform::createLinuxPlatform(platform::Session::WaylandOnly, &store);
  }
  if (!made) made = std::make_unique<platform::NullPlatform>();
  return made;
}

void watchLockChanges(platform::Platform& platform, std::function<void()> changed) {
  const int fd = platform.changeDescriptor();
  if (fd < 0) return;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                   [changed = std::move(changed)] { changed(); });
}

}  // namespace vesk::app
