// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/model/annual_totals.h"

namespace varmkalk::core {

// The year's energies as the summary report shows them, in kWh before it rounds them to whole
// kWh. The pilot flame and the pump count as running through every hour of every heating day.
struct SummaryEnergies {
  float net_energy_kwh = 0.0f;
  float gross_energy_kwh = 0.0f;
  float gross_energy_without_pump_kwh = 0.0f;
  float convection_energy_kwh = 0.0f;
  float standby_energy_kwh = 0.0f;
  float flue_gas_energy_kwh = 0.0f;
  float pilot_energy_kwh = 0.0f;
  float pump_electricity_kwh = 0.0f;
};

SummaryEnergies summary_energies(const BoilerCase& input, const AnnualTotals& totals);

}  // namespace varmkalk::core
