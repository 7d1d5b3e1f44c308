// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/annual_sums.h"

#include <cmath>
#include <initializer_list>
#include "core/case/units.h"

#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

// Fuel of one variant's day, Wh: what delivers the day's demand at the day's efficiency. On a
// day the boiler cannot meet, that efficiency is the one of running all day, so the day still
// weighs in at what the boiler achieves; only an efficiency of zero or below, where no fuel
// delivers the demand, falls back to the burner's input over its run time.
float gross_energy(const DayBalance& day, const VariantBalance& variant, float net_energy) {
  if (variant.day_efficiency <= 0.0f) {
    return day.burner_power * kHoursPerDay * variant.run_time;
  }
  return net_energy / variant.day_efficiency;
}

void require_finite(const AnnualTotals& totals) {
  for (const float sum :
       {totals.net_energy_wh, totals.gross_energy_with_pump_wh, totals.gross_energy_without_pump_wh,
        totals.convection_energy_wh, totals.standby_energy_wh, totals.flue_gas_energy_wh,
        totals.largest_shortfall_w, totals.largest_shortfall_share}) {
    if (!std::isfinite(sum)) {
      throw ModelInputError(
          "Årssummorna blir för stora för att räknas; indata ligger utanför "
          "modellens giltighetsområde");
    }
  }
}

float gross_energy(const AnnualTotals& totals, PumpCredit credit) {
  return credit == PumpCredit::with_pump ? totals.gross_energy_with_pump_wh
                                         : totals.gross_energy_without_pump_wh;
}

}  // namespace

void record_day(AnnualTotals& totals, const DayBalance& day) {
  AnnualTotals next = totals;
  const float demand = day.hot_water_load + day.heat_demand;
  const float net_energy = demand * kHoursPerDay;

  next.net_energy_wh += net_energy;
  const float gross_with_pump = gross_energy(day, day.with_pump, net_energy);
  next.gross_energy_with_pump_wh += gross_with_pump;
  // Short of the demand, the balance's fuel is the demand over the efficiency of running all
  // day, more than the burner can burn in a day.
  next.burner_fuel_with_pump_wh +=
      day.with_pump.shortfall > 0.0f ? day.burner_power * kHoursPerDay : gross_with_pump;
  next.convection_energy_wh += day.convection_loss * kHoursPerDay;
  next.standby_energy_wh += day.standby_loss * kHoursPerDay * (1.0f - day.with_pump.run_time);
  next.pilot_off_energy_wh += day.pilot_power * kHoursPerDay * (1.0f - day.with_pump.run_time);
  next.flue_gas_energy_wh += day.flue_gas_loss * kHoursPerDay * day.with_pump.run_time;
  next.heating_days += 1;
  next.gross_energy_without_pump_wh += gross_energy(day, day.without_pump, net_energy);

  const float shortfall = day.with_pump.shortfall > day.without_pump.shortfall
                              ? day.with_pump.shortfall
                              : day.without_pump.shortfall;
  if (shortfall > 0.0f) {
    next.unmet_days += 1;
    if (shortfall > next.largest_shortfall_w) {
      next.largest_shortfall_w = shortfall;
      next.largest_shortfall_share = shortfall / demand;
    }
  }
  require_finite(next);
  totals = next;
}

std::optional<float> annual_efficiency(const AnnualTotals& totals, PumpCredit credit) {
  if (totals.heating_days == 0) {
    return std::nullopt;
  }
  return totals.net_energy_wh / gross_energy(totals, credit);
}

std::optional<float> annual_efficiency_percent(const AnnualTotals& totals, PumpCredit credit) {
  if (totals.heating_days == 0) {
    return std::nullopt;
  }
  return kPerCent * totals.net_energy_wh / gross_energy(totals, credit);
}

}  // namespace varmkalk::core
