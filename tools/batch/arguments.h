// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <variant>

namespace varmkalk::batch {

// The name that stands for standard input or output.
inline constexpr std::string_view kStandardStream = "-";

// What the program was asked to do.
struct Arguments {
  bool help = false;
  std::string input;   // a file, or "-": standard input
  std::string output;  // a file, or "-": standard output
  bool replace = false;
  bool quiet = false;    // no progress on standard error
  unsigned threads = 0;  // 0: one per core
};

// The arguments after the program's name, or what is wrong with them (Swedish, one line).
std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments);

// The text of --help.
std::string help_text();

}  // namespace varmkalk::batch
