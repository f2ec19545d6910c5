#pragma once
// The kind of session, decided before the application object exists, and the platform for it.

#include <functional>
#include <memory>

#include "platform/linux/linux_platform.h"

namespace vesk::app {

// In a Wayland session, picks Qt's platform before QApplication is created: Xwayland (xcb)
// where DISPLAY is set, so that place, size and keep-above work, else native Wayland. A
// platform the user chose with QT_QPA_PLATFORM is kept.
platform::Session chooseSession();

// The platform parts for the session, or ones that do nothing where Qt draws on no window
// system we know (offscreen). The store keeps what the desktop's portal lets us remember.
std::unique_ptr<platform::Platform> createSessionPlatform(platform::Session session,
                                                          settings::Store& store);

// Runs `changed` whenever a lock may have changed, so that the lights follow at once.
void watchLockChanges(platform::Platform& platform, std::function<void()> changed);

}  // namespace vesk::app
