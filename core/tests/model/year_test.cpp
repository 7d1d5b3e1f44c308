// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/year.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/model/annual_sums.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// A year of daily means: cold in January, warm in July.
std::vector<ClimateRecord> sine_year(float shift_c = 0.0f) {
  constexpr float kPi = 3.14159265f;
  std::vector<ClimateRecord> days;
  for (int day = 1; day <= 365; ++day) {
    const float phase = 2.0f * kPi * static_cast<float>(day - 15) / 365.0f;
    days.push_back({day, std::round(10.0f * (6.0f - 11.0f * std::cos(phase) + shift_c)) / 10.0f});
  }
  return days;
}

TEST(RunYear, TotalsAreTheSumsOfTheHeatingDays) {
  for (const BoilerCase& input : {testing::worked_example(), testing::modulating_example()}) {
    const std::vector<ClimateRecord> climate = sine_year();
    const YearResult year = run_year(input, climate);
    ASSERT_TRUE(year.complete()) << *year.refusal;
    AnnualTotals sums;
    for (const DayBalance& day : year.days) {
      EXPECT_LT(day.outdoor_temp, 14.95f);
      record_day(sums, day);
    }
    EXPECT_EQ(sums.heating_days, static_cast<int>(year.days.size()));
    EXPECT_EQ(sums.net_energy_wh, year.totals.net_energy_wh);
    EXPECT_EQ(sums.gross_energy_with_pump_wh, year.totals.gross_energy_with_pump_wh);
    EXPECT_EQ(sums.flue_gas_energy_wh, year.totals.flue_gas_energy_wh);
    // Crediting the pump's heat can only lower the fuel.
    EXPECT_LE(year.totals.gross_energy_with_pump_wh, year.totals.gross_energy_without_pump_wh);
  }
}

TEST(RunYear, AColderYearNeverNeedsLessFuel) {
  for (const BoilerCase& input : {testing::worked_example(), testing::modulating_example()}) {
    float previous_gross_wh = 0.0f;
    for (const float shift_c : {6.0f, 3.0f, 0.0f, -3.0f, -6.0f}) {
      const std::vector<ClimateRecord> climate = sine_year(shift_c);
      const YearResult year = run_year(input, climate);
      ASSERT_TRUE(year.complete());
      EXPECT_GT(year.totals.gross_energy_with_pump_wh, previous_gross_wh) << shift_c;
      previous_gross_wh = year.totals.gross_energy_with_pump_wh;
    }
  }
}

TEST(RunYear, ARefusedDayKeepsTheDaysBeforeIt) {
  std::vector<ClimateRecord> climate = sine_year();
  climate[40].outdoor_temp = -1e29f;  // beyond the model's range
  const YearResult year = run_year(testing::worked_example(), climate);
  ASSERT_FALSE(year.complete());
  EXPECT_EQ(year.refusal->rfind("Dag 41 ", 0), 0u) << *year.refusal;
  EXPECT_EQ(year.days.size(), 40u);

  BoilerCase no_air = testing::worked_example();
  no_air.combustion.air_ratio = 0.5f;
  const YearResult refused = run_year(no_air, climate);
  ASSERT_FALSE(refused.complete());
  EXPECT_TRUE(refused.days.empty());
}

}  // namespace
}  // namespace varmkalk::core
