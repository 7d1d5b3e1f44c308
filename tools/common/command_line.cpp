// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/command_line.h"

#include <charconv>
#include <cmath>

#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::tools {

std::variant<CommandLine, std::string> parse_command_line(std::span<const char* const> arguments,
                                                          std::span<const OptionRule> options) {
  CommandLine parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument.front() != '-') {
      parsed.files.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      return parsed;
    }
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const OptionRule* matched = nullptr;
    for (const OptionRule& option : options) {
      if (option.name == name) {
        matched = &option;
      }
    }
    if (matched == nullptr) {
      return "okänd flagga " + core::quoted_for_message(core::shown_name(argument));
    }
    if (!matched->takes_value) {
      if (equals != std::string_view::npos) {
        return std::string(name) + " tar inget värde";
      }
      parsed.options[std::string(name)] = std::string();
      continue;
    }
    if (equals != std::string_view::npos) {
      parsed.options[std::string(name)] = std::string(argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      parsed.options[std::string(name)] = arguments[++i];
    } else {
      return std::string(matched->missing_value);
    }
  }
  return parsed;
}

std::optional<int> option_number(std::string_view text, int lowest, int highest) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < lowest ||
      number > highest) {
    return std::nullopt;
  }
  return number;
}

std::optional<double> option_decimal(std::string_view text) {
  double number = 0.0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
    return std::nullopt;
  }
  return number;
}

}  // namespace varmkalk::tools
