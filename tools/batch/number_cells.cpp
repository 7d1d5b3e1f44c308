// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/number_cells.h"

#include <algorithm>
#include <charconv>

#include "core/climate_import/source_text.h"
#include "core/text/fixed_field.h"
#include "core/text/number_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::batch {
namespace {

using core::quoted_for_message;

// Far more characters than a float's digits need; a longer cell is no number someone wrote.
constexpr std::size_t kLongestNumber = 64;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the text is a plain decimal number: an optional sign, digits with at most one
// decimal point, an optional exponent of e or E and an optionally signed integer.
bool is_decimal_number(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && is_digit(text[i])) {
      ++i;
    }
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  std::size_t mantissa_digits = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa_digits += digits();
  }
  if (mantissa_digits == 0) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    if (digits() == 0) {
      return false;
    }
  }
  return i == text.size();
}

// Whether the text is digits grouped by commas in threes, as a thousands separator groups them:
// "2,000", "-1,234,567.5".
bool is_grouped_by_commas(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    text.remove_prefix(1);
  }
  text = text.substr(0, text.find('.'));
  const std::size_t first = text.find(',');
  if (first == 0 || first > 3 || first == std::string_view::npos) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool comma_place = i >= first && (i - first) % 4 == 0;
    if (comma_place ? text[i] != ',' : !is_digit(text[i])) {
      return false;
    }
  }
  return (text.size() - first) % 4 == 0;
}

// What to write instead of a number with commas or blanks in it. A comma may be a decimal
// comma or a thousands separator: "2,000" read the one way is 2000, the other 2, so both are
// named rather than a guess that would make 2000 into 2.
std::string how_to_write(std::string_view text) {
  std::string without_commas(text);
  std::erase(without_commas, ',');
  std::string with_point(text);
  std::replace(with_point.begin(), with_point.end(), ',', '.');
  if (is_grouped_by_commas(text)) {
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos) {
      return "; skriv " + without_commas + " om kommatecknet skiljer tusental, " + with_point +
             " om det är ett decimaltecken";
    }
    return "; skriv talet utan tusentalsavgränsare: " + without_commas;
  }
  if (text.find(',') != std::string_view::npos) {
    return "; skriv decimaltecknet som punkt";
  }
  // Digits grouped by blanks, "2 000"; not a unit after a number, "18000 W".
  if (text.find_first_of(" \t") != std::string_view::npos &&
      text.find_first_not_of("0123456789 \t.+-") == std::string_view::npos) {
    return "; skriv talet utan mellanslag";
  }
  return {};
}

// A cell that reads as a number but not as a double: beyond the largest double, or so close to 0
// that it would be read as 0, which was hardly meant.
std::string out_of_double_range(std::string_view text) {
  const std::size_t exponent = text.find_first_of("eE");
  const bool tiny =
      exponent != std::string_view::npos && exponent + 1 < text.size() && text[exponent + 1] == '-';
  return quoted_for_message(text) +
         (tiny ? " är så nära 0 att det inte går att räkna med; skriv 0 om det är menat"
               : " är för stort för ett tal");
}

}  // namespace

std::optional<float> number_of(std::string_view cell, std::string& fault) {
  // Blanks and tabs around a cell do not count.
  const std::string_view text = core::trimmed(cell);
  if (text.empty()) {
    fault = "fältet är tomt; ett tal behövs";
    return std::nullopt;
  }
  if (text.size() > kLongestNumber) {
    fault = "talet är " + std::to_string(text.size()) + " tecken långt; högst " +
            std::to_string(kLongestNumber) + " tecken godtas";
    return std::nullopt;
  }
  if (!is_decimal_number(text)) {
    fault = quoted_for_message(text) + " är inget tal" + how_to_write(text);
    return std::nullopt;
  }
  try {
    return core::read_real(text, 0);
  } catch (const core::ConversionError&) {
    fault = quoted_for_message(text) + " är för stort för ett tal";
    return std::nullopt;
  }
}

std::optional<double> double_of(std::string_view cell, std::string& fault) {
  std::string_view text = core::trimmed(cell);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    fault = out_of_double_range(core::trimmed(cell));
    return std::nullopt;
  }
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ranged_number_of(std::string_view cell, double min_value, double max_value,
                                       std::string_view unit, std::string& fault) {
  if (!number_of(cell, fault)) {
    return std::nullopt;
  }
  const std::optional<double> value = double_of(cell, fault);
  if (!fault.empty()) {
    return std::nullopt;
  }
  if (!value || *value < min_value || *value > max_value) {
    // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on "text" + std::string&&.
    fault = quoted_for_message(core::trimmed(cell));
    fault += " ligger utanför ";
    fault += core::shortest_text(float(min_value));
    fault += "–";
    fault += core::shortest_text(float(max_value));
    if (!unit.empty()) {
      fault += ' ';
      fault += unit;
    }
    return std::nullopt;
  }
  return value;
}

}  // namespace varmkalk::batch
