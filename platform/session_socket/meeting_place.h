#pragma once
// Where the copies of one desktop session meet on Linux: a name in the user's runtime folder
// ($XDG_RUNTIME_DIR, mode 0700, or Qt's checked stand-in /tmp/runtime-<user> without it), made
// of the session's displays. Another user has another folder; another display, another name.

#include <string>
#include <string_view>

namespace vesk::platform {

struct MeetingPlace {
  std::string path;     // without its suffixes; empty where the copies do not meet
  std::string problem;  // one sentence for the user where they cannot meet
};

// The place for this process's session, from WAYLAND_DISPLAY and the X display: `xDisplay`
// where the command line names one, else DISPLAY. Without either there is nothing to show, and
// each copy runs on its own.
MeetingPlace sessionMeetingPlace(const std::string& xDisplay = {});

// The file name for the session's displays: the same for every way of writing one display
// (":0", ":0.0", "unix:0"), different for different ones, never with a "/"; empty for none.
std::string meetingName(std::string_view waylandDisplay, std::string_view xDisplay);

}  // namespace vesk::platform
