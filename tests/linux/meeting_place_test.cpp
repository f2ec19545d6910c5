// The name of a session's meeting place: one per display, however the display is written.

#include <gtest/gtest.h>

#include <set>

#include "platform/session_socket/meeting_place.h"

using vesk::platform::meetingName;

TEST(MeetingPlace, OneNamePerSessionOfDisplays) {
  EXPECT_EQ(meetingName("", ":0"), meetingName("", "unix:0.1"));
  EXPECT_EQ(meetingName("", ""), "") << "no display: nothing to meet about";
  const std::pair<std::string, std::string> apart[] = {
      // WAYLAND_DISPLAY, DISPLAY
      {"", ":0"},          {"", ":1"},       {"", "host:1"}, {"wayland-0", ""},
      {"wayland-0", ":1"}, {"/run/w-0", ""}, {"..", ":0"},   {std::string(300, 'w'), ""}};
  std::set<std::string> names;
  for (const auto& [wayland, x] : apart) {
    const std::string name = *names.insert(meetingName(wayland, x)).first;
    EXPECT_TRUE(name.find('/') == std::string::npos && name.size() < 80) << name;
  }
  EXPECT_EQ(names.size(), std::size(apart)) << "two displays meet in one place";
}
