// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

// The year's sums over the heating days. Energies in Wh, 32-bit like the rest of the model.
struct AnnualTotals {
  float net_energy_wh = 0.0f;
  float gross_energy_with_pump_wh = 0.0f;
  float gross_energy_without_pump_wh = 0.0f;
  float convection_energy_wh = 0.0f;
  float standby_energy_wh = 0.0f;
  // The pilot flame's fuel while the burner is off, P_pilot·(1 − τ)·24 h with the pump's run
  // time: the gross energy leaves it out. The engine's files do not hold it.
  float pilot_off_energy_wh = 0.0f;
  float flue_gas_energy_wh = 0.0f;
  // The burner's fuel, the pump's heat credited, as a gas meter can see it: the gross energy, but
  // a day the burner cannot meet at the most it burns, its power all day. The engine's files keep
  // the gross energy.
  float burner_fuel_with_pump_wh = 0.0f;
  int heating_days = 0;

  // Days on which the boiler could not meet the demand even running all day (either variant),
  // and the largest such shortfall, in W and as a fraction of that day's demand.
  int unmet_days = 0;
  float largest_shortfall_w = 0.0f;
  float largest_shortfall_share = 0.0f;
  // Of the unmet days, those on which only the model's part-load rule of a modulating burner
  // fell short, its maximum power not reached (see day_shortfall). The engine's files do not
  // hold it.
  int part_load_days = 0;
};

}  // namespace varmkalk::core
