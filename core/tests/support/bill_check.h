// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/case/units.h"
#include "core/cost/year_cost.h"
#include "core/generators/gas_boiler.h"
#include "core/model/standing_losses.h"
#include "core/run/case_run.h"
#include "core/text/number_text.h"

namespace varmkalk::testing {

// The year on the bill's terms as the design demand of one house rises.
// - A bigger house never takes less gas than a smaller one beyond the model's balance of each day
//   (±0.1 %).
// - No fuel turns into more heat than its upper heating value: the bill and the pump's heat the
//   model credits on heating days together cover the hot water and the heater's loss of every day
//   of the climate year, however few days need heating. A fault where they do not.
// - The bill alone covers the hot water, the heater's loss and the pilot flame's off-time fuel on
//   its basis, except where the model's free heat (the pump's on heating days, the pilot flame's
//   beyond the standby loss) does part of it: counted, not a fault.
struct BillCheck {
  static constexpr float kDemandsW[] = {1.0f, 10.0f, 100.0f, 300.0f, 1000.0f, 3000.0f};
  static constexpr double kMostFallShare = 1.0e-3;

  int houses = 0;
  int refused_houses = 0;  // refused by the model at their own demand: not checked
  int years = 0;
  int years_without_heating = 0;
  int years_below_the_listed_sum = 0;  // the bill below hot water, heater loss and pilot fuel
  double largest_fall_share = 0.0;     // of the bill between neighbouring demands
  double least_heat_margin_kwh = 0.0;  // of the bill and the pump's heat over the heat, any year
  std::vector<std::string> faults;

  // Every demand of kDemandsW and the house's own, in rising order. A house the model refuses at
  // its own demand is counted apart; one it refuses at another demand is a fault.
  void check(const std::string& name, const core::BoilerCase& house,
             const core::FoundClimate& climate, const core::CostInputs& prices) {
    if (core::case_cost(house, climate, prices).cost.index() != 0) {
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
      const core::CostedCase costed = core::case_cost(input, climate, prices);
      const core::CaseResult& result = costed.result;
      const auto& billed = costed.cost;
      const std::string where = name + " vid " + core::shortest_text(demands[i]) + " W";
      if (const auto* why = std::get_if<std::string>(&billed)) {
        faults.push_back(where + ": " + *why);
        return;
      }
      const core::YearCost& cost = std::get<core::YearCost>(billed);
      ++years;
      years_without_heating += result.totals.heating_days == 0 ? 1 : 0;
      const double hours = double(climate.days->records.size()) * double(core::kHoursPerDay);
      const double heat_kwh =
          double(core::hot_water_load(input) + input.hot_water.heater_loss_w) * hours / 1000.0;
      const double pump_heat_kwh = double(core::pump_heat(input)) *
                                   double(result.totals.heating_days) * double(core::kHoursPerDay) /
                                   1000.0;
      const double heat_margin_kwh = cost.gas_bill_kwh + pump_heat_kwh - heat_kwh;
      least_heat_margin_kwh =
          years == 1 ? heat_margin_kwh : std::min(least_heat_margin_kwh, heat_margin_kwh);
      if (heat_margin_kwh < 0.0) {
        faults.push_back(where + ": räkningen " + core::shortest_text(float(cost.gas_bill_kwh)) +
                         " kWh och pumpens värme " + core::shortest_text(float(pump_heat_kwh)) +
                         " kWh under varmvattnet och beredarförlusten " +
                         core::shortest_text(float(heat_kwh)) + " kWh");
      }
      const double pilot_gas_kwh =
          core::gas_boiler_year(input, result, int(climate.days->records.size())).pilot_gas_kwh;
      if (cost.gas_bill_kwh < heat_kwh + pilot_gas_kwh * prices.fuel_hhv_ratio) {
        ++years_below_the_listed_sum;
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
