// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "core/text/fixed_field.h"

namespace varmkalk::core {
namespace {

TEST(ControlNumberText, WritesTheShortestTextWithinElevenColumns) {
  struct Case {
    float value;
    const char* text;
  };
  for (const Case c : {
           Case{75.0f, " 75"},
           Case{18500.0f, " 18500"},
           Case{1.2f, " 1.2"},
           Case{static_cast<float>(1.08 / 0.024), " 45"},
           Case{0.0f, " 0"},
           Case{-0.0f, " 0"},
           Case{-5.0f, "-5"},
           Case{static_cast<float>(18.1234519 * 1000), " 18123.451"},
           Case{1234567890.0f, " 1234568000"},  // the float is 1234567936
           Case{1.2345e-7f, " 1.2345E-7"},
           Case{-1.2345e-7f, "-1.2345E-7"},
           Case{1e20f, " 1E20"},
           Case{0.0001f, " 0.0001"},
           Case{0.0127167785f, " .012716779"},  // nine digits would not fit
           // The shortest exact text does not fit: as many digits as do.
           Case{1.17549435e-38f, " 1.1755E-38"},
       }) {
    EXPECT_EQ(control_number_text(c.value), c.text) << c.value;
  }
}

// Every float from 0.1 to 1e9 reads back through the engine's reader as itself; any other
// finite float within the five significant digits that always fit ("1.2345E-38").
TEST(ControlNumberText, EveryFloatReadsBackFromItsFirstElevenColumns) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<float> exponent(-1.0f, 9.0f);
  constexpr int kSamples = 100000;
  for (int i = 0; i < kSamples; ++i) {
    const float ordinary = std::pow(10.0f, exponent(random)) * (i % 2 == 0 ? 1.0f : -1.0f);
    const std::string text = control_number_text(ordinary);
    ASSERT_LE(text.size(), 11u) << ordinary;
    ASSERT_EQ(read_real(text, 0), ordinary) << text;

    const float any = std::bit_cast<float>(bits(random));
    if (!std::isfinite(any)) {
      continue;
    }
    const std::string any_text = control_number_text(any);
    ASSERT_LE(any_text.size(), 11u) << any;
    ASSERT_EQ(any_text[0], any < 0.0f ? '-' : ' ') << any;
    EXPECT_NEAR(read_real(any_text, 0), any, std::fabs(any) * 5e-5f) << any_text;
  }
}

TEST(Decimalfilter, ReplacesCommasAndEmptyText) {
  EXPECT_EQ(Decimalfilter(""), "0");
  EXPECT_EQ(Decimalfilter(" 12,5"), " 12.5");
  EXPECT_EQ(Decimalfilter(" 12.5"), " 12.5");
  EXPECT_EQ(Decimalfilter(" "), " ");
}

}  // namespace
}  // namespace varmkalk::core
