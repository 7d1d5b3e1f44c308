// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/fixed_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/text/output_line.h"

namespace varmkalk::core {
namespace {

TEST(FormatFixed, RoundsAlignsAndFillsTooWideFieldsWithAsterisks) {
  struct Case {
    float value;
    int width;
    int decimals;
    const char* expected;
  };
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  for (const Case c : {
           Case{0.5f, 5, 2, " 0.50"},
           Case{24.0f, 5, 2, "24.00"},
           Case{150.0f, 5, 2, "*****"},
           Case{-0.5f, 5, 2, "-0.50"},
           Case{99.9f, 4, 1, "99.9"},
           Case{100.0f, 4, 1, "****"},
           Case{9.996f, 5, 2, "10.00"},
           Case{99.996f, 5, 2, "*****"},
           Case{0.004f, 8, 2, "    0.00"},
           Case{-12.34f, 8, 2, "  -12.34"},
           Case{0.9792f, 8, 4, "  0.9792"},
           Case{4137.9f, 6, 1, "4137.9"},
           Case{10000.0f, 6, 1, "******"},
           Case{3e38f, 8, 2, "********"},
           Case{kNaN, 5, 1, "*****"},
           Case{kInf, 5, 1, "*****"},
           Case{-kInf, 5, 1, "*****"},
           Case{1e-45f, 5, 2, " 0.00"},
       }) {
    EXPECT_EQ(format_fixed(c.value, c.width, c.decimals), c.expected)
        << c.value << " F" << c.width << '.' << c.decimals;
  }
}

TEST(FormatFixed, RoundsHalvesAwayFromZeroOnTheExactValue) {
  // 1268.25, 0.125 and 2.5 are exact floats and so true halves.
  EXPECT_EQ(format_fixed(1268.25f, 6, 1), "1268.3");
  EXPECT_EQ(format_fixed(-1268.25f, 7, 1), "-1268.3");
  EXPECT_EQ(format_fixed(0.125f, 5, 2), " 0.13");
  EXPECT_EQ(format_fixed(-0.125f, 5, 2), "-0.13");
  EXPECT_EQ(format_decimal(2.5f, 0), "3");
  EXPECT_EQ(format_decimal(-2.5f, 0), "-3");
  // 99.95 and 0.005 as floats lie just below the half: the exact value decides, not the text.
  EXPECT_EQ(format_fixed(99.95f, 4, 1), "99.9");
  EXPECT_EQ(format_fixed(0.005f, 8, 2), "    0.00");
  // 0.025 as a float lies just above it; 0.015 just below.
  EXPECT_EQ(format_fixed(0.025f, 5, 2), " 0.03");
  EXPECT_EQ(format_fixed(0.015f, 5, 2), " 0.01");
}

TEST(FormatFixed, NegativeValueRoundingToZeroHasNoMinusSign) {
  EXPECT_EQ(format_fixed(-0.04f, 5, 1), "  0.0");
  EXPECT_EQ(format_fixed(-0.0f, 5, 2), " 0.00");
  EXPECT_EQ(format_fixed(-0.05f, 5, 1), " -0.1");  // -0.0500000007: rounds away from zero
}

TEST(FormatFixed, LeavesOutTheLeadingZeroOnlyWhereThatMakesItFit) {
  EXPECT_EQ(format_fixed(0.5f, 3, 2), ".50");
  EXPECT_EQ(format_fixed(-0.5f, 4, 2), "-.50");
  EXPECT_EQ(format_fixed(0.5f, 2, 2), "**");
  EXPECT_EQ(format_fixed(1.5f, 3, 2), "***");
}

TEST(FormatInteger, RightAlignsOrFillsWithAsterisks) {
  EXPECT_EQ(format_integer(1234, 6), "  1234");
  EXPECT_EQ(format_integer(-5, 6), "    -5");
  EXPECT_EQ(format_integer(0, 3), "  0");
  EXPECT_EQ(format_integer(999, 3), "999");
  EXPECT_EQ(format_integer(1000, 3), "***");
  EXPECT_EQ(format_integer(-100, 3), "***");
}

TEST(FormatWhole, CutsTowardZero) {
  EXPECT_EQ(format_whole(99.9f, 6), "    99");
  EXPECT_EQ(format_whole(-1.9f, 6), "    -1");
  EXPECT_EQ(format_whole(-0.5f, 6), "     0");
  EXPECT_EQ(format_whole(123456.0f, 5), "*****");
  EXPECT_EQ(format_whole(1e30f, 6), "******");
  EXPECT_EQ(format_whole(std::numeric_limits<float>::quiet_NaN(), 6), "******");
}

TEST(OutputLine, PlacesItemsAtColumns) {
  const std::string line = OutputLine().at(2).text("abc").at(54).fixed(12.3f, 5, 1).finish();
  ASSERT_EQ(line.size(), 58u + 2u);
  EXPECT_EQ(line[0], ' ');
  EXPECT_EQ(line.substr(1, 3), "abc");
  EXPECT_EQ(line.substr(4, 49), std::string(49, ' '));
  EXPECT_EQ(line.substr(53, 5), " 12.3");  // columns 54–58
  EXPECT_EQ(line.substr(58), "\r\n");
}

TEST(OutputLine, KeepsTrailingBlanksOfTextButAddsNoneOfItsOwn) {
  EXPECT_EQ(OutputLine().text("ab  ").finish(), "ab  \r\n");
  EXPECT_EQ(OutputLine().text("ab").at(10).finish(), "ab\r\n");
  EXPECT_EQ(OutputLine().finish(), "\r\n");
  EXPECT_EQ(OutputLine().integer(7, 2).skip(2).text("x").finish(), " 7  x\r\n");
  EXPECT_EQ(OutputLine().text("abcdef").at(3).text("X").finish(), "abXdef\r\n");
}

}  // namespace
}  // namespace varmkalk::core
