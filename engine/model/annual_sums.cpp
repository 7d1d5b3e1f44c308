#include "annual_sums.h"

#include <cmath>
#include <initializer_list>

#include "model_input_error.h"

namespace kalvex {
namespace {

constexpr float hours_per_day = 24.0f;
constexpr float per_cent = 100.0f;

// Fuel of one variant's day, Wh: what delivers the day's demand at the day's efficiency. On a
// day the boiler cannot meet, that efficiency is the one of running all day, so the day still
// weighs in at what the boiler achieves; only an efficiency of zero or below, where no fuel
// delivers the demand, falls back to the burner's input over its run time.
float gross_energy(const DayBalance& day, const VariantBalance& variant, float net_energy) {
  if (variant.day_efficiency <= 0.0f) {
    return day.burner_power * hours_per_day * variant.run_time;
  }
  return net_energy / variant.day_efficiency;
}

void require_finite(const AnnualTotals& totals) {
  for (const float sum :
       {totals.net_energy, totals.gross_energy_with_pump, totals.gross_energy_without_pump,
        totals.convection_energy, totals.standby_energy, totals.flue_gas_energy,
        totals.largest_shortfall, totals.largest_shortfall_share}) {
    if (!std::isfinite(sum)) {
      throw ModelInputError(
          "Årssummorna blir för stora för att räknas; indata ligger utanför "
          "modellens giltighetsområde");
    }
  }
}

}  // namespace

void record_day(AnnualTotals& totals, const DayBalance& day) {
  AnnualTotals next = totals;
  const float demand = day.hot_water_load + day.heat_demand;
  const float net_energy = demand * hours_per_day;

  next.net_energy += net_energy;
  next.gross_energy_with_pump += gross_energy(day, day.with_pump, net_energy);
  next.convection_energy += day.convection_loss * hours_per_day;
  next.standby_energy += day.standby_loss * hours_per_day * (1.0f - day.with_pump.run_time);
  next.flue_gas_energy += day.flue_gas_loss * hours_per_day * day.with_pump.run_time;
  next.heating_days += 1;
  next.gross_energy_without_pump += gross_energy(day, day.without_pump, net_energy);

  const float shortfall = day.with_pump.shortfall > day.without_pump.shortfall
                              ? day.with_pump.shortfall
                              : day.without_pump.shortfall;
  if (shortfall > 0.0f) {
    next.unmet_days += 1;
    if (shortfall > next.largest_shortfall) {
      next.largest_shortfall = shortfall;
      next.largest_shortfall_share = shortfall / demand;
    }
  }
  require_finite(next);
  totals = next;
}

void finish_year(AnnualTotals& totals) {
  if (totals.heating_days == 0) {
    totals.annual_efficiency.reset();
    totals.annual_efficiency_without_pump.reset();
    return;
  }
  totals.annual_efficiency = per_cent * totals.net_energy / totals.gross_energy_with_pump;
  totals.annual_efficiency_without_pump =
      per_cent * totals.net_energy / totals.gross_energy_without_pump;
}

}  // namespace kalvex
