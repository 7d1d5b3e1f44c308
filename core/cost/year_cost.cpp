// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cost/year_cost.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/case/units.h"
#include "core/generators/gas_boiler.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

constexpr std::size_t kCommonYearDays = 365;
constexpr std::size_t kLeapYearDays = 366;

double finite_or_zero(double value) {
  return std::isfinite(value) ? value : 0.0;
}

std::string year_rule() {
  return "årets gas räknas bara på ett helt år, 365 eller 366 dygn numrerade 1, 2, 3 … i ordning";
}

}  // namespace

YearCost year_cost(const GeneratorYear& year, const CostInputs& prices) {
  YearCost cost;
  cost.summer_days = year.idle_days;
  cost.summer_fuel_kwh = year.idle_gas_kwh;
  if (year.gas_kwh) {
    cost.summer_gas_bill_kwh = finite_or_zero(cost.summer_fuel_kwh * prices.fuel_hhv_ratio);
    cost.gas_bill_kwh = finite_or_zero(*year.gas_kwh * prices.fuel_hhv_ratio);
    cost.gas_m3 = prices.gas_kwh_per_m3 > 0.0
                      ? finite_or_zero(cost.gas_bill_kwh / prices.gas_kwh_per_m3)
                      : 0.0;
    cost.gas_cost_sek = finite_or_zero(cost.gas_bill_kwh * prices.gas_price_sek_per_kwh);
    cost.sek_per_fuel_kwh = finite_or_zero(prices.fuel_hhv_ratio * prices.gas_price_sek_per_kwh);
    cost.fixed_fee_sek = finite_or_zero(prices.fixed_fee_sek);
    cost.gas_co2_kg = finite_or_zero(cost.gas_bill_kwh * prices.gas_co2_kg_per_kwh);
  }
  cost.electricity_kwh = finite_or_zero(year.electricity_kwh);
  cost.electricity_cost_sek =
      finite_or_zero(cost.electricity_kwh * prices.electricity_price_sek_per_kwh);
  cost.total_cost_sek = cost.gas_cost_sek + cost.fixed_fee_sek + cost.electricity_cost_sek;
  cost.electricity_co2_kg =
      finite_or_zero(cost.electricity_kwh * prices.electricity_co2_kg_per_kwh);
  cost.co2_kg = cost.gas_co2_kg + cost.electricity_co2_kg;
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
    return year_cost(gas_boiler_year(input, result, days).year, prices);
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

CostedCase case_cost(const BoilerCase& input, const FoundClimate& climate,
                     const CostInputs& prices) {
  CostedCase costed;
  costed.result = run_case(input, climate);
  costed.cost = billed_year(input, costed.result, climate, prices);
  return costed;
}

double most_burnable_gas_kwh(const BoilerCase& input, int climate_days, const CostInputs& prices) {
  const double power_w =
      std::max(double(input.burner.max_power_w()), double(input.combustion.pilot_power_w));
  return finite_or_zero(power_w * double(kHoursPerDay) * climate_days / double(kWhPerKwh) *
                        prices.fuel_hhv_ratio);
}

}  // namespace varmkalk::core
