#include "settings/convert.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vesk::settings;

TEST(Convert, AcceptsWhatPeopleWriteByHand) {
  EXPECT_EQ(toDouble("1000", '.'), 1000.0);
  EXPECT_EQ(toDouble("  -15\t", '.'), -15.0);
  EXPECT_EQ(toDouble("+7", '.'), 7.0);
  EXPECT_EQ(toDouble(".5", '.'), 0.5);
  EXPECT_EQ(toDouble("2.", '.'), 2.0);
  EXPECT_EQ(toDouble("1E3", '.'), 1000.0);
  EXPECT_EQ(toDouble("1.5d-1", '.'), 0.15);
  EXPECT_EQ(toDouble("&H10", '.'), 16.0);
  EXPECT_EQ(toDouble("&hff", '.'), 255.0);
  EXPECT_EQ(toDouble("&O17", '.'), 15.0);
}

TEST(Convert, HexAndOctalAreTwosComplementIn16Or32Bits) {
  EXPECT_EQ(toDouble("&HFFFF", '.'), -1.0);
  EXPECT_EQ(toDouble("&H8000", '.'), -32768.0);
  EXPECT_EQ(toDouble("&H10000", '.'), 65536.0);
  EXPECT_EQ(toDouble("&HFFFFFFFF", '.'), -1.0);
  EXPECT_FALSE(toDouble("&H100000000", '.'));
  EXPECT_FALSE(toDouble("&O8", '.'));
  EXPECT_FALSE(toDouble("&HG", '.'));
  EXPECT_FALSE(toDouble("&X1", '.'));
}

TEST(Convert, DecimalCommaLocaleReadsBothSeparators) {
  EXPECT_EQ(toDouble("1,5", ','), 1.5);
  EXPECT_EQ(toDouble("1.5", ','), 1.5);
  EXPECT_EQ(toSingle("-2,25", ','), -2.25f);
  // Where the comma is no decimal separator, "1,5" is no number at all (not 15, not 1).
  EXPECT_FALSE(toDouble("1,5", '.'));
}

TEST(Convert, RejectsUnusableText) {
  for (const char* bad :
       {"", "   ", "abc", "1a", "--1", "1e", "1e+", ".", "1 2", "+", "1.2.3", "0x10", "1e999"}) {
    EXPECT_FALSE(toDouble(bad, '.')) << '"' << bad << '"';
  }
  // Underflow is a zero, not an error.
  EXPECT_EQ(toDouble("1e-999", '.'), 0.0);
  EXPECT_EQ(toDouble("-0.5e-400", '.'), -0.0);
  EXPECT_FALSE(toDouble("0.5e400", '.'));
}

TEST(Convert, SingleFailsOnlyOutsideItsRange) {
  EXPECT_EQ(toSingle("3.4e38", '.'), 3.4e38f);
  EXPECT_FALSE(toSingle("3.5e38", '.'));
  EXPECT_FALSE(toSingle("-1e39", '.'));
}

TEST(Convert, Int16RoundsHalfToEvenAndChecksRange) {
  EXPECT_EQ(toInt16("0.5", '.'), 0);
  EXPECT_EQ(toInt16("1.5", '.'), 2);
  EXPECT_EQ(toInt16("2.5", '.'), 2);
  EXPECT_EQ(toInt16("-2.5", '.'), -2);
  EXPECT_EQ(toInt16("1.4999", '.'), 1);
  EXPECT_EQ(toInt16("32767.4", '.'), 32767);
  EXPECT_FALSE(toInt16("32767.5", '.'));
  EXPECT_EQ(toInt16("-32768", '.'), -32768);
  EXPECT_FALSE(toInt16("-32769", '.'));
  EXPECT_EQ(toInt16("&HFFFF", '.'), -1);
  EXPECT_FALSE(toInt16("&H10000", '.'));
}

TEST(Convert, SinglesWrittenReadBackUnchanged) {
  EXPECT_EQ(formatSingle(1000.f), "1000");
  EXPECT_EQ(formatSingle(-15.f), "-15");
  EXPECT_EQ(formatSingle(0.f), "0");
  for (float v : {0.1f, -1234.5f, 3.4e38f, 1e-30f, 16777217.f, 1e10f}) {
    const auto text = formatSingle(v);
    EXPECT_EQ(toSingle(text, ','), v) << text;  // readable in a decimal-comma locale too
  }
}
