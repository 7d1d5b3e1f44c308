// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_energies.h"

#include "core/case/units.h"
namespace varmkalk::core {
namespace {}  // namespace

SummaryEnergies summary_energies(const BoilerCase& input, const AnnualTotals& totals) {
  const auto heating_hours = static_cast<float>(totals.heating_days) * kHoursPerDay;
  SummaryEnergies energies;
  energies.net_energy_kwh = totals.net_energy_wh / kWhPerKwh;
  energies.gross_energy_kwh = totals.gross_energy_with_pump_wh / kWhPerKwh;
  energies.gross_energy_without_pump_kwh = totals.gross_energy_without_pump_wh / kWhPerKwh;
  energies.convection_energy_kwh = totals.convection_energy_wh / kWhPerKwh;
  energies.standby_energy_kwh = totals.standby_energy_wh / kWhPerKwh;
  energies.flue_gas_energy_kwh = totals.flue_gas_energy_wh / kWhPerKwh;
  energies.pilot_energy_kwh = heating_hours * input.combustion.pilot_power_w / kWhPerKwh;
  energies.pump_electricity_kwh = heating_hours * input.pump.power_w / kWhPerKwh;
  return energies;
}

}  // namespace varmkalk::core
