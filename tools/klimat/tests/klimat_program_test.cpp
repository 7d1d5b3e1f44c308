// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "core/tests/support/argument_cases.h"
#include "tools/klimat/arguments.h"

namespace varmkalk::klimat {
namespace {

TEST(KlimatArguments, LongOptionsInAnyOrderAndClearRefusals) {
  varmkalk::testing::expect_arguments<Arguments>(
      parse_arguments,
      {
          {{"smhi.csv", "ut.dat", "--year", "2009", "--allow-suspect", "--replace"}, ""},
          {{"--year=2009", "smhi.csv", "ut.dat"}, ""},
          {{"--info", "sthlm.dat"}, ""},
          {{"--", "--konstigt-namn.csv", "ut.dat"}, ""},
          {{"smhi.csv"}, "ange källan och klimatfilen"},
          {{"a", "b", "c"}, "för många filnamn"},
          {{"a", "b", "--year"}, "--year behöver ett år"},
          {{"a", "b", "--year", "20x9"}, "\"20x9\" är inget år"},
          {{"a", "b", "--year", "0"}, "är inget år mellan 1 och 9999"},
          {{"a", "b", "--replace=ja"}, "--replace tar inget värde"},
          {{"a", "b", "--ersätt"}, "okänd flagga \"--ersätt\""},
          {{"--info", "a", "--year", "2009"}, "--info tar en klimatfil"},
      });
  const auto parsed = std::get<Arguments>(parse_arguments(
      std::vector<const char*>{"--replace", "smhi.csv", "--year", "2009", "ut.dat"}));
  EXPECT_EQ(parsed.source, "smhi.csv");
  EXPECT_EQ(parsed.output, "ut.dat");
  EXPECT_EQ(parsed.year, 2009);
  EXPECT_TRUE(parsed.replace);
  EXPECT_FALSE(parsed.allow_suspect);
  EXPECT_EQ(std::get<Arguments>(parse_arguments(std::vector<const char*>{"a", "--help"})).task,
            Arguments::Task::help);
}

}  // namespace
}  // namespace varmkalk::klimat
