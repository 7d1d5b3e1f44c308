// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/fixed_field.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/text/byte_code.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

// Exponents are capped here: beyond it every float is zero or out of range anyway, however many
// digits the field has before the exponent (no text in memory has this many), and the cap keeps
// the sum with the decimal shift far from integer overflow.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_sign(char c) {
  return c == '+' || c == '-';
}
bool is_exponent_letter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The field as the reader sees it: up to the first comma, every blank removed.
std::string significant_characters(std::string_view field) {
  const std::string_view before_comma = field.substr(0, field.find(','));
  std::string kept;
  for (const char c : before_comma) {
    if (c != ' ') {
      kept += c;
    }
  }
  return kept;
}

// The field's text for an error message: outer blanks dropped, decoded from Windows-1252, and
// control characters shown as '?' so that nothing read from a file can steer the terminal.
std::string quoted(std::string_view field) {
  const std::string_view shown = without_outer_blanks(field);
  // Appended piece by piece: "..." + std::string&& trips a false -Wrestrict in g++ 12 at -O3.
  std::string text = "\"";
  text += shown_from_windows1252(shown);
  text += '"';
  return text;
}

ConversionError not_a_number(std::string_view field) {
  std::string message = quoted(field) + " är inget tal";
  // A '?' alone would hide what is wrong: a tab or a stray line end does not show on screen.
  for (const char c : field.substr(0, field.find(','))) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      message += std::string(" (fältet innehåller styrtecknet ") + byte_code_text(byte) + ")";
      break;
    }
  }
  return ConversionError(message);
}

}  // namespace

std::string field_text(std::string_view line, int first_column, int width) {
  const auto first = static_cast<std::size_t>(first_column - 1);
  std::string text(line.substr(std::min(first, line.size()), static_cast<std::size_t>(width)));
  text.resize(static_cast<std::size_t>(width), ' ');
  return text;
}

std::string_view without_trailing_blanks(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view without_outer_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view()
                                         : without_trailing_blanks(text.substr(first));
}

float read_real(std::string_view field, int implied_decimals) {
  const std::string s = significant_characters(field);
  if (s.empty()) {
    return 0.0f;
  }
  std::size_t i = 0;
  const bool negative = s[i] == '-';
  if (is_sign(s[i])) {
    ++i;
  }
  std::string digits;
  std::int64_t fraction_digits = 0;
  bool has_point = false;
  for (; i < s.size() && (is_digit(s[i]) || s[i] == '.'); ++i) {
    if (s[i] == '.') {
      if (has_point) {
        throw not_a_number(field);
      }
      has_point = true;
    } else {
      digits += s[i];
      if (has_point) {
        ++fraction_digits;
      }
    }
  }
  if (digits.empty()) {
    throw not_a_number(field);
  }
  std::int64_t exponent = 0;
  if (i < s.size()) {
    if (is_exponent_letter(s[i])) {
      ++i;
    } else if (!is_sign(s[i])) {
      throw not_a_number(field);
    }
    const bool negative_exponent = i < s.size() && s[i] == '-';
    if (i < s.size() && is_sign(s[i])) {
      ++i;
    }
    if (i == s.size()) {
      throw not_a_number(field);
    }
    for (; i < s.size(); ++i) {
      if (!is_digit(s[i])) {
        throw not_a_number(field);
      }
      exponent = std::min(exponent * 10 + (s[i] - '0'), kExponentCap);
    }
    if (negative_exponent) {
      exponent = -exponent;
    }
  }
  exponent -= has_point ? fraction_digits : implied_decimals;

  // The digits as one integer mantissa with a decimal exponent: from_chars rounds that exact
  // value to the nearest float, independent of the process locale.
  const std::string exact = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
  float value = 0.0f;
  const auto [end, error] = std::from_chars(exact.data(), exact.data() + exact.size(), value);
  if (error == std::errc::result_out_of_range) {
    const auto leading_zeros = std::min(digits.find_first_not_of('0'), digits.size());
    const auto significant = static_cast<std::int64_t>(digits.size() - leading_zeros);
    if (significant + exponent > 0) {
      throw ConversionError(quoted(field) + " är för stort för ett tal");
    }
    return negative ? -0.0f : 0.0f;
  }
  if (error != std::errc() || end != exact.data() + exact.size()) {
    throw not_a_number(field);
  }
  return value;
}

int read_integer(std::string_view field) {
  const std::string s = significant_characters(field);
  if (s.empty()) {
    return 0;
  }
  // from_chars takes a leading minus but no plus.
  const std::size_t start = s[0] == '+' ? 1 : 0;
  if (start == 1 && (s.size() == 1 || s[1] == '-')) {
    throw not_a_number(field);
  }
  int value = 0;
  const auto [end, error] = std::from_chars(s.data() + start, s.data() + s.size(), value);
  if (error == std::errc::result_out_of_range) {
    throw ConversionError(quoted(field) + " är för stort för ett heltal");
  }
  if (error != std::errc() || end != s.data() + s.size()) {
    throw not_a_number(field);
  }
  return value;
}

}  // namespace varmkalk::core
