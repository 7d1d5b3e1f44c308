// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/fixed_text.h"

#include <gtest/gtest.h>

namespace varmkalk::core {
namespace {

TEST(FixedText, PadsAndCutsToItsWidth) {
  EXPECT_EQ(FixedText<4>("ab").str(), "ab  ");
  EXPECT_EQ(FixedText<4>("").str(), "    ");
  EXPECT_EQ(FixedText<4>("h1234").str(), "h123");
  EXPECT_EQ(FixedText<4>(" a").trimmed(), " a");
}

TEST(FixedText, CodeLetterMatchesOnlyExactlyAfterTrailingBlanksDropped) {
  struct Case {
    const char* text;
    bool matches_a;
  };
  for (const Case c : {Case{"A", true}, Case{"A    ", true}, Case{"a", true}, Case{" A", false},
                       Case{"AB", false}, Case{"", false}, Case{"Malmö", false}}) {
    EXPECT_EQ(FixedText<20>(c.text).is_code_either_case('A', 'a'), c.matches_a) << c.text;
  }
  EXPECT_TRUE(FixedText<20>("a").is_code('a'));
  EXPECT_FALSE(FixedText<20>("a").is_code('A'));
}

}  // namespace
}  // namespace varmkalk::core
