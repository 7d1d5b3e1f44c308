// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {

// EnergyPlus weather files (.epw): comma-separated header lines from LOCATION to DATA PERIODS,
// then one row per hour (year, month, day, hour 1–24, minute, data source, dry-bulb
// temperature, …) of a typical year.

// Whether `line` is the first line of an EnergyPlus weather file.
bool is_epw_first_line(std::string_view line);

// The typical year as 365 daily means in month and day order, each the mean of the day's 24
// hourly dry-bulb temperatures. The rows' year is not used: a typical year takes its months
// from different years; 29 February, where there is one, is left out. Throws ImportFailure;
// `name` as shown_name gives it.
ClimateYear read_epw(std::string_view text, std::string_view name, const ImportOptions& options);
ClimateYear read_epw(LineSplitter& lines, std::string_view name, const ImportOptions& options);

}  // namespace varmkalk::core
