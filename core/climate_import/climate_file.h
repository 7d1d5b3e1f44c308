// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"

namespace varmkalk::core {

// The engine's climate file: one line per day of the year in day order, the day number
// right-aligned in columns 1–4, the daily mean in columns 5–11 right-aligned with one decimal,
// each line ending in CR LF: printf("%4d%7.1f\r\n", day, temperature).

// The file's bytes for a year of 365 or 366 daily means within the import's limits; throws
// std::invalid_argument for any other year.
std::string format_climate_file(const ClimateYear& year);

// An existing climate file, written in that layout with one decimal; text after column 11 is
// not read, as the engine does not read it. `name` names the file in messages. The year has no
// calendar year.
ImportResult read_climate_file(std::string_view bytes, std::string_view name);

}  // namespace varmkalk::core
