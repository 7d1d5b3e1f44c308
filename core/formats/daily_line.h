// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/model/day_balance.h"

namespace varmkalk::core {

// The fields of a daily line, in the order of its columns.
enum class DailyField {
  day,
  outdoor_temp,
  supply_temp,
  return_temp,
  heat_demand,
  run_time,
  day_efficiency,
  convection_loss,
  standby_loss,
  flue_gas_loss,
  flue_gas_temp,
  combustion_eff,
};
inline constexpr std::size_t kDailyFieldCount = 12;

// Where a field of the daily line stands and what it holds. The engine's writer and the reader
// of kept daily files are both built from the one table of these.
struct DailyColumn {
  DailyField field;
  int first_column;  // 1-based
  int width;
  int decimals;            // Fixed width.decimals; the day is Integer width
  std::string_view label;  // Swedish, UTF-8
  std::string_view unit;   // UTF-8
  // The field differs between the two daily files: it follows the variant's run time.
  bool per_variant;
};

inline constexpr std::array<DailyColumn, kDailyFieldCount> kDailyColumns = {{
    {DailyField::day, 1, 3, 0, "Dag", "nr", false},
    {DailyField::outdoor_temp, 4, 6, 1, "Utetemperatur", "°C", false},
    {DailyField::supply_temp, 10, 6, 1, "Framledningstemperatur", "°C", false},
    {DailyField::return_temp, 16, 6, 1, "Returtemperatur", "°C", false},
    {DailyField::heat_demand, 24, 6, 1, "Värmebehov", "W", false},
    {DailyField::run_time, 32, 8, 2, "Gångtid", "andel av dygnet", true},
    {DailyField::day_efficiency, 40, 8, 2, "Dygnsverkningsgrad", "%", true},
    {DailyField::convection_loss, 48, 8, 2, "Konvektionsförlust", "W", false},
    {DailyField::standby_loss, 56, 8, 2, "Stilleståndsförlust", "W", true},
    {DailyField::flue_gas_loss, 64, 8, 2, "Avgasförlust", "W", true},
    {DailyField::flue_gas_temp, 72, 8, 2, "Avgastemperatur", "°C", false},
    {DailyField::combustion_eff, 80, 8, 4, "Förbränningsverkningsgrad", "andel", false},
}};

// Characters of a daily line without its line end.
inline constexpr int kDailyLineLength = 87;

// The values of one heating day's line for one balance variant, unrounded, in the order of
// kDailyColumns: the day efficiency in per cent, and the standby and flue-gas losses weighted
// by the run time (the burner stands still for 1 − τ of the day and runs for τ).
std::array<float, kDailyFieldCount> daily_values(const DayBalance& day,
                                                 const VariantBalance& variant);

// The 87-character line of one heating day for one balance variant, with CR LF: the values
// above, each rounded into its column; a value too wide for its column is asterisks.
std::string format_daily_line(const DayBalance& day, const VariantBalance& variant);

}  // namespace varmkalk::core
