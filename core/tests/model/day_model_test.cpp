// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/model/combustion_efficiency.h"
#include "core/model/house_day.h"
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
  EXPECT_EQ(day_heat_demand(house_of(run), testing::worked_design(), -14.0f),
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

ZeroLoadDay zero_load_of(const BoilerCase& run) {
  return zero_load_day(run, start_model(run, design_conditions(run)));
}

// The day without heat demand: the boiler at the mean of its lowest return and the cold
// radiators' 20 °C, its losses there, and the burner covering the hot water, the heater's loss
// and those losses without the pump's heat. Without a pilot flame the balance's output is the
// useful heat, so the run time has a closed form: τ = (Q_vv + Q_konv + Q_vvb + Q_sb) /
// (P_b − L_fg + Q_sb), within the balance's ±0.1 % of the hot-water load.
TEST(ZeroLoadDay, CoversTheHotWaterAndTheBoilersOwnLosses) {
  struct Row {
    const char* what;
    std::function<void(BoilerCase&)> change;
    float mean_temp_c;
    float burner_power_w;
  };
  const Row rows[] = {
      {"the worked boiler", [](BoilerCase&) {}, 27.5f, 15000.0f},
      {"no lowest return: no standing losses",
       [](BoilerCase& r) { r.building.min_return_temp_c = 0.0f; }, 20.0f, 15000.0f},
      {"a hot boiler", [](BoilerCase& r) { r.building.min_return_temp_c = 60.0f; }, 40.0f,
       15000.0f},
      {"no hot water: only the losses", [](BoilerCase& r) { r.hot_water.annual_demand_kwh = 0.0f; },
       27.5f, 15000.0f},
      {"a modulating burner at its least",
       [](BoilerCase& r) { r.burner = Burner(15000.0f, 4000.0f); }, 27.5f, 4000.0f},
      {"a modulating burner following the hot water",
       [](BoilerCase& r) { r.burner = Burner(15000.0f, 300.0f); }, 27.5f, -1.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    BoilerCase run = testing::worked_example();
    row.change(run);
    const ZeroLoadDay day = zero_load_of(run);
    const float above_room_k = row.mean_temp_c - 20.0f;
    EXPECT_FLOAT_EQ(day.boiler_mean_temp, row.mean_temp_c);
    EXPECT_NEAR(day.convection_loss, std::pow(above_room_k, 1.3f), 1e-3f);
    EXPECT_NEAR(day.standby_loss, std::pow(above_room_k, 1.25f), 1e-3f);
    const float hot_water_w = run.hot_water.annual_demand_kwh * 1000.0f / 8760.0f;
    const float heater_w = run.hot_water.heater_loss_w;
    if (row.burner_power_w > 0.0f) {
      EXPECT_EQ(day.burner_power, row.burner_power_w);
    } else {
      // Within its range: the estimate of what it must give, a condensing gain at its mean
      // power taken off.
      EXPECT_GT(day.burner_power, run.burner.min_power_w());
      EXPECT_LT(day.burner_power, hot_water_w + heater_w + day.convection_loss);
    }
    // A single-stage burner's flue gas follows its straight line at the cold radiators' return.
    const float flue_gas_c =
        run.burner.is_modulating() ? -1.0f : 60.0f + (20.0f - 30.0f) * 20.0f / 30.0f;
    if (flue_gas_c > 0.0f) {
      const float flue_gas_loss_w =
          (1.0f - combustion_efficiency(1.2f, flue_gas_c, 20.0f)) * day.burner_power;
      const float capacity_w = day.burner_power - flue_gas_loss_w + day.standby_loss;
      const float tau =
          (hot_water_w + day.convection_loss + heater_w + day.standby_loss) / capacity_w;
      EXPECT_NEAR(day.run_time, tau, 0.001f * hot_water_w / capacity_w + 1e-5f);
    }
    EXPECT_FLOAT_EQ(day.burner_fuel_wh, day.burner_power * day.run_time * 24.0f);
    EXPECT_EQ(day.pilot_fuel_wh, 0.0f);
  }
  // The worked boiler's day by hand: 570.8 W of hot water, 45 W heater loss, 13.73 W convection
  // and 12.41 W standby at 27.5 °C; η_c ≈ 0.998 at 53.3 °C flue gas, which just condenses:
  // τ = 641.9 / 14982 ≈ 0.04285, 15.42 kWh of fuel against 14.78 kWh of hot water and heater loss.
  const ZeroLoadDay worked = zero_load_of(testing::worked_example());
  EXPECT_NEAR(worked.run_time, 0.04285f, 0.00005f);
  EXPECT_NEAR(worked.burner_fuel_wh, 15425.0f, 20.0f);
}

TEST(ZeroLoadDay, FallsBackToNoRunOrAWholeDayAndCountsThePilotFlame) {
  struct Row {
    const char* what;
    std::function<void(BoilerCase&)> change;
    float run_time;
    float burner_fuel_wh;
    float pilot_fuel_wh;
  };
  const Row rows[] = {
      // 0.7 · 300 W of the pilot's heat covers 45 W heater loss and 26 W of boiler losses.
      {"the pilot flame's heat covers the day",
       [](BoilerCase& r) {
         r.hot_water.annual_demand_kwh = 0.0f;
         r.combustion.pilot_power_w = 300.0f;
       },
       0.0f, 0.0f, 300.0f * 24.0f},
      {"nothing to cover",
       [](BoilerCase& r) {
         r.hot_water = {0.0f, 0.0f};
         r.building.min_return_temp_c = 0.0f;
       },
       0.0f, 0.0f, 0.0f},
      {"a burner too small for the hot water runs all day",
       [](BoilerCase& r) { r.burner = Burner::single_stage(500.0f); }, 1.0f, 500.0f * 24.0f, 0.0f},
      {"a too small burner with a pilot flame burns no pilot gas",
       [](BoilerCase& r) {
         r.burner = Burner::single_stage(500.0f);
         r.combustion.pilot_power_w = 100.0f;
       },
       1.0f, 500.0f * 24.0f, 0.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    BoilerCase run = testing::worked_example();
    row.change(run);
    const ZeroLoadDay day = zero_load_of(run);
    // With nothing to cover the balance's band closes on the least run time above 0.
    EXPECT_NEAR(day.run_time, row.run_time, 1e-30f);
    EXPECT_NEAR(day.burner_fuel_wh, row.burner_fuel_wh, 1e-3f);
    EXPECT_NEAR(day.pilot_fuel_wh, row.pilot_fuel_wh, 1e-3f);
  }
  // Without hot water the burner still covers the heater's loss and the boiler's losses beyond
  // the 70 % of the pilot flame's heat that covers the standby loss.
  BoilerCase losses_only = testing::worked_example();
  losses_only.hot_water.annual_demand_kwh = 0.0f;
  losses_only.combustion.pilot_power_w = 10.0f;
  const ZeroLoadDay covered = zero_load_of(losses_only);
  const float flue_gas_loss_w =
      (1.0f - combustion_efficiency(1.2f, 60.0f - 10.0f * 20.0f / 30.0f, 20.0f)) * 15000.0f;
  const float useful_w = (15000.0f - flue_gas_loss_w) * covered.run_time -
                         (covered.standby_loss - 7.0f) * (1.0f - covered.run_time) -
                         covered.convection_loss - 45.0f;
  EXPECT_GT(covered.run_time, 0.0f);
  EXPECT_GE(useful_w, 0.0f);
  EXPECT_LT(useful_w, 0.01f);
  EXPECT_NEAR(covered.burner_fuel_wh, (45.0f + 13.73f + 12.41f - 7.0f) * 24.0f, 20.0f);

  // With the hot water the pilot flame burns while the burner is off.
  BoilerCase pilot = testing::worked_example();
  pilot.combustion.pilot_power_w = 150.0f;
  const ZeroLoadDay day = zero_load_of(pilot);
  EXPECT_GT(day.run_time, 0.0f);
  EXPECT_FLOAT_EQ(day.pilot_fuel_wh, 150.0f * (1.0f - day.run_time) * 24.0f);
  // As on a heating day its fuel weighs in the day's efficiency: the run grows longer.
  EXPECT_GT(day.run_time, zero_load_of(testing::worked_example()).run_time);
}

// One day stands for every day without heat demand: neither the house's size, its climate, nor
// the pump changes it.
TEST(ZeroLoadDay, DependsOnNeitherTheHouseNorTheClimateNorThePump) {
  BoilerCase following = testing::worked_example();
  following.burner = Burner(15000.0f, 300.0f);  // its power follows the day's estimate
  for (const BoilerCase& base : {testing::worked_example(), following}) {
    const ZeroLoadDay worked = zero_load_of(base);
    const std::function<void(BoilerCase&)> changes[] = {
        [](BoilerCase& r) { r.building.design_heat_demand_w = 1.0f; },
        [](BoilerCase& r) { r.building.design_heat_demand_w = 30000.0f; },
        [](BoilerCase& r) { r.climate = Place::kiruna; },
        [](BoilerCase& r) {
          r.heating_system = design_temperatures(HeatingSystem::radiators_80_60);
        },
        [](BoilerCase& r) {
          r.pump = {500.0f, 100.0f};
        },
    };
    for (const auto& change : changes) {
      BoilerCase run = base;
      change(run);
      const ZeroLoadDay day = zero_load_of(run);
      EXPECT_EQ(day.burner_power, worked.burner_power);
      EXPECT_EQ(day.run_time, worked.run_time);
      EXPECT_EQ(day.burner_fuel_wh, worked.burner_fuel_wh);
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
