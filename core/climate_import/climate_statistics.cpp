// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_statistics.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace varmkalk::core {
namespace {

// The engine heats on days whose mean is below 14.95 °C: in whole tenths, below 15.0 °C.
constexpr int kHeatingLimitTenthsC = 150;
constexpr int kDesignDays = 3;
constexpr int kJanuary = 1;
constexpr int kJuly = 7;

// sum / count rounded half away from zero.
int rounded_mean(long sum, long count) {
  const long magnitude = (2 * std::labs(sum) + count) / (2 * count);
  return static_cast<int>(sum < 0 ? -magnitude : magnitude);
}

int month_mean(const ClimateYear& year, int month) {
  long sum = 0;
  long days = 0;
  for (int day = 1; day <= static_cast<int>(year.daily_mean_tenths_c.size()); ++day) {
    if (date_of_day(year, day).month == month) {
      sum += year.daily_mean_tenths_c[static_cast<std::size_t>(day - 1)];
      ++days;
    }
  }
  return rounded_mean(sum, days);
}

}  // namespace

ClimateStatistics climate_statistics(const ClimateYear& year) {
  const std::vector<int>& days = year.daily_mean_tenths_c;
  if (days.size() != 365 && days.size() != 366) {
    throw std::invalid_argument("the statistics are those of a year of 365 or 366 days");
  }
  ClimateStatistics statistics;
  statistics.january_mean_tenths_c = month_mean(year, kJanuary);
  statistics.july_mean_tenths_c = month_mean(year, kJuly);
  statistics.lowest_tenths_c = days.front();
  statistics.lowest_day = 1;
  statistics.highest_tenths_c = days.front();
  statistics.highest_day = 1;
  long sum = 0;
  long window_sum = 0;  // of the kDesignDays days up to this one
  long lowest_window_sum = 0;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const int day = static_cast<int>(i) + 1;
    sum += days[i];
    if (days[i] < statistics.lowest_tenths_c) {
      statistics.lowest_tenths_c = days[i];
      statistics.lowest_day = day;
    }
    if (days[i] > statistics.highest_tenths_c) {
      statistics.highest_tenths_c = days[i];
      statistics.highest_day = day;
    }
    if (days[i] < kHeatingLimitTenthsC) {
      ++statistics.heating_days;
    }
    window_sum += days[i];
    if (day > kDesignDays) {
      window_sum -= days[i - kDesignDays];
    }
    if (day >= kDesignDays) {
      if (day == kDesignDays || window_sum < lowest_window_sum) {
        lowest_window_sum = window_sum;
        statistics.design_first_day = day - kDesignDays + 1;
      }
    }
  }
  statistics.annual_mean_tenths_c = rounded_mean(sum, static_cast<long>(days.size()));
  statistics.design_outdoor_tenths_c = rounded_mean(lowest_window_sum, kDesignDays);
  return statistics;
}

}  // namespace varmkalk::core
