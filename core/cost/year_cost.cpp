// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/year_cost.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/case/units.h"
#include "core/model/day_model.h"
#include "core/model/model_input_error.h"
#include "core/model/start_model.h"

namespace varmkalk::core {
namespace {

constexpr std::size_t kCommonYearDays = 365;
constexpr std::size_t kLeapYearDays = 366;

double finite_or_zero(double value) {
  return std::isfinite(value) ? value : 0.0;
}

double kwh_from_wh(float wh) {
  return double(wh) / double(kWhPerKwh);
}

std::string year_rule() {
  return "årets gas räknas bara på ett helt år, 365 eller 366 dygn numrerade 1, 2, 3 … i ordning";
}

}  // namespace

ModelYear model_year(const BoilerCase& input, const CaseResult& result, int climate_days) {
  ModelYear year;
  year.fuel_with_pump_kwh = kwh_from_wh(result.totals.burner_fuel_with_pump_wh);
  year.pilot_off_fuel_kwh = kwh_from_wh(result.totals.pilot_off_energy_wh);
  year.pump_electricity_kwh = result.energies.pump_electricity_kwh;
  year.heating_days = result.totals.heating_days;
  year.climate_days = climate_days;
  const ZeroLoadDay zero_load = zero_load_day(input, start_model(input, design_conditions(input)));
  year.zero_load_burner_kwh = kwh_from_wh(zero_load.burner_fuel_wh);
  year.zero_load_pilot_kwh = kwh_from_wh(zero_load.pilot_fuel_wh);
  return year;
}

YearCost year_cost(const ModelYear& year, const CostInputs& prices) {
  YearCost cost;
  // Every day the model passes over is a day without heat demand, whatever kept it from heating.
  cost.summer_days = std::max(0, year.climate_days - year.heating_days);
  cost.summer_fuel_kwh =
      finite_or_zero(cost.summer_days * (year.zero_load_burner_kwh + year.zero_load_pilot_kwh));
  cost.summer_gas_bill_kwh = finite_or_zero(cost.summer_fuel_kwh * prices.fuel_hhv_ratio);
  cost.pilot_fuel_kwh = finite_or_zero(year.pilot_off_fuel_kwh) +
                        finite_or_zero(cost.summer_days * year.zero_load_pilot_kwh);
  const double fuel_lower_kwh = finite_or_zero(year.fuel_with_pump_kwh) +
                                finite_or_zero(year.pilot_off_fuel_kwh) + cost.summer_fuel_kwh;
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

std::optional<std::string> not_a_climate_year(const FoundClimate& climate) {
  if (!climate.days) {
    return climate.open_fault;
  }
  if (climate.days->fault) {
    return *climate.days->fault;
  }
  const std::vector<ClimateRecord>& records = climate.days->records;
  if (records.size() != kCommonYearDays && records.size() != kLeapYearDays) {
    return "Klimatfilen " + climate.name + " har " + std::to_string(records.size()) + " dygn; " +
           year_rule();
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].day_number != int(i + 1)) {
      return "I klimatfilen " + climate.name + " står dygn " +
             std::to_string(records[i].day_number) + " där dygn " + std::to_string(i + 1) +
             " ska stå; " + year_rule();
    }
  }
  return std::nullopt;
}

namespace {

// The bill of a year already run on a climate known to be a whole year.
std::variant<YearCost, std::string> cost_of_run(const BoilerCase& input, const CaseResult& result,
                                                const FoundClimate& climate,
                                                const CostInputs& prices) {
  if (result.status == CaseStatus::error) {
    return result.message;
  }
  try {
    const auto days = static_cast<int>(climate.days->records.size());
    return year_cost(model_year(input, result, days), prices);
  } catch (const ModelInputError& refusal) {
    return std::string(refusal.what());
  }
}

}  // namespace

std::variant<YearCost, std::string> billed_year(const BoilerCase& input, const CaseResult& result,
                                                const FoundClimate& climate,
                                                const CostInputs& prices) {
  if (std::optional<std::string> fault = not_a_climate_year(climate)) {
    return std::move(*fault);
  }
  return cost_of_run(input, result, climate, prices);
}

std::variant<YearCost, std::string> case_cost(const BoilerCase& input, const FoundClimate& climate,
                                              const CostInputs& prices) {
  // Checked before the year is run: no year is run for a climate that cannot be billed.
  if (std::optional<std::string> fault = not_a_climate_year(climate)) {
    return std::move(*fault);
  }
  return cost_of_run(input, run_case(input, climate), climate, prices);
}

double most_burnable_gas_kwh(const BoilerCase& input, int climate_days, const CostInputs& prices) {
  const double power_w =
      std::max(double(input.burner.max_power_w()), double(input.combustion.pilot_power_w));
  return finite_or_zero(power_w * double(kHoursPerDay) * climate_days / double(kWhPerKwh) *
                        prices.fuel_hhv_ratio);
}

}  // namespace varmkalk::core
