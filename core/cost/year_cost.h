// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// The facts of the model's year the gas bill needs.
struct ModelYear {
  double fuel_with_pump_kwh = 0.0;  // lower heating value, the pump's heat credited
  double pump_electricity_kwh = 0.0;
  int heating_days = 0;
  int climate_days = 0;                           // the climate year's days, 365 or 366
  std::optional<double> efficiency_without_pump;  // a fraction; empty: no heating day
};

// The model's year as the engine reports it on a climate of `climate_days` days.
ModelYear model_year(const CaseResult& result, int climate_days);

// The year on the gas bill's terms: all 365 (366) days, gas on the upper heating value, kronor
// and kilograms of CO2. Every figure is finite.
struct YearCost {
  int summer_days = 0;  // days of the climate year the model counts no heating on
  // Their hot water and hot-water heater loss as fuel (lower heating value), estimated at the
  // year's efficiency without the pump; empty where the year gives no efficiency to use.
  std::optional<double> summer_fuel_kwh;
  std::optional<double> summer_gas_bill_kwh;  // the same on the bill's basis, part of the year's
  double gas_bill_kwh = 0.0;                  // upper heating value, the whole year
  double sek_per_fuel_kwh = 0.0;  // what a kWh of the model's fuel (lower heating value) costs
  double gas_m3 = 0.0;            // normal m³
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

YearCost year_cost(const BoilerCase& input, const ModelYear& year, const CostInputs& prices);

// The case's year on its climate, run in memory, on the bill's terms; empty when the model
// refused the case or the climate could not be read.
std::optional<YearCost> case_cost(const BoilerCase& input, const FoundClimate& climate,
                                  const CostInputs& prices);

}  // namespace varmkalk::core
