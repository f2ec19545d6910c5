// The name of a session's meeting place: one per display, however the display is written.

#include <gtest/gtest.h>

#include <set>

#include "platform/session_socket/meeting_place.h"

using vesk::platform::meetingName;
using Displays = std::pair<std::string, std::string>;  // WAYLAND_DISPLAY, DISPLAY

TEST(MeetingPlace, OneNamePerSessionOfDisplays) {
  const std::pair<Displays, Displays> same[] = {
      {{"", ":0"}, {"", ":0.0"}},
      {{"", ":0"}, {"", "unix:0.1"}},
      {{"wayland-0", ":1"}, {"wayland-0", ":1.0"}},
  };
  for (const auto& [a, b] : same) {
    EXPECT_EQ(meetingName(a.first, a.second), meetingName(b.first, b.second)) << b.second;
  }
  const Displays apart[] = {
      {"", ":0"},
      {"", ":1"},
      {"", "host:1"},
      {"wayland-0", ""},
      {"wayland-1", ""},
      {"wayland-0", ":1"},
      {"/run/wayland-0", ""},
      {"..", ":0"},
      {std::string(300, 'w'), ""},
  };
  std::set<std::string> names;
  for (const auto& [wayland, x] : apart) {
    const std::string name = meetingName(wayland, x);
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    EXPECT_LT(name.size(), 80u) << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), std::size(apart)) << "two displays meet in one place";
  EXPECT_EQ(meetingName("", ""), "") << "no display: nothing to meet about";
}
