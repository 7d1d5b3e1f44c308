// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/annual_sums.h"

#include <gtest/gtest.h>

#include "core/model/day_model.h"
#include "core/model/model_input_error.h"
#include "core/model/start_model.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

DayBalance worked_day() {
  const BoilerCase run = testing::worked_example();
  return *simulate_day(run, start_model(run, design_conditions(run)), ClimateRecord{1, 0.0f});
}

TEST(RecordDay, WorkedDaySums) {
  // The worked day adds (570.8 + 4137.9) × 24 ≈ 113 009 Wh of net energy and that divided by
  // 0.9592 (with pump) and 0.9562 (without); its losses over the day are 42.91 × 24,
  // (1 − 0.3275) × 37.13 × 24 and 0.3275 × 312.6 × 24 Wh. Relative tolerance 1e-4.
  const DayBalance day = worked_day();
  AnnualTotals totals;
  record_day(totals, day);
  EXPECT_NEAR(totals.net_energy_wh, 113009.0f, 1.0f);
  EXPECT_NEAR(totals.gross_energy_with_pump_wh, 113009.0f / 0.95923f, 12.0f);
  EXPECT_NEAR(totals.gross_energy_without_pump_wh, 113009.0f / 0.95623f, 12.0f);
  EXPECT_NEAR(totals.convection_energy_wh, 42.911f * 24.0f, 0.1f);
  EXPECT_NEAR(totals.standby_energy_wh, (1.0f - 0.32749f) * 37.1346f * 24.0f, 0.1f);
  EXPECT_NEAR(totals.flue_gas_energy_wh, 0.32749f * 312.604f * 24.0f, 0.1f);
  EXPECT_EQ(totals.heating_days, 1);
  EXPECT_EQ(totals.unmet_days, 0);

  record_day(totals, day);
  EXPECT_EQ(totals.heating_days, 2);
  EXPECT_NEAR(totals.net_energy_wh, 2.0f * 113009.0f, 2.0f);
}

TEST(AnnualEfficiency, OfTheYearAsAFractionAndInPerCent) {
  AnnualTotals totals;
  record_day(totals, worked_day());
  // One worked day: the year's efficiencies are the day's, 95.92 % and 95.62 %.
  const std::optional<float> with_pump = annual_efficiency(totals, PumpCredit::with_pump);
  const std::optional<float> without_pump = annual_efficiency(totals, PumpCredit::without_pump);
  ASSERT_TRUE(with_pump.has_value());
  ASSERT_TRUE(without_pump.has_value());
  EXPECT_NEAR(*with_pump, 0.9592f, 0.00005f);
  EXPECT_NEAR(*without_pump, 0.9562f, 0.00005f);
  EXPECT_NEAR(*annual_efficiency_percent(totals, PumpCredit::with_pump), 95.92f, 0.005f);
}

TEST(AnnualEfficiency, NoHeatingDayLeavesBothEmpty) {
  const AnnualTotals totals;
  for (const PumpCredit credit : {PumpCredit::with_pump, PumpCredit::without_pump}) {
    EXPECT_FALSE(annual_efficiency(totals, credit).has_value());
    EXPECT_FALSE(annual_efficiency_percent(totals, credit).has_value());
  }
}

TEST(RecordDay, UnmetDaysCountTheLargestShortfallAndWeighInAtTheirEfficiency) {
  DayBalance day = worked_day();
  day.burner_power = 3000.0f;
  day.with_pump = VariantBalance{1.0f, 0.9f, 300.0f};
  day.without_pump = VariantBalance{1.0f, 0.89f, 315.0f};
  DayBalance worse = day;
  worse.without_pump.shortfall = 900.0f;
  worse.with_pump.day_efficiency = -0.5f;  // no heat at all: no efficiency to divide by

  AnnualTotals totals;
  record_day(totals, worked_day());
  record_day(totals, day);
  record_day(totals, worse);
  record_day(totals, day);
  EXPECT_EQ(totals.unmet_days, 3);
  EXPECT_EQ(totals.largest_shortfall_w, 900.0f);
  EXPECT_FLOAT_EQ(totals.largest_shortfall_share, 900.0f / (day.heat_demand + day.hot_water_load));

  // A day that cannot be met counts its demand at the efficiency of running all day, so the
  // annual efficiency stays a weighted mean of the day efficiencies and never credits heat
  // that was not made from fuel.
  const float net = (day.heat_demand + day.hot_water_load) * 24.0f;
  AnnualTotals unmet;
  record_day(unmet, day);
  EXPECT_FLOAT_EQ(unmet.gross_energy_with_pump_wh, net / 0.9f);
  EXPECT_FLOAT_EQ(unmet.gross_energy_without_pump_wh, net / 0.89f);
  // Without any efficiency, the burner's input over the day is the fuel.
  AnnualTotals one;
  record_day(one, worse);
  EXPECT_EQ(one.gross_energy_with_pump_wh, 3000.0f * 24.0f);
}

// The fuel a gas meter sees: the gross energy of a day the burner meets, its power all day on a
// day it cannot meet, and the pilot flame's fuel while the burner is off.
TEST(RecordDay, TheMetersFuelStopsAtTheBurnerAndCountsThePilotFlame) {
  struct Row {
    const char* what;
    float burner_power_w;
    VariantBalance with_pump;
    float pilot_power_w;
    float burner_fuel_wh;  // negative: the day's gross energy
    float pilot_off_wh;
  };
  const Row rows[] = {
      {"met", 15000.0f, {0.3275f, 0.9592f, 0.0f}, 0.0f, -1.0f, 0.0f},
      {"met, with a pilot flame",
       15000.0f,
       {0.3289f, 0.9541f, 0.0f},
       150.0f,
       -1.0f,
       150.0f * (1.0f - 0.3289f) * 24.0f},
      {"short of the demand", 3000.0f, {1.0f, 0.9f, 300.0f}, 150.0f, 3000.0f * 24.0f, 0.0f},
      {"short with no efficiency", 3000.0f, {1.0f, -0.5f, 900.0f}, 0.0f, 3000.0f * 24.0f, 0.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    DayBalance day = worked_day();
    day.burner_power = row.burner_power_w;
    day.with_pump = row.with_pump;
    day.pilot_power = row.pilot_power_w;
    AnnualTotals totals;
    record_day(totals, day);
    record_day(totals, day);
    const float burner_fuel_wh =
        row.burner_fuel_wh < 0.0f ? totals.gross_energy_with_pump_wh / 2.0f : row.burner_fuel_wh;
    EXPECT_FLOAT_EQ(totals.burner_fuel_with_pump_wh, 2.0f * burner_fuel_wh);
    EXPECT_FLOAT_EQ(totals.pilot_off_energy_wh, 2.0f * row.pilot_off_wh);
    // The engine's gross energy stays the demand over the day's efficiency.
    if (row.with_pump.day_efficiency > 0.0f) {
      EXPECT_FLOAT_EQ(
          totals.gross_energy_with_pump_wh,
          2.0f * (day.heat_demand + day.hot_water_load) * 24.0f / row.with_pump.day_efficiency);
    }
  }
}

TEST(RecordDay, RefusesSumsBeyondTheRangeOf32BitNumbers) {
  DayBalance day = worked_day();
  day.convection_loss = 1e37f;
  AnnualTotals totals;
  record_day(totals, day);
  const AnnualTotals before = totals;
  EXPECT_THROW(record_day(totals, day), ModelInputError);
  EXPECT_EQ(totals.heating_days, before.heating_days);
  EXPECT_EQ(totals.convection_energy_wh, before.convection_energy_wh);
}

}  // namespace
}  // namespace varmkalk::core
