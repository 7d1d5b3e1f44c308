#include "core/formats/daily_line.h"

#include "core/text/output_line.h"

namespace varmkalk::core {

std::string format_daily_line(const DayBalance& day, const VariantBalance& variant) {
  // The burner stands still for the rest of the day: standby loss for 1 − τ, flue-gas loss for τ.
  const float standby_over_day = (1.0f - variant.run_time) * day.standby_loss;
  const float flue_gas_over_day = variant.run_time * day.flue_gas_loss;
  return OutputLine()
      .integer(day.day_number, 3)
      .fixed(day.outdoor_temp, 6, 1)
      .fixed(day.supply_temp, 6, 1)
      .fixed(day.return_temp, 6, 1)
      .skip(2)
      .fixed(day.heat_demand, 6, 1)
      .skip(2)
      .fixed(variant.run_time, 8, 2)
      .fixed(variant.day_efficiency * 100.0f, 8, 2)
      .fixed(day.convection_loss, 8, 2)
      .fixed(standby_over_day, 8, 2)
      .fixed(flue_gas_over_day, 8, 2)
      .fixed(day.flue_gas_temp, 8, 2)
      .fixed(day.combustion_eff, 8, 4)
      .finish();
}

}  // namespace varmkalk::core
