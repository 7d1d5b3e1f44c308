// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/fixed_field.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varmkalk::core {
namespace {

TEST(FieldText, TakesItsColumnsAndFillsMissingOnesWithBlanks) {
  EXPECT_EQ(field_text("abcdef", 2, 4), "bcde");
  EXPECT_EQ(field_text("abc", 2, 4), "bc  ");
  EXPECT_EQ(field_text("ab", 5, 3), "   ");
}

TEST(ReadReal, FollowsTheFieldRules) {
  struct Case {
    const char* field;
    int implied_decimals;
    float expected;
  };
  for (const Case c : {
           Case{"-52", 1, -5.2f},     Case{"7", 1, 0.7f},        Case{"12.5", 1, 12.5f},
           Case{"       ", 1, 0.0f},  Case{"", 0, 0.0f},         Case{"55", 0, 55.0f},
           Case{"2.5E3", 0, 2500.0f}, Case{"2.5e3", 0, 2500.0f}, Case{"2.5D3", 0, 2500.0f},
           Case{"2.5d3", 0, 2500.0f}, Case{"2.5+3", 0, 2500.0f}, Case{"2.5E+3", 0, 2500.0f},
           Case{"-2.5-1", 0, -0.25f}, Case{"1 000", 0, 1000.0f}, Case{" 1 2 . 5 ", 0, 12.5f},
           Case{"12,5", 0, 12.0f},    Case{",5", 0, 0.0f},       Case{"+7.", 0, 7.0f},
           Case{".5", 0, 0.5f},       Case{"-.5", 1, -0.5f},     Case{"52E1", 1, 52.0f},
           Case{"1E-99", 0, 0.0f},    Case{"0001.50", 0, 1.5f},  Case{"-0", 1, 0.0f},
       }) {
    EXPECT_EQ(read_real(c.field, c.implied_decimals), c.expected)
        << '"' << c.field << "\" d=" << c.implied_decimals;
  }
}

TEST(ReadReal, RoundsTheExactDecimalValueToTheNearestFloat) {
  // Just above the midpoint between 1 and the next float, but so close that the nearest double
  // is the midpoint itself: converting through a double would round down to 1.
  EXPECT_EQ(read_real("1.00000005960464478", 0), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(read_real("0.1", 0), 0.1f);
  EXPECT_EQ(read_real("1", 1), 0.1f);
  // However many digits stand before the exponent: 15 × 10^-100002 × 10^100005.
  EXPECT_EQ(read_real("0." + std::string(100000, '0') + "15e100005", 0), 15000.0f);
  EXPECT_EQ(read_real(std::string(100000, '0') + "45", 0), 45.0f);
}

TEST(ReadReal, RefusesWhatIsNotANumber) {
  for (const char* field : {"A12", "1.2.3", "1E", "1E+", "E5", "+", "-", ".", "1e5x", "1\t2", "12-",
                            "1E2.5", "--1", "1E-+2", "0x10"}) {
    EXPECT_THROW(read_real(field, 0), ConversionError) << '"' << field << '"';
  }
}

TEST(ReadReal, NamesTheFieldInItsMessage) {
  try {
    read_real(" 1.2.3     ", 0);
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "\"1.2.3\" är inget tal");
  }
  try {
    read_real("1E99", 0);
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "\"1E99\" är för stort för ett tal");
  }
}

TEST(ReadInteger, AcceptsOnlySignAndDigits) {
  EXPECT_EQ(read_integer("  12"), 12);
  EXPECT_EQ(read_integer("  -3"), -3);
  EXPECT_EQ(read_integer("+5"), 5);
  EXPECT_EQ(read_integer("1 2"), 12);
  EXPECT_EQ(read_integer("12,x"), 12);
  EXPECT_EQ(read_integer("    "), 0);
  for (const char* field : {"1.", "1.0", "A", "+", "-", "+-1", "1E2", "99999999999"}) {
    EXPECT_THROW(read_integer(field), ConversionError) << '"' << field << '"';
  }
}

}  // namespace
}  // namespace varmkalk::core
