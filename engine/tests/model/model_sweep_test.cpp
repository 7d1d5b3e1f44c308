#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model.h"
#include "worked_example.h"

namespace kalvex {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();

struct OddValue {
  float RunParameters::*field;
  float value;
};
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
  for (const float v :
       {t.net_energy, t.gross_energy_with_pump, t.gross_energy_without_pump, t.convection_energy,
        t.standby_energy, t.flue_gas_energy, t.largest_shortfall, t.largest_shortfall_share}) {
    if (!std::isfinite(v)) {
      return false;
    }
  }
  return (!t.annual_efficiency || std::isfinite(*t.annual_efficiency)) &&
         (!t.annual_efficiency_without_pump || std::isfinite(*t.annual_efficiency_without_pump));
}

// Each value alone, on a single-stage and on a modulating burner: values that break a
// division, a logarithm, a power or a search (zero, negative, equal to the value they are
// subtracted from, NaN, infinite) and merely odd ones (tiny, large, beyond the usual range).
std::vector<OddInput> odd_inputs() {
  using R = RunParameters;
  const float nan = std::nanf("");
  std::vector<OddInput> inputs;
  const auto add = [&inputs](float R::*field, std::initializer_list<float> list) {
    for (const float v : list) {
      inputs.push_back({{field, v}});
    }
  };
  for (float R::*field : {&R::convection_constant, &R::standby_constant,  &R::burner_max_power,
                          &R::burner_min_power,    &R::air_ratio,         &R::pilot_power,
                          &R::flue_gas_temp_1,     &R::return_temp_1,     &R::flue_gas_temp_2,
                          &R::return_temp_2,       &R::pump_power,        &R::pump_efficiency,
                          &R::design_heat_demand,  &R::indoor_temp,       &R::min_return_temp,
                          &R::hot_water_demand,    &R::heater_loss,       &R::design_outdoor_temp,
                          &R::design_supply_temp,  &R::design_return_temp}) {
    add(field, {0.0f, -1.0f, -1000.0f, 1e-6f, 1e6f, nan, inf, -inf});
  }
  // An exponent is odd long before it is large: a million overflows every loss above 1 K.
  add(&R::standby_exponent, {0.0f, -1.0f, -2.0f, -10.0f, 1e-6f, 0.5f, 3.0f, 10.0f, nan, inf, -inf});
  add(&R::burner_max_power, {3000.0f, 4000.0f, 100.0f});
  add(&R::burner_min_power, {14999.0f, 20000.0f, 1.0f, 100.0f});
  add(&R::air_ratio, {0.999f, 1.0f, 2.2f, 2.3f, 2.4f, 2.5f, 10.0f});
  add(&R::pilot_power, {150.0f, 15000.0f, 20000.0f, 1e-30f});
  add(&R::flue_gas_temp_1, {80.0f, 30.0f, -500.0f, 5000.0f});
  add(&R::return_temp_1, {60.0f, 59.999f, 80.0f});
  add(&R::flue_gas_temp_2, {60.0f, 59.0f, 80.0f, 2000.0f});
  add(&R::return_temp_2, {30.0f, 80.0f, 1776.0f, 2000.0f});
  add(&R::pump_power, {1e5f});
  add(&R::pump_efficiency, {75.0f, 100.0f});
  add(&R::design_heat_demand, {1e-30f, 1.0f});
  add(&R::indoor_temp, {44.99f, 45.0f, 18.0f, 15.0f, -8.999f, -9.0f, -10.0f, 100.0f, 130.0f});
  add(&R::min_return_temp, {20.0f, 65.0f, 200.0f, -300.0f});
  add(&R::hot_water_demand, {1.0f, 1e5f});
  add(&R::heater_loss, {1e5f});
  add(&R::design_outdoor_temp, {14.999f, 15.0f, 16.0f, -100.0f});
  add(&R::design_supply_temp, {45.0f, 45.001f, 20.0f});
  add(&R::design_return_temp, {55.0f, 20.0f, 20.001f});
  // Combinations: a constant-temperature boiler; free heat above the demand, with and without
  // a pilot flame; days without demand and without hot water; a burner far too small.
  inputs.push_back({{&R::return_temp_1, 60.0f}, {&R::flue_gas_temp_1, 80.0f}});
  inputs.push_back({{&R::convection_constant, 0.0f},
                    {&R::standby_constant, 0.0f},
                    {&R::heater_loss, 0.0f},
                    {&R::hot_water_demand, 100.0f},
                    {&R::pump_efficiency, 100.0f},
                    {&R::pump_power, 500.0f}});
  inputs.push_back({{&R::convection_constant, 0.0f},
                    {&R::standby_constant, 0.0f},
                    {&R::heater_loss, 0.0f},
                    {&R::hot_water_demand, 100.0f},
                    {&R::pump_efficiency, 100.0f},
                    {&R::pump_power, 500.0f},
                    {&R::pilot_power, 150.0f}});
  inputs.push_back({{&R::indoor_temp, 15.0f}, {&R::hot_water_demand, 0.0f}});
  inputs.push_back({{&R::burner_min_power, 1.0f}, {&R::burner_max_power, 2.0f}});
  inputs.push_back({{&R::indoor_temp, 44.0f}, {&R::min_return_temp, 20.0f}});
  return inputs;
}

TEST(ModelSweep, OddInputIsRefusedAtStartOrGivesOnlyFiniteDays) {
  int refused = 0;
  int runs = 0;
  for (const RunParameters& base : {test::worked_example(), test::modulating_example()}) {
    for (const OddInput& odd : odd_inputs()) {
      RunParameters run = base;
      for (const OddValue& v : odd) {
        run.*v.field = v.value;
      }
      ModelConstants constants;
      try {
        constants = start_model(run);
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
      finish_year(totals);
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
  struct Case {
    float RunParameters::*field;
    float value;
  };
  for (const Case c : {Case{&RunParameters::convection_constant, 3e38f},
                       Case{&RunParameters::standby_exponent, 1e6f}}) {
    RunParameters run = test::worked_example();
    run.*c.field = c.value;
    const ModelConstants constants = start_model(run);
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
}  // namespace kalvex
