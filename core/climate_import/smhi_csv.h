// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {

// SMHI's open-data CSV files of air temperature: semicolon-separated, a block of station and
// parameter lines, then a line of column names and one row per value with its quality code
// (G checked and approved, Y suspect).

// Whether `line` is the column names of SMHI's daily means ("Lufttemperatur, medelvärde 1
// dygn": from and to time, representative day, temperature, quality) or of its hourly values
// (date, UTC time, temperature, quality).
bool is_smhi_daily_header(std::string_view line);
bool is_smhi_hourly_header(std::string_view line);

// The chosen year of daily means as published. Throws ImportFailure; `name` as shown_name
// gives it.
ClimateYear read_smhi_daily(std::string_view text, std::string_view name,
                            const ImportOptions& options);
ClimateYear read_smhi_daily(LineSplitter& lines, std::string_view name,
                            const ImportOptions& options);

// The chosen year of daily means, each the mean of the 24 hourly values of its UTC calendar day.
// Throws ImportFailure; `name` as shown_name gives it.
ClimateYear read_smhi_hourly(std::string_view text, std::string_view name,
                             const ImportOptions& options);
ClimateYear read_smhi_hourly(LineSplitter& lines, std::string_view name,
                             const ImportOptions& options);

}  // namespace varmkalk::core
