// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/climate_import/climate_year.h"

namespace varmkalk::core {

// Figures by which a user judges a year of daily means. Temperatures in tenths of a degree,
// means rounded half away from zero; days numbered from 1 = 1 January.
struct ClimateStatistics {
  int annual_mean_tenths_c = 0;
  int january_mean_tenths_c = 0;
  int july_mean_tenths_c = 0;
  int lowest_tenths_c = 0;  // the lowest daily mean, first day it occurs
  int lowest_day = 0;
  int highest_tenths_c = 0;  // the highest daily mean, first day it occurs
  int highest_day = 0;
  // Days whose mean is below 14.95 °C, which the engine counts as heating days.
  int heating_days = 0;
  // A suggested design outdoor temperature: the lowest mean over three consecutive days of
  // the year, and the first of those days.
  int design_outdoor_tenths_c = 0;
  int design_first_day = 0;
};

// The figures of a year of 365 or 366 days; throws std::invalid_argument for any other.
ClimateStatistics climate_statistics(const ClimateYear& year);

}  // namespace varmkalk::core
