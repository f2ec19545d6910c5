#pragma once
// What the portal presser asks of the session bus, in the portal's own terms. The Qt DBus
// transport speaks it to org.freedesktop.portal.Desktop; tests speak it to a recording fake.
// Nothing here blocks: every answer comes later through its callback, or never.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace vesk::platform::portal {

// An a{sv} of the portal, with the only value types it uses here.
using Value = std::variant<std::uint32_t, std::string>;
using Options = std::map<std::string, Value>;

enum class Method { CreateSession, SelectDevices, Start };

struct Response {
  std::uint32_t code = 2;  // 0 granted, 1 cancelled by the user, 2 anything else
  Options results;
  std::string error;  // why the call itself failed, for the log
};

struct RemoteDesktop {
  std::uint32_t version = 0;
  std::uint32_t deviceTypes = 0;  // AvailableDeviceTypes: 1 keyboard, 2 pointer, 4 touchscreen
};

class Transport {
 public:
  virtual ~Transport() = default;
  // Our unique name on the bus (":1.42"), from which request paths are made.
  virtual std::string uniqueName() = 0;
  // Names the program to the portal, where it has org.freedesktop.host.portal.Registry; an
  // older portal's error is ignored.
  virtual void registerApp(const std::string& appId) = 0;
  // The RemoteDesktop interface's properties; nothing without a bus, portal or interface.
  virtual void readRemoteDesktop(std::function<void(std::optional<RemoteDesktop>)> done) = 0;
  // Listens for Response on requestPath, then calls the method; a call that fails answers
  // with code 2. For SelectDevices and Start, `session` is the session handle.
  virtual void request(Method method, const std::string& session, const Options& options,
                       const std::string& requestPath,
                       std::function<void(const Response&)> done) = 0;
  // Calls `closed` when the desktop closes the session (the user stopped it).
  virtual void watchSession(const std::string& session, std::function<void()> closed) = 0;
  // `failed` runs if the desktop answers the call with an error.
  virtual void notifyKeycode(const std::string& session, int keycode, bool pressed,
                             std::function<void()> failed) = 0;
  // Session.Close; `atExit` waits briefly for it to be sent, as the program is about to end.
  virtual void closeSession(const std::string& session, bool atExit) = 0;
  // Runs `fn` once, `ms` milliseconds from now, unless the transport has gone.
  virtual void after(int ms, std::function<void()> fn) = 0;
};

}  // namespace vesk::platform::portal
