// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace varmkalk::core {

// A field whose characters are not a number by the fixed-column rules. what() is the Swedish
// reason with the field's text; the caller puts the file, line and columns in front of it.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `width` characters of `line` from column `first_column` (1 = first character); columns past
// the end of the line count as blanks.
std::string field_text(std::string_view line, int first_column, int width);

// The text without the blanks (spaces, not tabs) after it, or around it; the engine's fields
// are padded with blanks and only with blanks.
std::string_view without_trailing_blanks(std::string_view text);
std::string_view without_outer_blanks(std::string_view text);

// Reads a real from a field: a comma ends it, blanks anywhere are ignored, nothing left is 0.
// Optional sign, digits with at most one decimal point, optional exponent (E, D, e or d with an
// optionally signed integer, or just a signed integer). Without a decimal point the last
// `implied_decimals` digits are the decimals. The result is the float nearest the exact decimal
// value; a value too large for a float is a ConversionError, one too small becomes 0.
float read_real(std::string_view field, int implied_decimals);

// Reads an integer from a field: the same comma and blank rules, then an optional sign and
// digits only.
int read_integer(std::string_view field);

}  // namespace varmkalk::core
