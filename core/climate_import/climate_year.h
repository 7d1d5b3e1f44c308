// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/climate_import/calendar.h"

namespace varmkalk::core {

// Daily mean outdoor temperatures of one year, 1 January first, in whole tenths of a degree as
// the engine's climate file holds them.
struct ClimateYear {
  // The calendar year; none for a typical year, which mixes months of several years, or for a
  // climate file, which does not name its year.
  std::optional<int> calendar_year;
  std::vector<int> daily_mean_tenths_c;  // 365 or 366 values
};

// The lowest and highest daily mean an imported year may hold, in tenths of a degree: beyond
// the coldest and warmest air temperatures ever measured a value is a fault of the source.
constexpr int kLowestTenthsC = -900;
constexpr int kHighestTenthsC = 600;

// A temperature in tenths of a degree as text with one decimal: "-4.8" from -48, and "0.0",
// never "-0.0".
std::string tenths_text(int tenths, char decimal_separator = '.');

// The date of day `day` (1 = 1 January) of the year; a year without calendar year is counted as
// a leap year when it has 366 days and as a common year otherwise.
Date date_of_day(const ClimateYear& year, int day);

}  // namespace varmkalk::core
