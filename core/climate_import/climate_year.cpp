// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_year.h"

namespace varmkalk::core {
namespace {

// Placeholders with the right length of February for a year that names no calendar year.
constexpr int kCommonYear = 2001;
constexpr int kLeapYear = 2000;

}  // namespace

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
