// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/cost/year_cost.h"
#include "core/run/case_run.h"

namespace varmkalk::core {

// The house fitted to its gas meter: the design heat demand at which the model's year on the
// metered climate uses, on the bill's basis, the metered gas.
struct MeterFit {
  float design_heat_demand_w = 0.0f;
  CaseResult result;  // the year at that demand, as the engine reports it
  YearCost cost;      // the same year on the bill's terms; its gas_bill_kwh is the fitted use
  // What one more kW of design demand adds to the year's gas on the bill's basis, kWh.
  double gas_kwh_per_kw = 0.0;
  // Days on which the burner at full power cannot meet the fitted house's demand, and the
  // largest shortfall on them, W. A modulating burner that falls short below its full power
  // only follows its part-load estimate; those days are not counted.
  int full_power_shortfall_days = 0;
  float largest_full_power_shortfall_w = 0.0f;
  int evaluations = 0;  // years run
};

enum class MeterFitFault {
  not_a_reading,     // the metered use is no finite number above 0
  below_base,        // hot water and standing losses alone take more gas than the meter shows
  beyond_any_house,  // more than the burner can burn, or than even 10 MW of design demand uses
  in_a_step,         // the year's gas leaps past the meter between neighbouring demands
  model_refused,     // the model or the climate refused the case, or the climate is no year
};

struct MeterFitRefusal {
  MeterFitFault fault = MeterFitFault::model_refused;
  std::string message;  // Swedish, one line
  // The gas at the end of the demands that could be reached: below_base the least, at a demand
  // near 0; beyond_any_house the most; in_a_step the nearest; kWh on the bill's basis. 0 for the
  // other faults.
  double limit_gas_kwh = 0.0;

  friend bool operator==(const MeterFitRefusal&, const MeterFitRefusal&) = default;
};

// The design heat demand of `input` (every other input as it stands) at which its year on
// `climate`, on the bill's basis with `prices`, uses `metered_gas_kwh`. The year's gas rises
// steadily with the design demand, so the search brackets the meter and narrows the bracket
// to within a hundredth of a kWh or to neighbouring demands of the case's precision. A fit is
// given only within 1 kWh of the meter.
std::variant<MeterFit, MeterFitRefusal> fit_to_meter(const BoilerCase& input,
                                                     const FoundClimate& climate,
                                                     const CostInputs& prices,
                                                     double metered_gas_kwh);

// The design demand of the same house under another climate: its heat-loss coefficient
// H = Q / (T_in − 5 K − DUT) kept, Q taken at the other climate's design outdoor temperature.
// Empty where either climate leaves no span for the demand line.
std::optional<float> carried_design_demand_w(const BoilerCase& house, const ClimateChoice& to);

}  // namespace varmkalk::core
