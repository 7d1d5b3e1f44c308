// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/run_time.h"

#include <gtest/gtest.h>

namespace varmkalk::core {
namespace {

// The worked day's terms: 15 kW burner, L_fg 312.6 W, Q_sb 37.13 W, Q_konv 42.91 W, heater
// 45 W, pump 15 W, D = 4137.9 + 570.8 W.
DayTerms worked_terms() {
  DayTerms t;
  t.burner_power = 15000.0f;
  t.flue_gas_loss = 312.604f;
  t.standby_loss = 37.1346f;
  t.pilot_power = 0.0f;
  t.convection_loss = 42.9111f;
  t.heater_loss = 45.0f;
  t.pump_heat = 15.0f;
  t.demand = 4137.931f + 570.776f;
  return t;
}

bool in_band(const DayTerms& t, const VariantBalance& v) {
  const float out = t.burner_power * v.run_time * v.day_efficiency;
  return 0.999f * t.demand <= out && out <= 1.001f * t.demand;
}

TEST(SolveRunTime, MeetsTheDemandWithinTheBandFromAnyStart) {
  const DayTerms t = worked_terms();
  for (const float start : {0.2758621f, 0.001f, 0.5f, 0.999f}) {
    for (const PumpCredit credit : {PumpCredit::with_pump, PumpCredit::without_pump}) {
      const std::optional<VariantBalance> v = solve_run_time(t, credit, start);
      ASSERT_TRUE(v.has_value());
      EXPECT_TRUE(in_band(t, *v)) << start;
      EXPECT_EQ(v->shortfall, 0.0f);
      EXPECT_NEAR(v->run_time, credit == PumpCredit::with_pump ? 0.3275f : 0.3282f, 0.0005f);
    }
  }
}

TEST(SolveRunTime, BurnerTooSmallRunsAllDayAndCarriesTheShortfall) {
  DayTerms t = worked_terms();
  t.burner_power = 4000.0f;
  t.flue_gas_loss = 80.0f;
  const std::optional<VariantBalance> v = solve_run_time(t, PumpCredit::with_pump, 1.18f);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->run_time, 1.0f);
  EXPECT_EQ(v->day_efficiency, day_efficiency(t, PumpCredit::with_pump, 1.0f));
  EXPECT_FLOAT_EQ(v->shortfall, t.demand - t.burner_power * v->day_efficiency);
}

TEST(SolveRunTime, RunTimeNeverExceedsOneWhenTheStartLiesAboveIt) {
  // The demand needs just under a whole day; the start Q / P_b lies above 1 and its output is
  // inside the band, which would give a run time above 1.
  DayTerms t = worked_terms();
  t.pump_heat = 0.0f;
  t.demand = t.burner_power * day_efficiency(t, PumpCredit::with_pump, 1.0f) * 1.0005f;
  const std::optional<VariantBalance> v = solve_run_time(t, PumpCredit::with_pump, 1.0004f);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->run_time, 1.0f);
  EXPECT_EQ(v->day_efficiency, day_efficiency(t, PumpCredit::with_pump, 1.0f));
  EXPECT_EQ(v->shortfall, 0.0f);
}

TEST(SolveRunTime, FreeHeatAboveTheDemandNeedsNoBurner) {
  // Without a pilot flame and with little loss, a pump giving more than the demand makes the
  // output too high at every run time: no run time balances the day.
  DayTerms t = worked_terms();
  t.standby_loss = 0.0f;
  t.convection_loss = 0.0f;
  t.heater_loss = 0.0f;
  t.pump_heat = 45.0f;
  t.demand = 30.0f;
  EXPECT_FALSE(solve_run_time(t, PumpCredit::with_pump, 0.001f).has_value());
  // Without the pump's heat the same day needs the burner.
  EXPECT_TRUE(solve_run_time(t, PumpCredit::without_pump, 0.001f).has_value());
}

TEST(SolveRunTime, EndsWhenTheBandIsNarrowerThanOneStepOfTheRunTime) {
  // A demand of a milliwatt against about 125 W of standing losses: ±0.1 % of it is far below
  // what one 32-bit step of τ changes in the output, so no trial falls inside the band. The
  // shortest run time found that delivers the demand is taken.
  DayTerms t = worked_terms();
  t.pump_heat = 0.0f;
  t.demand = 0.001f;
  const std::optional<VariantBalance> v = solve_run_time(t, PumpCredit::with_pump, 1e-4f);
  ASSERT_TRUE(v.has_value());
  EXPECT_NEAR(v->run_time, 0.0085f, 0.0001f);
  const float out = t.burner_power * v->run_time * v->day_efficiency;
  EXPECT_GE(out, 0.999f * t.demand);
  EXPECT_NEAR(out, t.demand, 1e-4f);  // within a few 32-bit steps of the output
}

}  // namespace
}  // namespace varmkalk::core
