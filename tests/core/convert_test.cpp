// Stored text to numbers, as people write it by hand, and numbers to text that reads back.

#include "settings/convert.h"

#include <gtest/gtest.h>

using namespace vesk::settings;

TEST(Convert, TextToNumbersInEitherLocale) {
  const std::tuple<const char*, char, double> cases[] = {
      {"  -15\t", '.', -15}, {"+7", '.', 7},          {".5", '.', 0.5},        {"2.", '.', 2},
      {"1E3", '.', 1000},    {"1.5d-1", '.', 0.15},   {"&hff", '.', 255},      {"&O17", '.', 15},
      {"&HFFFF", '.', -1},   {"&H10000", '.', 65536}, {"&HFFFFFFFF", '.', -1}, {"1,5", ',', 1.5},
      {"1.5", ',', 1.5},     {"1e-999", '.', 0},
  };
  for (const auto& [text, separator, want] : cases) {
    EXPECT_EQ(toDouble(text, separator), want) << '"' << text << '"';
  }
  for (const char* bad : {"", "   ", "abc", "1a", "--1", "1e", "1e+", ".", "1 2", "+", "1.2.3",
                          "0x10", "1e999", "1,5", "&H100000000", "&O8", "&HG", "&X1"}) {
    EXPECT_FALSE(toDouble(bad, '.')) << '"' << bad << '"';
  }
}

// Whole numbers round half to even, as the classic conversions do.
TEST(Convert, NarrowTypesRoundHalfToEvenAndCheckTheirRange) {
  const std::pair<const char*, std::optional<int>> ints[] = {
      {"0.5", 0},         {"1.5", 2},      {"2.5", 2},     {"-2.5", -2},   {"32767.4", 32767},
      {"-32768", -32768}, {"32767.5", {}}, {"-32769", {}}, {"&H10000", {}}};
  for (const auto& [text, want] : ints) EXPECT_EQ(toInt16(text, '.'), want) << text;
  EXPECT_EQ(toSingle("3.4e38", '.'), 3.4e38f);
  EXPECT_FALSE(toSingle("3.5e38", '.'));
  EXPECT_FALSE(toSingle("-1e39", '.'));
}

// Their exact text ("-1500", not "-1500.0") is checked where the windows store their places.
TEST(Convert, SinglesWrittenReadBackUnchanged) {
  for (float v : {0.f, 0.1f, -1234.5f, 3.4e38f, 1e-30f, 16777217.f, 1e10f}) {
    const auto text = formatSingle(v);
    EXPECT_EQ(toSingle(text, ','), v) << text;  // readable in a decimal-comma locale too
  }
}
