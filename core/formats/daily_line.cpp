// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/daily_line.h"

#include "core/case/units.h"
#include "core/text/output_line.h"

namespace varmkalk::core {
namespace {}  // namespace

std::array<float, kDailyFieldCount> daily_values(const DayBalance& day,
                                                 const VariantBalance& variant) {
  return {
      static_cast<float>(day.day_number),
      day.outdoor_temp,
      day.supply_temp,
      day.return_temp,
      day.heat_demand,
      variant.run_time,
      variant.day_efficiency * kPerCent,
      day.convection_loss,
      (1.0f - variant.run_time) * day.standby_loss,
      variant.run_time * day.flue_gas_loss,
      day.flue_gas_temp,
      day.combustion_eff,
  };
}

std::string format_daily_line(const DayBalance& day, const VariantBalance& variant) {
  const std::array<float, kDailyFieldCount> values = daily_values(day, variant);
  OutputLine line;
  for (const DailyColumn& column : kDailyColumns) {
    line.at(column.first_column);
    if (column.field == DailyField::day) {
      line.integer(day.day_number, column.width);
    } else {
      line.fixed(values[static_cast<std::size_t>(column.field)], column.width, column.decimals);
    }
  }
  return line.finish();
}

}  // namespace varmkalk::core
