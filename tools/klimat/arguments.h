// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace varmkalk::klimat {

// What the program was asked to do.
struct Arguments {
  enum class Task { import, info, help };
  Task task = Task::help;
  std::string source;  // import: the source; info: the climate file
  std::string output;  // import: the climate file to write
  std::optional<int> year;
  bool allow_suspect = false;
  bool replace = false;
};

// The arguments after the program's name, or what is wrong with them (Swedish, one line).
std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments);

// The text of --help.
std::string help_text();

}  // namespace varmkalk::klimat
