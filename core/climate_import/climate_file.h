// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"

namespace varmkalk::core {

// The engine's climate file: one line per day of the year in day order, the day number
// right-aligned in columns 1–4, the daily mean in columns 5–11 right-aligned with one decimal,
// each line ending in CR LF: printf("%4d%7.1f\r\n", day, temperature).

// The file's bytes for a year of 365 or 366 daily means within the import's limits; throws
// std::invalid_argument for any other year.
std::string format_climate_file(const ClimateYear& year);

// The longest climate file: a leap year.
inline constexpr int kMostClimateFileLines = 366;

// Line `number` of a climate file in that layout, blanks around its fields allowed: the day's
// mean in tenths of a degree, or the Swedish message that names the file (as `name`), the line
// and the columns of what is wrong. The day must be the line's number; the mean a minus or none,
// digits, a point and one decimal, from -90 to +60 °C.
std::variant<int, std::string> climate_file_line(std::string_view line, long number,
                                                 std::string_view name);

// The message for a climate file of `lines` lines, none when it holds one year.
std::optional<std::string> climate_file_length_fault(std::size_t lines, std::string_view name);

// An existing climate file, written in that layout with one decimal; text after column 11 is
// not read, as the engine does not read it. `name` names the file in messages. The year has no
// calendar year.
ImportResult read_climate_file(std::string_view bytes, std::string_view name);

}  // namespace varmkalk::core
