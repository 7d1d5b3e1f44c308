// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_model.h"

#include <gtest/gtest.h>

#include "core/model/start_model.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

std::optional<DayBalance> day_at(const BoilerCase& run, float outdoor_temp) {
  return simulate_day(run, start_model(run, design_conditions(run)),
                      ClimateRecord{17, outdoor_temp});
}

TEST(SimulateDay, WorkedDay) {
  // The worked day of the daily balance at 0 °C, to the digits given there.
  const std::optional<DayBalance> day = day_at(testing::worked_example(), 0.0f);
  ASSERT_TRUE(day.has_value());
  EXPECT_EQ(day->day_number, 17);
  EXPECT_EQ(day->outdoor_temp, 0.0f);
  struct Value {
    const char* name;
    float actual;
    float expected;
    float tolerance;
  };
  for (const Value v : {
           Value{"Q", day->heat_demand, 4137.9f, 0.05f},
           Value{"supply", day->supply_temp, 40.61f, 0.005f},
           Value{"return", day->return_temp, 35.44f, 0.005f},
           Value{"Q_vv", day->hot_water_load, 570.8f, 0.05f},
           Value{"Q_konv", day->convection_loss, 42.91f, 0.005f},
           Value{"Q_sb", day->standby_loss, 37.13f, 0.005f},
           Value{"T_fg", day->flue_gas_temp, 63.62f, 0.005f},
           Value{"eta_c", day->combustion_eff, 0.9792f, 0.00005f},
           Value{"P_b", day->burner_power, 15000.0f, 0.0f},
           Value{"L_fg", day->flue_gas_loss, 312.6f, 0.05f},
           Value{"tau with pump", day->with_pump.run_time, 0.3275f, 0.00005f},
           Value{"eta with pump", day->with_pump.day_efficiency, 0.9592f, 0.00005f},
           Value{"tau without pump", day->without_pump.run_time, 0.3282f, 0.00005f},
           Value{"eta without pump", day->without_pump.day_efficiency, 0.9562f, 0.00005f},
       }) {
    EXPECT_NEAR(v.actual, v.expected, v.tolerance) << v.name;
  }
  EXPECT_EQ(day->with_pump.shortfall, 0.0f);
  EXPECT_EQ(day->without_pump.shortfall, 0.0f);
  // The time-weighted losses of the two daily lines: 24.97 and 102.37 W with the pump, 24.95 and
  // 102.59 W without (two decimals).
  EXPECT_NEAR((1.0f - day->with_pump.run_time) * day->standby_loss, 24.97f, 0.005f);
  EXPECT_NEAR(day->with_pump.run_time * day->flue_gas_loss, 102.37f, 0.005f);
  EXPECT_NEAR((1.0f - day->without_pump.run_time) * day->standby_loss, 24.95f, 0.005f);
  EXPECT_NEAR(day->without_pump.run_time * day->flue_gas_loss, 102.59f, 0.005f);
  // The output meets the demand D = Q + Q_vv within ±0.1 %.
  const float demand = day->heat_demand + day->hot_water_load;
  for (const VariantBalance& v : {day->with_pump, day->without_pump}) {
    const float output = day->burner_power * v.run_time * v.day_efficiency;
    EXPECT_GE(output, 0.999f * demand);
    EXPECT_LE(output, 1.001f * demand);
  }
}

TEST(SimulateDay, PilotFlameLengthensTheRunAndLowersTheEfficiency) {
  // The worked day with a 150 W pilot flame: τ ≈ 0.3289, η ≈ 95.41 %.
  BoilerCase run = testing::worked_example();
  run.combustion.pilot_power_w = 150.0f;
  const std::optional<DayBalance> day = day_at(run, 0.0f);
  ASSERT_TRUE(day.has_value());
  EXPECT_NEAR(day->with_pump.run_time, 0.3289f, 0.00005f);
  EXPECT_NEAR(day->with_pump.day_efficiency, 0.9541f, 0.00005f);
}

TEST(SimulateDay, HeatingLimitIs14Point95) {
  // 14.9 °C is a heating day (Q = 27.6 W); 14.95 and 15.0 are not.
  const BoilerCase run = testing::worked_example();
  const std::optional<DayBalance> day = day_at(run, 14.9f);
  ASSERT_TRUE(day.has_value());
  EXPECT_NEAR(day->heat_demand, 27.6f, 0.05f);
  EXPECT_FALSE(day_at(run, 14.95f).has_value());
  EXPECT_FALSE(day_at(run, 15.0f).has_value());
  EXPECT_FALSE(day_at(run, 25.0f).has_value());
}

TEST(SimulateDay, DemandIsLinearAndUncappedInTheOutdoorTemperature) {
  const BoilerCase run = testing::worked_example();
  EXPECT_EQ(day_heat_demand(run, testing::worked_design(), -14.0f),
            run.building.design_heat_demand_w);
  const std::optional<DayBalance> design_day = day_at(run, -14.0f);
  ASSERT_TRUE(design_day.has_value());
  // φ = 1 on the 55/45 system: the design temperatures.
  EXPECT_NEAR(design_day->supply_temp, 55.0f, 1e-4f);
  EXPECT_NEAR(design_day->return_temp, 45.0f, 1e-4f);
  const std::optional<DayBalance> colder = day_at(run, -25.0f);
  ASSERT_TRUE(colder.has_value());
  EXPECT_GT(colder->heat_demand, run.building.design_heat_demand_w);
  EXPECT_GT(colder->supply_temp, 55.0f);
}

TEST(SimulateDay, PumpAloneCoversAMildDayWithoutHotWater) {
  // No hot water and a pump giving 45 W (75 %): the 14.9 °C day with Q = 27.6 W is skipped.
  BoilerCase run = testing::worked_example();
  run.hot_water.annual_demand_kwh = 0.0f;
  run.pump.heat_share_percent = 75.0f;
  EXPECT_FALSE(day_at(run, 14.9f).has_value());
  EXPECT_TRUE(day_at(run, 14.0f).has_value());
  // With hot water the same day is computed.
  run.hot_water.annual_demand_kwh = 5000.0f;
  EXPECT_TRUE(day_at(run, 14.9f).has_value());
}

TEST(SimulateDay, WithoutHotWaterTheStandingLossesDominateAMildDay) {
  // Hot water 0, pump heat 15 W, Q = 27.6 W: τ ≈ 0.0057 and η ≈ 32.5 % with the pump.
  BoilerCase run = testing::worked_example();
  run.hot_water.annual_demand_kwh = 0.0f;
  const std::optional<DayBalance> day = day_at(run, 14.9f);
  ASSERT_TRUE(day.has_value());
  EXPECT_NEAR(day->with_pump.run_time, 0.0057f, 0.00005f);
  EXPECT_NEAR(day->with_pump.day_efficiency, 0.325f, 0.0005f);
  EXPECT_EQ(day->hot_water_load, 0.0f);
}

TEST(SimulateDay, ModulatingBurnerRunsNearlyAllDayInsideItsRange) {
  // 4000..15000 W at −14 °C: P_b ≈ 8857 W, τ ≈ 0.9985 with the pump.
  const std::optional<DayBalance> day = day_at(testing::modulating_example(), -14.0f);
  ASSERT_TRUE(day.has_value());
  EXPECT_NEAR(day->burner_power, 8857.0f, 0.5f);
  EXPECT_NEAR(day->with_pump.run_time, 0.9985f, 0.00005f);
  EXPECT_EQ(day->with_pump.shortfall, 0.0f);
}

TEST(SimulateDay, ModulatingBurnerClampsItsEstimateToItsRange) {
  // Mild day: the estimate lies below the minimum, the burner cycles at 4000 W.
  const BoilerCase run = testing::modulating_example();
  const std::optional<DayBalance> mild = day_at(run, 10.0f);
  ASSERT_TRUE(mild.has_value());
  EXPECT_EQ(mild->burner_power, run.burner.min_power_w());
  EXPECT_LT(mild->with_pump.run_time, 1.0f);

  // A burner of 4000..6000 W on the design day (estimate ≈ 8857 W): it runs at its maximum all
  // day and falls short by the demand less its whole day's output.
  BoilerCase small = run;
  small.burner = Burner(6000.0f, small.burner.min_power_w());
  const std::optional<DayBalance> cold = day_at(small, -14.0f);
  ASSERT_TRUE(cold.has_value());
  EXPECT_EQ(cold->burner_power, 6000.0f);
  for (const VariantBalance& v : {cold->with_pump, cold->without_pump}) {
    EXPECT_EQ(v.run_time, 1.0f);
    const float demand = cold->heat_demand + cold->hot_water_load;
    EXPECT_FLOAT_EQ(v.shortfall, demand - cold->burner_power * v.day_efficiency);
    EXPECT_GT(v.shortfall, 0.001f * demand);
  }
  EXPECT_GT(cold->without_pump.shortfall, cold->with_pump.shortfall);
}

TEST(SimulateDay, SingleStageBurnerTooSmallForTheDayRunsAllDay) {
  BoilerCase run = testing::worked_example();
  run.burner = Burner(5000.0f, run.burner.min_power_w());
  run.burner = Burner(run.burner.max_power_w(), 5000.0f);
  const std::optional<DayBalance> day = day_at(run, -20.0f);
  ASSERT_TRUE(day.has_value());
  EXPECT_EQ(day->with_pump.run_time, 1.0f);
  EXPECT_GT(day->with_pump.shortfall, 0.0f);
  // A milder day is met again.
  const std::optional<DayBalance> mild = day_at(run, 5.0f);
  ASSERT_TRUE(mild.has_value());
  EXPECT_EQ(mild->with_pump.shortfall, 0.0f);
}

TEST(SimulateDay, DaysWithoutHeatingDemandAreSkipped) {
  // Indoor 18 °C: demand is zero at 13 °C, so 13.0 to 14.9 °C are below the heating limit but
  // need no heat.
  BoilerCase run = testing::worked_example();
  run.building.indoor_temp_c = 18.0f;
  EXPECT_FALSE(day_at(run, 13.0f).has_value());
  EXPECT_FALSE(day_at(run, 14.9f).has_value());
  EXPECT_TRUE(day_at(run, 12.9f).has_value());
}

}  // namespace
}  // namespace varmkalk::core
