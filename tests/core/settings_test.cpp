// What the stored text means: defaults, flags, unusable values, and what is written.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include "settings/memory_store.h"

using namespace vesk::settings;

namespace {

struct SettingsTest : ::testing::Test {
  MemoryStore store;
  std::vector<std::string> reports;
  Settings settings{store, ',', [this](const std::string& line) { reports.push_back(line); }};

  void put(const char* key, const char* text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
};

}  // namespace

TEST_F(SettingsTest, AbsentKeysGiveTheirDefaultsAndWriteNothing) {
  const std::pair<Key, float> geometry[] = {
      {Key::MainLeft, 1000},  {Key::MainTop, 1000},        {Key::MainWidth, 3840},
      {Key::MainHeight, 945}, {Key::AboutMainWidth, 5835}, {Key::AboutMainHeight, 4530}};
  for (const auto& [key, want] : geometry) EXPECT_EQ(settings.single(key), want);
  EXPECT_FALSE(settings.isOn(Key::VertLights));
  EXPECT_FALSE(settings.isOn(Key::AlwaysOnTop));
  for (Key k : {Key::ShowNum, Key::ShowCaps, Key::ShowScroll, Key::ShowOsk}) {
    EXPECT_TRUE(settings.isShown(k));
    EXPECT_EQ(settings.checkValue(k), 1);
  }
  EXPECT_TRUE(store.empty());
  EXPECT_TRUE(reports.empty());
}

TEST_F(SettingsTest, FlagsAreOnOnlyForOneHiddenOnlyForZeroAndBoxesShowWhatTheyCan) {
  struct Case {
    const char* text;
    bool on, shown;
    int box;
  };
  for (const Case c :
       {Case{"1", true, true, 1}, Case{"0", false, false, 0}, Case{"2", false, true, 2},
        Case{"-1", false, true, 1}, Case{"1,0", true, true, 1}, Case{"0,5", false, true, 0},
        Case{"0,6", false, true, 1}, Case{" &H1 ", true, true, 1}, Case{"99999", false, true, 1}}) {
    put("VERT_LIGHTS_TICKBOX", c.text);
    put("SHOW_SCROLL_TICKBOX", c.text);
    EXPECT_EQ(settings.isOn(Key::VertLights), c.on) << c.text;
    EXPECT_EQ(settings.isShown(Key::ShowScroll), c.shown) << c.text;
    EXPECT_EQ(settings.checkValue(Key::ShowScroll), c.box) << c.text;
  }
}

TEST_F(SettingsTest, AnUnusableValueCountsAsAbsentIsReportedOncePerValueAndKept) {
  put("MainLeft", "abc");
  put("SHOW_NUM_TICKBOX", "");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(settings.single(Key::MainLeft), 1000.f);
    EXPECT_TRUE(settings.isShown(Key::ShowNum));
  }
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_NE(reports[0].find("MainLeft"), std::string::npos);
  EXPECT_EQ(get("MainLeft"), "abc");
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "");
  put("MainLeft", "xyz");  // another bad value of the same key is worth a new line
  settings.single(Key::MainLeft);
  EXPECT_EQ(reports.size(), 3u);
}

TEST_F(SettingsTest, WhatIsSavedReadsBackIncludingNegativePlaces) {
  settings.saveSingle(Key::MainLeft, -15.f);
  settings.saveSingle(Key::MainTop, 1234.5f);
  settings.saveInt(Key::ShowNum, 0);
  EXPECT_EQ(get("MainLeft"), "-15");
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "0");
  EXPECT_EQ(settings.single(Key::MainTop), 1234.5f);
  EXPECT_FALSE(settings.isShown(Key::ShowNum));
}
