// The lock keys from keyboard LEDs, on a directory laid out as /sys/class/leds.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/leds/led_source.h"

namespace vesk::platform::leds {
namespace {

namespace fs = std::filesystem;

constexpr int kUnknown = -1;
constexpr const char* kNames[] = {"Num Lock", "Caps Lock", "Scroll Lock"};
// An LED's brightness file: its text, or one of these stand-ins for a file that cannot be read.
constexpr const char* kNotAFile = "<directory>";
constexpr const char* kMissing = "<missing>";

struct Step {
  std::vector<std::pair<std::string, std::string>> put;  // entry, brightness
  std::vector<std::string> remove;                       // entries taken away
  std::array<int, 3> want;                               // Num, Caps, Scroll: 1, 0 or kUnknown
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

const Case kCases[] = {
    {"SeveralKeyboardsOneLit",
     {{{{"input1::numlock", "0\n"},
        {"input1::capslock", "0\n"},
        {"input1::scrolllock", "0\n"},
        {"input7::numlock", "0\n"},
        {"input7::capslock", "1\n"},
        {"input7::scrolllock", "0\n"}},
       {},
       {0, 1, 0}}}},
    {"KeyboardsComeAndGoAndLedsChangeInPlace",
     {{{{"input1::numlock", "0\n"}, {"input1::capslock", "0\n"}, {"input1::scrolllock", "0\n"}},
       {},
       {0, 0, 0}},
      {{{"input9::numlock", "255\n"}, {"input9::capslock", "1\n"}}, {}, {1, 1, 0}},
      {{{"input1::scrolllock", "1\n"}}, {"input9::numlock", "input9::capslock"}, {0, 0, 1}},
      {{},
       {"input1::numlock", "input1::capslock", "input1::scrolllock"},
       {kUnknown, kUnknown, kUnknown}}}},
    {"UnreadableLedsDoNotCount",
     {{{{"input1::numlock", kMissing},
        {"input1::capslock", kNotAFile},
        {"input2::capslock", "0\n"},
        {"input1::scrolllock", "lit\n"}},
       {},
       {kUnknown, 0, kUnknown}}}},
    {"NoKeyboardLedsAtAll",
     {{{{"input1::kana", "1\n"}, {"phy0-led", "1\n"}, {"capslock", "1\n"}},
       {},
       {kUnknown, kUnknown, kUnknown}}}},
};

class LedSourceTest : public ::testing::TestWithParam<Case> {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  void put(const std::string& entry, const std::string& brightness) {
    fs::create_directories(dir_ / entry);
    if (brightness == kNotAFile) {
      fs::create_directories(dir_ / entry / "brightness");
    } else if (brightness != kMissing) {
      std::ofstream(dir_ / entry / "brightness") << brightness;  // the same file, rewritten
    }
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("vesk-leds-" + std::to_string(getpid()) + "-" + GetParam().name);
};

TEST_P(LedSourceTest, ReadsTheLocksFromTheLedsOfEveryKeyboard) {
  fs::create_directories(dir_);
  LedSource source(dir_.string(), std::chrono::seconds(0));  // look again at every read
  ::testing::internal::CaptureStderr();
  bool anyUnknown = false;
  int stepNo = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(++stepNo));
    for (const auto& [entry, brightness] : step.put) put(entry, brightness);
    for (const auto& entry : step.remove) fs::remove_all(dir_ / entry);
    for (int k = 0; k < 3; ++k) {
      const auto key = static_cast<LockKey>(k);
      const std::uint16_t state = source.keyState(key);
      const auto why = source.whyUnknown(key);
      EXPECT_EQ(why ? kUnknown : state != 0 ? 1 : 0, step.want[k]) << "key " << k;
      if (why) {
        EXPECT_EQ(state, 0) << "an unknown key reads as no state";
        EXPECT_NE(why->find(kNames[k]), std::string::npos) << *why;
      }
      anyUnknown = anyUnknown || why;
    }
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), anyUnknown ? 1 : 0) << said;
}

TEST(LedSource, AKeyboardPluggedInShowsOnlyAtTheNextLook) {
  const fs::path dir = fs::temp_directory_path() / ("vesk-leds-rescan-" + std::to_string(getpid()));
  fs::create_directories(dir / "input1::capslock");
  LedSource source(dir.string(), std::chrono::hours(1));
  ::testing::internal::CaptureStderr();
  source.keyState(LockKey::Caps);
  EXPECT_TRUE(source.whyUnknown(LockKey::Caps)) << "no brightness file yet";
  std::ofstream(dir / "input1::capslock" / "brightness") << "1\n";
  EXPECT_EQ(source.keyState(LockKey::Caps), 0) << "the directory was listed again before due";
  ::testing::internal::GetCapturedStderr();
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Trees, LedSourceTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vesk::platform::leds
