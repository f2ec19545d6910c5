#include "platform/session_socket/meeting_place.h"

#include <QStandardPaths>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/version.h"

namespace vesk::platform {
namespace {

// An X display without its screen number or the "unix" of a local connection.
std::string_view xServer(std::string_view display) {
  if (display.starts_with("unix:")) display.remove_prefix(4);
  const auto colon = display.rfind(':');
  const auto dot = display.find('.', colon == std::string_view::npos ? 0 : colon);
  return colon == std::string_view::npos ? display : display.substr(0, dot);
}

std::string fileSafe(std::string_view text) {
  std::string safe(text);
  for (char& c : safe) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == ':';
    if (!plain) c = '_';
  }
  return safe;
}

const char* env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string meetingName(std::string_view waylandDisplay, std::string_view xDisplay) {
  std::string key = fileSafe(waylandDisplay);
  if (!key.empty() && !xDisplay.empty()) key += '+';
  key += fileSafe(xServer(xDisplay));
  if (key.empty()) return {};
  if (key.size() > 48) {                           // a socket's path has room for about 100 bytes
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    key = hex;
  }
  return std::string(kAppId) + "-" + key;
}

MeetingPlace sessionMeetingPlace(const std::string& xDisplay) {
  const std::string name =
      meetingName(env("WAYLAND_DISPLAY"), xDisplay.empty() ? env("DISPLAY") : xDisplay);
  if (name.empty()) return {};
  // Qt checks the folder's owner and mode, and says on stderr what it found wrong.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) {
    return {"",
            "There is no private runtime folder, so starting VESK-LIGHTS again opens another "
            "copy."};
  }
  return {folder.toStdString() + "/" + name, ""};
}

}  // namespace vesk::platform
