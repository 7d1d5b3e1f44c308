// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/generators/generator_year.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// A generator's year on the bill's terms, priced per carrier: the gas lines only where the
// generator buys gas (on the upper heating value, its m³, price and fixed fee), electricity per
// kWh bought; kronor and kilograms of CO2. Every figure is finite.
struct YearCost {
  int summer_days = 0;  // days of the climate year the generator does not heat on
  // Their gas (lower heating value): each a day without heat demand, its hot water, the heater's
  // loss and the generator's own losses.
  double summer_fuel_kwh = 0.0;
  double summer_gas_bill_kwh = 0.0;  // the same on the bill's basis, part of the year's
  double gas_bill_kwh = 0.0;         // upper heating value, the whole year
  double sek_per_fuel_kwh = 0.0;     // what a kWh of the model's fuel (lower heating value) costs
  double gas_m3 = 0.0;               // normal m³
  double gas_cost_sek = 0.0;
  double fixed_fee_sek = 0.0;
  double electricity_kwh = 0.0;
  double electricity_cost_sek = 0.0;
  double total_cost_sek = 0.0;
  double gas_co2_kg = 0.0;
  double electricity_co2_kg = 0.0;
  double co2_kg = 0.0;

  friend bool operator==(const YearCost&, const YearCost&) = default;
};

YearCost year_cost(const GeneratorYear& year, const CostInputs& prices);

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

// A case run and billed: its year as the engine reports it and that year on the bill's terms,
// or why it has none (Swedish, one line).
struct CostedCase {
  CaseResult result;  // as run_case gives it, also where the climate is no year to bill
  std::variant<YearCost, std::string> cost;
};

// The case's year on its climate, run in memory once, and its bill.
CostedCase case_cost(const BoilerCase& input, const FoundClimate& climate,
                     const CostInputs& prices);

// The most gas the burner can burn over `climate_days` days, on the bill's basis: its full power
// all day, every day (the pilot flame's where that is larger).
double most_burnable_gas_kwh(const BoilerCase& input, int climate_days, const CostInputs& prices);

}  // namespace varmkalk::core
