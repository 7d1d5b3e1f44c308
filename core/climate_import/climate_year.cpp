// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_year.h"

#include <cstdlib>

namespace varmkalk::core {
namespace {

// Placeholders with the right length of February for a year that names no calendar year.
constexpr int kCommonYear = 2001;
constexpr int kLeapYear = 2000;

}  // namespace

std::string tenths_text(int tenths, char decimal_separator) {
  const int magnitude = std::abs(tenths);
  // Appended piece by piece: "literal" + std::string&& trips a false -Wrestrict in g++ 12 at -O3.
  std::string text = tenths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  text += decimal_separator;
  text += std::to_string(magnitude % 10);
  return text;
}

Date date_of_day(const ClimateYear& year, int day) {
  if (year.calendar_year) {
    return date_of_day(*year.calendar_year, day);
  }
  const bool leap = year.daily_mean_tenths_c.size() == 366;
  Date date = date_of_day(leap ? kLeapYear : kCommonYear, day);
  date.year = 0;
  return date;
}

}  // namespace varmkalk::core
