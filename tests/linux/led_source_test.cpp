// The lock keys from keyboard LEDs, on a directory laid out as /sys/class/leds.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/leds/led_source.h"

namespace vesk::platform::leds {
namespace {

namespace fs = std::filesystem;

// A step changes the tree, then reads all three locks. `change` holds words "entry=brightness"
// (brightness "dir": a directory stands where the file should be; "none": no file) and "-entry"
// (the entry is taken away). `want` is Num, Caps, Scroll: 1 lit, 0 dark, ? unknown.
struct Step {
  std::string change, want;
};
struct Case {
  const char* name;
  std::vector<Step> steps;
};

const Case kCases[] = {
    {"SeveralKeyboardsOneLit",
     {{"a::numlock=0 a::capslock=0 a::scrolllock=0 b::numlock=0 b::capslock=1 b::scrolllock=0",
       "010"}}},
    {"KeyboardsComeAndGoAndLedsChangeInPlace",
     {{"a::numlock=0 a::capslock=0 a::scrolllock=0", "000"},
      {"b::numlock=255 b::capslock=1", "110"},
      {"a::scrolllock=1 -b::numlock -b::capslock", "001"},
      {"-a::numlock -a::capslock -a::scrolllock", "???"}}},
    {"UnreadableLedsDoNotCount",
     {{"a::numlock=none a::capslock=dir b::capslock=0 a::scrolllock=lit", "?0?"}}},
    {"NoKeyboardLedsAtAll", {{"a::kana=1 phy0-led=1 capslock=1", "???"}}},
};

class LedSourceTest : public ::testing::TestWithParam<Case> {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  void apply(const std::string& change) {
    std::istringstream words(change);
    for (std::string word; words >> word;) {
      if (word[0] == '-') {
        fs::remove_all(dir_ / word.substr(1));
        continue;
      }
      const auto eq = word.find('=');
      const fs::path entry = dir_ / word.substr(0, eq);
      const std::string text = word.substr(eq + 1);
      fs::create_directories(entry);
      if (text == "dir") fs::create_directories(entry / "brightness");
      if (text != "dir" && text != "none") std::ofstream(entry / "brightness") << text << "\n";
    }
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("vesk-leds-" + std::to_string(getpid()) + "-" + GetParam().name);
};

TEST_P(LedSourceTest, ReadsTheLocksFromTheLedsOfEveryKeyboard) {
  fs::create_directories(dir_);
  LedSource source(dir_.string(), std::chrono::seconds(0));  // lists the directory at each read
  ::testing::internal::CaptureStderr();
  bool anyUnknown = false;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE(step.change);
    apply(step.change);
    std::string got;
    for (int k = 0; k < 3; ++k) {
      const std::uint16_t state = source.keyState(static_cast<LockKey>(k));
      const auto why = source.whyUnknown(static_cast<LockKey>(k));
      got += why ? (state ? '!' : '?') : state ? '1' : '0';  // '!': unknown yet not 0
      anyUnknown = anyUnknown || why;
    }
    EXPECT_EQ(got, step.want);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), anyUnknown ? 1 : 0) << said;
}

INSTANTIATE_TEST_SUITE_P(Trees, LedSourceTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vesk::platform::leds
