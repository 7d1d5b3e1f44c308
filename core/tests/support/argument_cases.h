// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace varmkalk::testing {

// A console tool's command line and what its parser makes of it.
struct ArgumentCase {
  std::vector<const char*> arguments;
  std::string refusal;  // part of it; empty: accepted
};

// Each command line is accepted, or refused with a message holding its refusal.
template <typename Arguments, typename Parse>
void expect_arguments(Parse parse, std::initializer_list<ArgumentCase> cases) {
  for (const ArgumentCase& c : cases) {
    const std::variant<Arguments, std::string> parsed = parse(c.arguments);
    if (c.refusal.empty()) {
      EXPECT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<std::string>(parsed);
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.refusal;
      EXPECT_NE(std::get<std::string>(parsed).find(c.refusal), std::string::npos)
          << std::get<std::string>(parsed);
    }
  }
}

}  // namespace varmkalk::testing
