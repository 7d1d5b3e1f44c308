// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "tools/klimat/arguments.h"

namespace varmkalk::klimat {
namespace {

TEST(KlimatArguments, LongOptionsInAnyOrderAndClearRefusals) {
  struct Case {
    std::vector<const char*> arguments;
    std::string refusal;  // part of it; empty: accepted
  };
  for (const Case& c : {
           Case{{"smhi.csv", "ut.dat", "--year", "2009", "--allow-suspect", "--replace"}, ""},
           Case{{"--year=2009", "smhi.csv", "ut.dat"}, ""},
           Case{{"--info", "sthlm.dat"}, ""},
           Case{{"--", "--konstigt-namn.csv", "ut.dat"}, ""},
           Case{{"smhi.csv"}, "ange källan och klimatfilen"},
           Case{{"a", "b", "c"}, "för många filnamn"},
           Case{{"a", "b", "--year"}, "--year behöver ett år"},
           Case{{"a", "b", "--year", "20x9"}, "\"20x9\" är inget år"},
           Case{{"a", "b", "--year", "0"}, "är inget år mellan 1 och 9999"},
           Case{{"a", "b", "--replace=ja"}, "--replace tar inget värde"},
           Case{{"a", "b", "--ersätt"}, "okänd flagga \"--ersätt\""},
           Case{{"--info", "a", "--year", "2009"}, "--info tar en klimatfil"},
       }) {
    const auto parsed = parse_arguments(c.arguments);
    if (c.refusal.empty()) {
      EXPECT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<std::string>(parsed);
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.refusal;
      EXPECT_NE(std::get<std::string>(parsed).find(c.refusal), std::string::npos)
          << std::get<std::string>(parsed);
    }
  }
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
