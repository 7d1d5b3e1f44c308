#pragma once

#include <optional>

namespace kalvex {

// The year's sums over the heating days. Energies in Wh, 32-bit like the rest of the model.
struct AnnualTotals {
  float net_energy = 0.0f;
  float gross_energy_with_pump = 0.0f;
  float gross_energy_without_pump = 0.0f;
  float convection_energy = 0.0f;
  float standby_energy = 0.0f;
  float flue_gas_energy = 0.0f;
  int heating_days = 0;

  // Per cent; empty when the year had no heating day (0 / 0).
  std::optional<float> annual_efficiency;
  std::optional<float> annual_efficiency_without_pump;

  // Days on which the boiler could not meet the demand even running all day (either variant),
  // and the largest such shortfall, in W and as a fraction of that day's demand.
  int unmet_days = 0;
  float largest_shortfall = 0.0f;
  float largest_shortfall_share = 0.0f;
};

}  // namespace kalvex
