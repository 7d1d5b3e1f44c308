// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varmkalk::core {

// One output line built from items placed at columns (column 1 is the first character).
// Columns passed over and never written are blanks; the line ends at the last character
// written, and finish() terminates it with CR LF.
class OutputLine {
 public:
  // Sets the position to `column`.
  OutputLine& at(int column);
  // Moves the position `columns` to the right.
  OutputLine& skip(int columns);
  // Writes all characters of `text`, trailing blanks included, from the position on.
  OutputLine& text(std::string_view text);
  // Writes a number as Fixed w.d or Integer w.
  OutputLine& fixed(float value, int width, int decimals);
  OutputLine& integer(long long value, int width);

  // The line's characters followed by CR LF.
  std::string finish() const;

 private:
  std::string chars_;
  std::size_t position_ = 0;
};

}  // namespace varmkalk::core
