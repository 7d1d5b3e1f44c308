// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// The facts of the model's year the gas bill needs, fuel on the lower heating value.
struct ModelYear {
  // The heating days' burner fuel, the pump's heat credited; a day the burner cannot meet at its
  // power all day.
  double fuel_with_pump_kwh = 0.0;
  double pilot_off_fuel_kwh = 0.0;  // the heating days' pilot flame while the burner is off
  double pump_electricity_kwh = 0.0;
  int heating_days = 0;
  int climate_days = 0;  // the climate year's days, 365 or 366
  // One day without heat demand (zero_load_day): the burner's fuel and the pilot flame's.
  double zero_load_burner_kwh = 0.0;
  double zero_load_pilot_kwh = 0.0;
};

// The model's year as the engine reports it on a climate of `climate_days` days, with the case's
// day without heat demand. Throws ModelInputError where that day is beyond the model's range.
ModelYear model_year(const BoilerCase& input, const CaseResult& result, int climate_days);

// The year on the gas bill's terms: all 365 (366) days, gas on the upper heating value, kronor
// and kilograms of CO2. Every figure is finite.
struct YearCost {
  int summer_days = 0;  // days of the climate year the model counts no heating on
  // Their fuel (lower heating value): each a day without heat demand, its hot water, the
  // heater's loss and the boiler's own losses, the pilot flame included.
  double summer_fuel_kwh = 0.0;
  double summer_gas_bill_kwh = 0.0;  // the same on the bill's basis, part of the year's
  double pilot_fuel_kwh = 0.0;       // the pilot flame's off-time fuel of every day, lower basis
  double gas_bill_kwh = 0.0;         // upper heating value, the whole year
  double sek_per_fuel_kwh = 0.0;     // what a kWh of the model's fuel (lower heating value) costs
  double gas_m3 = 0.0;               // normal m³
  double gas_cost_sek = 0.0;
  double fixed_fee_sek = 0.0;
  double pump_electricity_kwh = 0.0;
  double pump_cost_sek = 0.0;
  double total_cost_sek = 0.0;
  double gas_co2_kg = 0.0;
  double pump_co2_kg = 0.0;
  double co2_kg = 0.0;

  friend bool operator==(const YearCost&, const YearCost&) = default;
};

YearCost year_cost(const ModelYear& year, const CostInputs& prices);

// Why a climate cannot be billed as a year (Swedish, one line naming the file and what it holds);
// empty for 365 or 366 days numbered 1, 2, 3 … in order. A climate not read at all is named by its
// open fault, one read only in part by the line that ended it.
std::optional<std::string> not_a_climate_year(const FoundClimate& climate);

// The year `result` of the case on `climate` on the bill's terms, or why it has none (Swedish,
// one line): the case refused, the climate no year, its day without heat demand beyond the
// model's range.
std::variant<YearCost, std::string> billed_year(const BoilerCase& input, const CaseResult& result,
                                                const FoundClimate& climate,
                                                const CostInputs& prices);

// The case's year on its climate, run in memory, on the bill's terms; or why it has none.
std::variant<YearCost, std::string> case_cost(const BoilerCase& input, const FoundClimate& climate,
                                              const CostInputs& prices);

// The most gas the burner can burn over `climate_days` days, on the bill's basis: its full power
// all day, every day (the pilot flame's where that is larger).
double most_burnable_gas_kwh(const BoilerCase& input, int climate_days, const CostInputs& prices);

}  // namespace varmkalk::core
