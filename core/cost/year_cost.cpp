// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/year_cost.h"

#include <algorithm>
#include <cmath>

#include "core/case/units.h"

namespace varmkalk::core {
namespace {

constexpr double kDaysPerYear = 365.0;

double finite_or_zero(double value) {
  return std::isfinite(value) ? value : 0.0;
}

// The hot water and the hot-water heater's loss of one day without heating, as the model has them
// on every heating day: the year's hot water spread evenly over 365 days, the heater's loss all
// day. The summer's hot water is warmer at the tap and its cold water warmer too; the model knows
// neither, so this is an estimate.
double summer_day_kwh(const BoilerCase& input) {
  return double(input.hot_water.annual_demand_kwh) / kDaysPerYear +
         kwh_per_day_from_watts(double(input.hot_water.heater_loss_w));
}

}  // namespace

ModelYear model_year(const CaseResult& result, int climate_days) {
  ModelYear year;
  year.fuel_with_pump_kwh = result.energies.gross_energy_kwh;
  year.pump_electricity_kwh = result.energies.pump_electricity_kwh;
  year.heating_days = result.totals.heating_days;
  year.climate_days = climate_days;
  if (result.efficiency_without_pump_percent) {
    year.efficiency_without_pump =
        fraction_from_percent(double(*result.efficiency_without_pump_percent));
  }
  return year;
}

YearCost year_cost(const BoilerCase& input, const ModelYear& year, const CostInputs& prices) {
  YearCost cost;
  cost.summer_days = std::max(0, year.climate_days - year.heating_days);
  // The summer's heat is made as the year's heat is, without the pump's heat: the pump stands
  // still when the house needs no heating.
  double summer_fuel_kwh = 0.0;
  if (year.efficiency_without_pump && *year.efficiency_without_pump > 0.0) {
    summer_fuel_kwh =
        finite_or_zero(cost.summer_days * summer_day_kwh(input) / *year.efficiency_without_pump);
    cost.summer_fuel_kwh = summer_fuel_kwh;
    cost.summer_gas_bill_kwh = finite_or_zero(summer_fuel_kwh * prices.fuel_hhv_ratio);
  }
  const double fuel_lower_kwh = finite_or_zero(year.fuel_with_pump_kwh) + summer_fuel_kwh;
  cost.gas_bill_kwh = finite_or_zero(fuel_lower_kwh * prices.fuel_hhv_ratio);
  cost.gas_m3 =
      prices.gas_kwh_per_m3 > 0.0 ? finite_or_zero(cost.gas_bill_kwh / prices.gas_kwh_per_m3) : 0.0;
  cost.gas_cost_sek = finite_or_zero(cost.gas_bill_kwh * prices.gas_price_sek_per_kwh);
  cost.sek_per_fuel_kwh = finite_or_zero(prices.fuel_hhv_ratio * prices.gas_price_sek_per_kwh);
  cost.fixed_fee_sek = finite_or_zero(prices.fixed_fee_sek);
  cost.pump_electricity_kwh = finite_or_zero(year.pump_electricity_kwh);
  cost.pump_cost_sek =
      finite_or_zero(cost.pump_electricity_kwh * prices.electricity_price_sek_per_kwh);
  cost.total_cost_sek = cost.gas_cost_sek + cost.fixed_fee_sek + cost.pump_cost_sek;
  cost.gas_co2_kg = finite_or_zero(cost.gas_bill_kwh * prices.gas_co2_kg_per_kwh);
  cost.pump_co2_kg = finite_or_zero(cost.pump_electricity_kwh * prices.electricity_co2_kg_per_kwh);
  cost.co2_kg = cost.gas_co2_kg + cost.pump_co2_kg;
  return cost;
}

std::optional<YearCost> case_cost(const BoilerCase& input, const FoundClimate& climate,
                                  const CostInputs& prices) {
  const CaseResult result = run_case(input, climate);
  if (result.status == CaseStatus::error || !climate.days) {
    return std::nullopt;
  }
  const auto days = static_cast<int>(climate.days->records.size());
  return year_cost(input, model_year(result, days), prices);
}

}  // namespace varmkalk::core
