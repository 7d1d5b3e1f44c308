// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/cost/year_cost.h"
#include "core/model/standing_losses.h"
#include "core/run/case_run.h"
#include "core/text/number_text.h"

namespace varmkalk::testing {

// The year on the bill's terms as the design demand of one house rises. A bigger house never takes
// less gas than a smaller one beyond the model's balance of each day (±0.1 %), and no year's gas
// on the bill's upper heating value is less than its hot water and the heater's loss over every
// day of the climate year, however few days need heating, and the pilot flame's off-time fuel.
struct BillCheck {
  static constexpr float kDemandsW[] = {1.0f, 10.0f, 100.0f, 300.0f, 1000.0f, 3000.0f};
  static constexpr double kMostFallShare = 1.0e-3;

  int houses = 0;
  int refused_houses = 0;  // refused by the model at their own demand: not checked
  int years = 0;
  int years_without_heating = 0;
  double largest_fall_share = 0.0;  // of the bill between neighbouring demands, 0 where it rises
  double least_margin_kwh = 0.0;    // of the bill over its lower bound, over every year
  std::vector<std::string> faults;

  // Every demand of kDemandsW and the house's own, in rising order. A house the model refuses at
  // its own demand is counted apart; one it refuses at another demand is a fault.
  void check(const std::string& name, const core::BoilerCase& house,
             const core::FoundClimate& climate, const core::CostInputs& prices) {
    if (core::case_cost(house, climate, prices).index() != 0) {
      ++refused_houses;
      return;
    }
    ++houses;
    std::vector<float> demands(std::begin(kDemandsW), std::end(kDemandsW));
    demands.push_back(house.building.design_heat_demand_w);
    std::sort(demands.begin(), demands.end());
    double previous_kwh = 0.0;
    for (std::size_t i = 0; i < demands.size(); ++i) {
      core::BoilerCase input = house;
      input.building.design_heat_demand_w = demands[i];
      const core::CaseResult result = core::run_case(input, climate);
      const auto billed = core::billed_year(input, result, climate, prices);
      const std::string where = name + " vid " + core::shortest_text(demands[i]) + " W";
      if (const auto* why = std::get_if<std::string>(&billed)) {
        faults.push_back(where + ": " + *why);
        return;
      }
      const core::YearCost& cost = std::get<core::YearCost>(billed);
      ++years;
      years_without_heating += result.totals.heating_days == 0 ? 1 : 0;
      const auto days = static_cast<double>(climate.days->records.size());
      const double hours = days * 24.0;
      // Heat against fuel on the upper heating value, which no boiler turns into more heat: a
      // condensing boiler can beat the lower one.
      const double least_kwh = double(core::hot_water_load(input)) * hours / 1000.0 +
                               double(input.hot_water.heater_loss_w) * hours / 1000.0 +
                               cost.pilot_fuel_kwh * prices.fuel_hhv_ratio;
      const double margin_kwh = cost.gas_bill_kwh - least_kwh;
      least_margin_kwh = years == 1 ? margin_kwh : std::min(least_margin_kwh, margin_kwh);
      if (margin_kwh < 0.0) {
        faults.push_back(where + ": räkningen " + core::shortest_text(float(cost.gas_bill_kwh)) +
                         " kWh under varmvatten, beredarförlust och pilotlåga " +
                         core::shortest_text(float(least_kwh)) + " kWh");
      }
      if (i > 0 && previous_kwh > 0.0) {
        const double fall_share = (previous_kwh - cost.gas_bill_kwh) / previous_kwh;
        largest_fall_share = std::max(largest_fall_share, fall_share);
        if (fall_share > kMostFallShare) {
          faults.push_back(where + ": räkningen faller från " +
                           core::shortest_text(float(previous_kwh)) + " till " +
                           core::shortest_text(float(cost.gas_bill_kwh)) + " kWh");
        }
      }
      previous_kwh = cost.gas_bill_kwh;
    }
  }
};

}  // namespace varmkalk::testing
