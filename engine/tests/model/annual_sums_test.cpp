#include "annual_sums.h"

#include <gtest/gtest.h>

#include "day_model.h"
#include "model_input_error.h"
#include "start_model.h"
#include "worked_example.h"

namespace kalvex {
namespace {

DayBalance worked_day() {
  const RunParameters run = test::worked_example();
  return *simulate_day(run, start_model(run), ClimateRecord{1, 0.0f});
}

TEST(RecordDay, WorkedDaySums) {
  // The worked day adds (570.8 + 4137.9) × 24 ≈ 113 009 Wh of net energy and that divided by
  // 0.9592 (with pump) and 0.9562 (without); its losses over the day are 42.91 × 24,
  // (1 − 0.3275) × 37.13 × 24 and 0.3275 × 312.6 × 24 Wh. Relative tolerance 1e-4.
  const DayBalance day = worked_day();
  AnnualTotals totals;
  record_day(totals, day);
  EXPECT_NEAR(totals.net_energy, 113009.0f, 1.0f);
  EXPECT_NEAR(totals.gross_energy_with_pump, 113009.0f / 0.95923f, 12.0f);
  EXPECT_NEAR(totals.gross_energy_without_pump, 113009.0f / 0.95623f, 12.0f);
  EXPECT_NEAR(totals.convection_energy, 42.911f * 24.0f, 0.1f);
  EXPECT_NEAR(totals.standby_energy, (1.0f - 0.32749f) * 37.1346f * 24.0f, 0.1f);
  EXPECT_NEAR(totals.flue_gas_energy, 0.32749f * 312.604f * 24.0f, 0.1f);
  EXPECT_EQ(totals.heating_days, 1);
  EXPECT_EQ(totals.unmet_days, 0);

  record_day(totals, day);
  EXPECT_EQ(totals.heating_days, 2);
  EXPECT_NEAR(totals.net_energy, 2.0f * 113009.0f, 2.0f);
}

TEST(FinishYear, EfficienciesOfTheYearInPerCent) {
  AnnualTotals totals;
  record_day(totals, worked_day());
  finish_year(totals);
  // One worked day: the year's efficiencies are the day's, 95.92 % and 95.62 %.
  ASSERT_TRUE(totals.annual_efficiency.has_value());
  ASSERT_TRUE(totals.annual_efficiency_without_pump.has_value());
  EXPECT_NEAR(*totals.annual_efficiency, 95.92f, 0.005f);
  EXPECT_NEAR(*totals.annual_efficiency_without_pump, 95.62f, 0.005f);
}

TEST(FinishYear, NoHeatingDayLeavesBothEfficienciesEmpty) {
  AnnualTotals totals;
  finish_year(totals);
  EXPECT_FALSE(totals.annual_efficiency.has_value());
  EXPECT_FALSE(totals.annual_efficiency_without_pump.has_value());
  EXPECT_EQ(totals.heating_days, 0);
  EXPECT_EQ(totals.net_energy, 0.0f);
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
  EXPECT_EQ(totals.largest_shortfall, 900.0f);
  EXPECT_FLOAT_EQ(totals.largest_shortfall_share, 900.0f / (day.heat_demand + day.hot_water_load));

  // A day that cannot be met counts its demand at the efficiency of running all day, so the
  // annual efficiency stays a weighted mean of the day efficiencies and never credits heat
  // that was not made from fuel.
  const float net = (day.heat_demand + day.hot_water_load) * 24.0f;
  AnnualTotals unmet;
  record_day(unmet, day);
  EXPECT_FLOAT_EQ(unmet.gross_energy_with_pump, net / 0.9f);
  EXPECT_FLOAT_EQ(unmet.gross_energy_without_pump, net / 0.89f);
  // Without any efficiency, the burner's input over the day is the fuel.
  AnnualTotals one;
  record_day(one, worse);
  EXPECT_EQ(one.gross_energy_with_pump, 3000.0f * 24.0f);
}

TEST(RecordDay, RefusesSumsBeyondTheRangeOf32BitNumbers) {
  DayBalance day = worked_day();
  day.convection_loss = 1e37f;
  AnnualTotals totals;
  record_day(totals, day);
  const AnnualTotals before = totals;
  EXPECT_THROW(record_day(totals, day), ModelInputError);
  EXPECT_EQ(totals.heating_days, before.heating_days);
  EXPECT_EQ(totals.convection_energy, before.convection_energy);
}

}  // namespace
}  // namespace kalvex
