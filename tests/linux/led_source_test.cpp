// The lock keys from keyboard LEDs, on a directory laid out as /sys/class/leds.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/leds/led_source.h"
#include "platform/linux/linux_platform.h"

using namespace vesk::platform;
namespace fs = std::filesystem;

// Each case plays its steps on a fresh tree: a step changes the tree, then reads all three
// locks. A change is "entry=brightness", where brightness "dir" puts a directory where the file
// should be, "none" leaves the file out and "-" takes the entry away. `want` is Num, Caps,
// Scroll: 1 lit, 0 dark, ? unknown, ! unknown yet not 0.
TEST(LedSource, ReadsTheLocksFromTheLedsOfEveryKeyboard) {
  const std::vector<std::vector<std::pair<std::string, std::string>>> cases = {
      {{"a::numlock=0 a::capslock=0 a::scrolllock=0 b::numlock=0 b::capslock=1 b::scrolllock=0",
        "010"}},                                               // several keyboards, one lit
      {{"a::numlock=0 a::capslock=0 a::scrolllock=0", "000"},  // keyboards come and go
       {"b::numlock=255 b::capslock=1", "110"},
       {"a::scrolllock=1 b::numlock=- b::capslock=-", "001"},
       {"a::numlock=- a::capslock=- a::scrolllock=-", "???"}},
      {{"a::numlock=none a::capslock=dir b::capslock=0 a::scrolllock=lit", "?0?"}},
      {{"a::kana=1 phy0-led=1 capslock=1", "???"}},  // no keyboard LEDs at all
  };
  const fs::path dir = fs::temp_directory_path() / ("vesk-leds-" + std::to_string(getpid()));
  for (const auto& steps : cases) {
    fs::remove_all(dir);
    leds::LedSource source(dir.string(), std::chrono::seconds(0));  // lists it at each read
    ::testing::internal::CaptureStderr();
    bool anyUnknown = false;
    for (const auto& [change, want] : steps) {
      std::istringstream words(change);
      for (std::string word; words >> word;) {
        const fs::path entry = dir / word.substr(0, word.find('='));
        const std::string text = word.substr(word.find('=') + 1);
        fs::create_directories(text == "dir" ? entry / "brightness" : entry);
        if (text == "-") fs::remove_all(entry);
        const bool file = text != "-" && text != "dir" && text != "none";
        if (file) std::ofstream(entry / "brightness") << text << "\n";
      }
      std::string got;
      for (const LockKey k : {LockKey::Num, LockKey::Caps, LockKey::Scroll}) {
        const std::uint16_t state = source.keyState(k);
        got += source.whyUnknown(k) ? (state ? '!' : '?') : state ? '1' : '0';
      }
      EXPECT_EQ(got, want) << change;
      anyUnknown = anyUnknown || got.find('?') != std::string::npos;
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), anyUnknown ? 1 : 0) << said;
  }
  fs::remove_all(dir);
}

// Natively on Wayland nothing can keep the window above: the window is told once, not at each of
// the keeper's ticks. (What a double-click does there is the scenarios' part.)
TEST(WaylandOnly, TellsTheWindowWhatTheSessionDoesNotAllow) {
  auto wayland = createLinuxPlatform(Session::WaylandOnly);
  ASSERT_NE(wayland, nullptr);
  std::vector<std::string> notes;
  wayland->onNote = [&](const std::string& sentence) { notes.push_back(sentence); };
  for (int tick = 0; tick < 3; ++tick) wayland->setTopmost(1, true);
  wayland->setTopmost(1, false);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("keep a window above"), std::string::npos) << notes[0];
}
