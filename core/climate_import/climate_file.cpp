// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>

#include "core/climate_import/import_failure.h"
#include "core/climate_import/source_text.h"
#include "core/text/fixed_field.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

constexpr std::size_t kDayWidth = 4;
constexpr std::size_t kTemperatureWidth = 7;
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kCommonYearDays = 365;
constexpr int kLeapYearDays = 366;

bool has_valid_length(const ClimateYear& year) {
  const auto days = static_cast<int>(year.daily_mean_tenths_c.size());
  return year.calendar_year ? days == days_in_year(*year.calendar_year)
                            : days == kCommonYearDays || days == kLeapYearDays;
}

std::string right_aligned(std::string text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

bool is_digits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The temperature of columns 5–11, in tenths: an optional minus, digits, a point and one
// decimal.
std::optional<int> read_tenths(std::string_view field) {
  const bool negative = !field.empty() && field.front() == '-';
  if (negative) {
    field.remove_prefix(1);
  }
  const std::size_t point = field.find('.');
  if (point == std::string_view::npos || point + 2 != field.size() ||
      !is_digits(field.substr(0, point)) || !is_digits(field.substr(point + 1))) {
    return std::nullopt;
  }
  // Seven columns hold too few digits for an int to overflow.
  int whole = 0;
  std::from_chars(field.data(), field.data() + point, whole);
  const int tenths = whole * 10 + (field[point + 1] - '0');
  return negative ? -tenths : tenths;
}

ClimateYear read_days(std::string_view text, std::string_view name) {
  ClimateYear year;
  LineSplitter lines(text);
  while (const std::optional<SourceLine> line = lines.next()) {
    if (line->number > kMostClimateFileLines) {
      fail(std::string(name) + ": filen har fler än " + std::to_string(kMostClimateFileLines) +
           " rader");
    }
    const std::variant<int, std::string> tenths = climate_file_line(line->text, line->number, name);
    if (const auto* fault = std::get_if<std::string>(&tenths)) {
      fail(*fault);
    }
    year.daily_mean_tenths_c.push_back(std::get<int>(tenths));
  }
  if (const std::optional<std::string> fault =
          climate_file_length_fault(year.daily_mean_tenths_c.size(), name)) {
    fail(*fault);
  }
  return year;
}

}  // namespace

std::variant<int, std::string> climate_file_line(std::string_view line, long number,
                                                 std::string_view name) {
  const std::string place = line_place(name, number);
  // The engine skips blanks in its fields, and only blanks.
  const std::string_view day = without_outer_blanks(line.substr(0, kDayWidth));
  if (day != std::to_string(number)) {
    return place + ", kolumn 1–4: dagnumret är " + quoted_for_message(day) + ", väntade " +
           std::to_string(number);
  }
  const std::string_view field =
      without_outer_blanks(line.substr(std::min(kDayWidth, line.size()), kTemperatureWidth));
  const std::optional<int> tenths = read_tenths(field);
  if (!tenths) {
    return place + ", kolumn 5–11: " + quoted_for_message(field) +
           " är ingen temperatur med en decimal (som -4.8)";
  }
  if (*tenths < kLowestTenthsC || *tenths > kHighestTenthsC) {
    return place + ", kolumn 5–11: " + quoted_for_message(field) +
           " °C är ingen rimlig dygnsmedeltemperatur (-90 till +60 °C)";
  }
  return *tenths;
}

std::optional<std::string> climate_file_length_fault(std::size_t lines, std::string_view name) {
  if (lines == static_cast<std::size_t>(kCommonYearDays) ||
      lines == static_cast<std::size_t>(kLeapYearDays)) {
    return std::nullopt;
  }
  return std::string(name) + ": filen har " + std::to_string(lines) +
         " rader, väntade en rad per dag för ett år (365 eller 366)";
}

std::string format_climate_file(const ClimateYear& year) {
  if (!has_valid_length(year)) {
    throw std::invalid_argument("a climate file holds 365 or 366 days, as its year has");
  }
  std::string bytes;
  int day = 0;
  for (const int tenths : year.daily_mean_tenths_c) {
    if (tenths < kLowestTenthsC || tenths > kHighestTenthsC) {
      throw std::invalid_argument("a daily mean beyond the climate file's limits");
    }
    bytes += right_aligned(std::to_string(++day), kDayWidth);
    bytes += right_aligned(tenths_text(tenths), kTemperatureWidth);
    bytes += kLineEnd;
  }
  return bytes;
}

ImportResult read_climate_file(std::string_view bytes, std::string_view name) {
  const std::string shown = shown_name(name);
  const std::string text = decode_source_text(bytes);
  return guarded(shown, [&] { return read_days(text, shown); });
}

}  // namespace varmkalk::core
