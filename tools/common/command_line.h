// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace varmkalk::tools {

// A long option a program takes: a flag, or an option with a value ("--year 2009" or
// "--year=2009"). `missing_value` is the Swedish text for an option given without its value.
struct OptionRule {
  std::string_view name;  // with its dashes, e.g. "--year"
  bool takes_value = false;
  std::string_view missing_value;
};

// A command line read the usual way: the long options given, with their values (a flag's value
// is empty), and the other arguments in order; "--" ends the options.
struct CommandLine {
  bool help = false;  // "--help" or "-h": nothing else is looked at
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> files;

  bool has(std::string_view option) const { return options.contains(option); }
};

// Fails with a Swedish message for an unknown option, a flag given a value or an option without
// its value; a text taken from the command line is quoted safely.
std::variant<CommandLine, std::string> parse_command_line(std::span<const char* const> arguments,
                                                          std::span<const OptionRule> options);

// An option's value as a whole number from `lowest` to `highest`: decimal digits, a minus sign
// before them allowed, nothing else; nothing for any other text or a number out of the range.
std::optional<int> option_number(std::string_view text, int lowest, int highest);

// An option's value as a finite decimal number with a decimal point ("9", "-2.5"); nothing for
// any other text. Its range is the caller's to check, where the quantity is named.
std::optional<double> option_decimal(std::string_view text);

}  // namespace varmkalk::tools
