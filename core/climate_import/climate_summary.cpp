// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/climate_summary.h"

#include "core/climate_import/calendar.h"
#include "core/climate_import/climate_statistics.h"

namespace varmkalk::core {
namespace {

constexpr int kDesignDays = 3;

std::string with_year(const ClimateYear& year, std::string text) {
  return year.calendar_year ? text + " " + std::to_string(*year.calendar_year) : text;
}

std::string day_text(const ClimateYear& year, int day) {
  return with_year(year, day_and_month(date_of_day(year, day)));
}

}  // namespace

std::string summary_lines(const ClimateYear& year, char decimal_separator) {
  // "-1,2 °C".
  const auto degrees_text = [decimal_separator](int tenths) {
    return tenths_text(tenths, decimal_separator) + " °C";
  };
  const ClimateStatistics s = climate_statistics(year);
  const Date first = date_of_day(year, s.design_first_day);
  const Date last = date_of_day(year, s.design_first_day + kDesignDays - 1);
  // "3–5 januari 2009", or "31 januari–2 februari 2009" across a month's end.
  const std::string design_days =
      (first.month == last.month ? std::to_string(first.day) : day_and_month(first)) + "–" +
      day_text(year, s.design_first_day + kDesignDays - 1);
  return "Årsmedeltemperatur: " + degrees_text(s.annual_mean_tenths_c) + "\n" +
         "Medeltemperatur i januari: " + degrees_text(s.january_mean_tenths_c) + "\n" +
         "Medeltemperatur i juli: " + degrees_text(s.july_mean_tenths_c) + "\n" +
         "Lägsta dygnsmedeltemperatur: " + degrees_text(s.lowest_tenths_c) + " (" +
         day_text(year, s.lowest_day) + ")\n" +
         "Högsta dygnsmedeltemperatur: " + degrees_text(s.highest_tenths_c) + " (" +
         day_text(year, s.highest_day) + ")\n" +
         "Dagar under 15 °C (eldningsdagar): " + std::to_string(s.heating_days) + "\n" +
         "Förslag till dimensionerande utetemperatur: " + degrees_text(s.design_outdoor_tenths_c) +
         " (lägsta medel över tre dygn i följd, " + design_days + ")\n";
}

}  // namespace varmkalk::core
