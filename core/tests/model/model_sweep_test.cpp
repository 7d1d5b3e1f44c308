// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/control_file.h"
#include "core/model/annual_sums.h"
#include "core/model/day_model.h"
#include "core/model/start_model.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// A value for a field of the control file, or for one of the design conditions.
struct OddValue {
  std::string_view field;
  float value;
};

void apply(const OddValue& odd, BoilerCase& input, DesignConditions& design) {
  if (odd.field == "design_outdoor_temp") {
    design.outdoor_temp_c = odd.value;
  } else if (odd.field == "design_supply_temp") {
    design.supply_temp_c = odd.value;
  } else if (odd.field == "design_return_temp") {
    design.return_temp_c = odd.value;
  } else {
    for (const ControlLine& line : kControlLines) {
      if (line.field == odd.field) {
        line.set_number(input, odd.value);
      }
    }
  }
}
// One odd input: one value, or several that only together break the arithmetic.
using OddInput = std::vector<OddValue>;

bool finite_day(const DayBalance& d) {
  for (const float v :
       {d.outdoor_temp, d.supply_temp, d.return_temp, d.heat_demand, d.hot_water_load,
        d.convection_loss, d.standby_loss, d.flue_gas_temp, d.combustion_eff, d.burner_power,
        d.flue_gas_loss, d.with_pump.run_time, d.with_pump.day_efficiency, d.with_pump.shortfall,
        d.without_pump.run_time, d.without_pump.day_efficiency, d.without_pump.shortfall}) {
    if (!std::isfinite(v)) {
      return false;
    }
  }
  return d.with_pump.run_time >= 0.0f && d.with_pump.run_time <= 1.0f &&
         d.without_pump.run_time >= 0.0f && d.without_pump.run_time <= 1.0f;
}

bool finite_totals(const AnnualTotals& t) {
  for (const float v : {t.net_energy_wh, t.gross_energy_with_pump_wh,
                        t.gross_energy_without_pump_wh, t.convection_energy_wh, t.standby_energy_wh,
                        t.flue_gas_energy_wh, t.largest_shortfall_w, t.largest_shortfall_share}) {
    if (!std::isfinite(v)) {
      return false;
    }
  }
  for (const PumpCredit credit : {PumpCredit::with_pump, PumpCredit::without_pump}) {
    const std::optional<float> efficiency = annual_efficiency_percent(t, credit);
    if (efficiency && !std::isfinite(*efficiency)) {
      return false;
    }
  }
  return true;
}

// Each value alone, on a single-stage and on a modulating burner: values that break a
// division, a logarithm, a power or a search (zero, negative, equal to the value they are
// subtracted from, NaN, infinite) and merely odd ones (tiny, large, beyond the usual range).
std::vector<OddInput> odd_inputs() {
  const float nan = std::nanf("");
  std::vector<OddInput> inputs;
  const auto add = [&inputs](std::string_view field, std::initializer_list<float> list) {
    for (const float v : list) {
      inputs.push_back({{field, v}});
    }
  };
  for (std::string_view field :
       {"convection_constant", "standby_constant",    "burner_max_power",   "burner_min_power",
        "air_ratio",           "pilot_power",         "flue_gas_temp_1",    "return_temp_1",
        "flue_gas_temp_2",     "return_temp_2",       "pump_power",         "pump_efficiency",
        "design_heat_demand",  "indoor_temp",         "min_return_temp",    "hot_water_demand",
        "heater_loss",         "design_outdoor_temp", "design_supply_temp", "design_return_temp"}) {
    add(field, {0.0f, -1.0f, -1000.0f, 1e-6f, 1e6f, nan, kInf, -kInf});
  }
  // An exponent is odd long before it is large: a million overflows every loss above 1 K.
  add("standby_exponent", {0.0f, -1.0f, -2.0f, -10.0f, 1e-6f, 0.5f, 3.0f, 10.0f, nan, kInf, -kInf});
  add("burner_max_power", {3000.0f, 4000.0f, 100.0f});
  add("burner_min_power", {14999.0f, 20000.0f, 1.0f, 100.0f});
  add("air_ratio", {0.999f, 1.0f, 2.2f, 2.3f, 2.4f, 2.5f, 10.0f});
  add("pilot_power", {150.0f, 15000.0f, 20000.0f, 1e-30f});
  add("flue_gas_temp_1", {80.0f, 30.0f, -500.0f, 5000.0f});
  add("return_temp_1", {60.0f, 59.999f, 80.0f});
  add("flue_gas_temp_2", {60.0f, 59.0f, 80.0f, 2000.0f});
  add("return_temp_2", {30.0f, 80.0f, 1776.0f, 2000.0f});
  add("pump_power", {1e5f});
  add("pump_efficiency", {75.0f, 100.0f});
  add("design_heat_demand", {1e-30f, 1.0f});
  add("indoor_temp", {44.99f, 45.0f, 18.0f, 15.0f, -8.999f, -9.0f, -10.0f, 100.0f, 130.0f});
  add("min_return_temp", {20.0f, 65.0f, 200.0f, -300.0f});
  add("hot_water_demand", {1.0f, 1e5f});
  add("heater_loss", {1e5f});
  add("design_outdoor_temp", {14.999f, 15.0f, 16.0f, -100.0f});
  add("design_supply_temp", {45.0f, 45.001f, 20.0f});
  add("design_return_temp", {55.0f, 20.0f, 20.001f});
  // Combinations: a constant-temperature boiler; free heat above the demand, with and without
  // a pilot flame; days without demand and without hot water; a burner far too small.
  inputs.push_back({{"return_temp_1", 60.0f}, {"flue_gas_temp_1", 80.0f}});
  inputs.push_back({{"convection_constant", 0.0f},
                    {"standby_constant", 0.0f},
                    {"heater_loss", 0.0f},
                    {"hot_water_demand", 100.0f},
                    {"pump_efficiency", 100.0f},
                    {"pump_power", 500.0f}});
  inputs.push_back({{"convection_constant", 0.0f},
                    {"standby_constant", 0.0f},
                    {"heater_loss", 0.0f},
                    {"hot_water_demand", 100.0f},
                    {"pump_efficiency", 100.0f},
                    {"pump_power", 500.0f},
                    {"pilot_power", 150.0f}});
  inputs.push_back({{"indoor_temp", 15.0f}, {"hot_water_demand", 0.0f}});
  inputs.push_back({{"burner_min_power", 1.0f}, {"burner_max_power", 2.0f}});
  inputs.push_back({{"indoor_temp", 44.0f}, {"min_return_temp", 20.0f}});
  return inputs;
}

TEST(ModelSweep, OddInputIsRefusedAtStartOrGivesOnlyFiniteDays) {
  int refused = 0;
  int runs = 0;
  for (const BoilerCase& base : {testing::worked_example(), testing::modulating_example()}) {
    for (const OddInput& odd : odd_inputs()) {
      BoilerCase run = base;
      DesignConditions design = testing::worked_design();
      for (const OddValue& v : odd) {
        apply(v, run, design);
      }
      ModelConstants constants;
      try {
        constants = start_model(run, design);
      } catch (const ModelInputError&) {
        ++refused;
        continue;
      }
      ++runs;
      AnnualTotals totals;
      for (int tenth = -400; tenth <= 160; tenth += 3) {
        const float outdoor_temp = static_cast<float>(tenth) / 10.0f;
        const std::optional<DayBalance> day =
            simulate_day(run, constants, ClimateRecord{tenth, outdoor_temp});
        if (day) {
          ASSERT_TRUE(finite_day(*day))
              << "odd input " << odd.front().value << " at " << outdoor_temp;
          record_day(totals, *day);
        }
      }
      ASSERT_TRUE(finite_totals(totals)) << "odd input " << odd.front().value;
    }
  }
  // Both kinds occur: the sweep reaches the guards and the days behind them.
  EXPECT_GT(refused, 50);
  EXPECT_GT(runs, 100);
}

TEST(ModelSweep, ValuesBeyondThe32BitRangeEndTheRunNamingTheDay) {
  // So large a loss constant or exponent that the day's loss overflows: the day is refused with
  // its number instead of carrying an infinite value.
  for (const OddValue& c :
       {OddValue{"convection_constant", 3e38f}, OddValue{"standby_exponent", 1e6f}}) {
    BoilerCase run = testing::worked_example();
    DesignConditions design = testing::worked_design();
    apply(c, run, design);
    const ModelConstants constants = start_model(run, design_conditions(run));
    try {
      simulate_day(run, constants, ClimateRecord{42, -10.0f});
      ADD_FAILURE() << "no error for " << c.value;
    } catch (const ModelInputError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Dag 42 med utetemperaturen -10 °C ger inget ändligt värde; indata ligger utanför "
                "modellens giltighetsområde");
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
