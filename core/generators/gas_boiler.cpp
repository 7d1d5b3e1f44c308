// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generators/gas_boiler.h"

#include <algorithm>
#include <cmath>

#include "core/case/units.h"
#include "core/model/day_model.h"
#include "core/model/start_model.h"

namespace varmkalk::core {
namespace {

double finite_or_zero(double value) {
  return std::isfinite(value) ? value : 0.0;
}

double kwh_from_wh(float wh) {
  return double(wh) / double(kWhPerKwh);
}

}  // namespace

BoilerYearFacts boiler_year_facts(const BoilerCase& input, const CaseResult& result,
                                  int climate_days) {
  BoilerYearFacts facts;
  facts.fuel_with_pump_kwh = kwh_from_wh(result.totals.burner_fuel_with_pump_wh);
  facts.pilot_off_fuel_kwh = kwh_from_wh(result.totals.pilot_off_energy_wh);
  facts.pump_electricity_kwh = result.energies.pump_electricity_kwh;
  facts.net_energy_kwh = result.energies.net_energy_kwh;
  facts.heating_days = result.totals.heating_days;
  facts.shortfall_days = result.totals.unmet_days;
  facts.climate_days = climate_days;
  const ModelConstants constants = start_model(input, design_conditions(input));
  const ZeroLoadDay zero_load = zero_load_day(input, constants);
  facts.zero_load_burner_kwh = kwh_from_wh(zero_load.burner_fuel_wh);
  facts.zero_load_pilot_kwh = kwh_from_wh(zero_load.pilot_fuel_wh);
  facts.zero_load_heat_kwh = kwh_from_wh(constants.hot_water_load * kHoursPerDay);
  if (result.efficiency_percent) {
    facts.annual_efficiency = fraction_from_percent(double(*result.efficiency_percent));
  }
  return facts;
}

GasBoilerYear gas_boiler_year(const BoilerYearFacts& facts) {
  GasBoilerYear boiler;
  GeneratorYear& year = boiler.year;
  year.heating_days = facts.heating_days;
  year.shortfall_days = facts.shortfall_days;
  year.climate_days = facts.climate_days;
  // Every day the model passes over is a day without heat demand, whatever kept it from heating.
  year.idle_days = std::max(0, facts.climate_days - facts.heating_days);
  year.idle_gas_kwh =
      finite_or_zero(year.idle_days * (facts.zero_load_burner_kwh + facts.zero_load_pilot_kwh));
  const double pilot_off_kwh = finite_or_zero(facts.pilot_off_fuel_kwh);
  year.gas_kwh = finite_or_zero(facts.fuel_with_pump_kwh) + pilot_off_kwh + year.idle_gas_kwh;
  year.electricity_kwh = finite_or_zero(facts.pump_electricity_kwh);
  year.heat_delivered_kwh = finite_or_zero(facts.net_energy_kwh) +
                            finite_or_zero(year.idle_days * facts.zero_load_heat_kwh);
  if (facts.annual_efficiency) {
    year.seasonal_figure = finite_or_zero(*facts.annual_efficiency);
  }
  boiler.pilot_gas_kwh = pilot_off_kwh + finite_or_zero(year.idle_days * facts.zero_load_pilot_kwh);
  return boiler;
}

GasBoilerYear gas_boiler_year(const BoilerCase& input, const CaseResult& result, int climate_days) {
  return gas_boiler_year(boiler_year_facts(input, result, climate_days));
}

}  // namespace varmkalk::core
