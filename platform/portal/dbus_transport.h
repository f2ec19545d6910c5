#pragma once
// The portal presser's transport on the session bus, through Qt DBus. Every call is
// asynchronous, so a portal that never answers cannot freeze the window.

#include <memory>

#include "platform/portal/transport.h"

namespace vesk::platform::portal {

// Needs the Qt application object; without a session bus every read finds no portal.
std::unique_ptr<Transport> createDbusTransport();

}  // namespace vesk::platform::portal
