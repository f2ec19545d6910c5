// What the stored text means: flags, box values and unusable values (kept in the store: played
// end to end, unusable-values). The defaults are seen where they show (the dialog's first
// opening, the first-start scenario), and what is written in the tests of the windows that
// write it.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include "core/core_fixture.h"

using vesk::settings::Key;

struct SettingsTest : vesk::test::Core, ::testing::Test {};

// In a decimal-comma locale. Rows: the stored text, the flag on, the box's value.
TEST_F(SettingsTest, FlagsAreOnOnlyForOneAndBoxesShowZeroOneOrTwoElseTheirDefault) {
  const std::tuple<const char*, bool, int> cases[] = {
      {"1", true, 1},    {"2", false, 2},    {"3", false, 1},
      {"-1", false, 1},  {"1,0", true, 1},   {"0,5", false, 0},
      {"0,6", false, 1}, {" &H1 ", true, 1}, {"99999", false, 1}};
  for (const auto& [text, on, box] : cases) {
    put("SHOW_SCROLL_TICKBOX", text);
    EXPECT_EQ(settings.isOn(Key::ShowScroll), on) << text;
    EXPECT_EQ(settings.checkValue(Key::ShowScroll), box) << text;
  }
}

TEST_F(SettingsTest, AnUnusableValueCountsAsAbsentAndIsReportedOncePerValue) {
  put("MainLeft", "abc");
  for (int i = 0; i < 2; ++i) EXPECT_EQ(settings.single(Key::MainLeft), 1000.f);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("MainLeft"), std::string::npos);
  put("MainLeft", "xyz");  // another bad value of the same key is worth a new line
  settings.single(Key::MainLeft);
  EXPECT_EQ(reports.size(), 2u);
}
