// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/case/boiler_case.h"
#include "core/generators/generator_year.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// What the boiler model's year tells of the gas it burns, fuel on the lower heating value.
struct BoilerYearFacts {
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
  double zero_load_heat_kwh = 0.0;  // the hot water it delivers
  double net_energy_kwh = 0.0;      // the heating days' space heat and hot water
  int shortfall_days = 0;
  std::optional<double> annual_efficiency =
      std::nullopt;  // the engine's, pump credited; a fraction
};

// The facts of the year `result` the engine reports for the case, on a climate of
// `climate_days` days, with the case's day without heat demand. Throws ModelInputError where
// that day is beyond the model's range.
BoilerYearFacts boiler_year_facts(const BoilerCase& input, const CaseResult& result,
                                  int climate_days);

// The gas boiler's year: what every generator reports, and its pilot flame.
struct GasBoilerYear {
  GeneratorYear year;
  double pilot_gas_kwh = 0.0;  // the pilot flame's gas while the burner is off, every day

  friend bool operator==(const GasBoilerYear&, const GasBoilerYear&) = default;
};

// The boiler over the whole climate year: its heating days, and every other day a day without
// heat demand, on which the burner keeps up the hot water, the heater's loss and the boiler's
// own losses. The gas is the heating days' fuel, their pilot flame's while the burner is off and
// that of the days without heat demand; the electricity is the circulation pump's. Every figure
// is finite.
GasBoilerYear gas_boiler_year(const BoilerYearFacts& facts);

// The same from the case and its year.
GasBoilerYear gas_boiler_year(const BoilerCase& input, const CaseResult& result, int climate_days);

}  // namespace varmkalk::core
