// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_shortfall.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/model/year.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

struct ShortfallCase {
  const char* name;
  Burner burner;
  float burner_power_w;
  float with_pump_shortfall_w;
  float without_pump_shortfall_w;
  DayShortfall expected;
};

TEST(DayShortfall, TellsATooSmallBurnerFromThePartLoadRule) {
  const Burner modulating(18000.0f, 4000.0f);
  const Burner single = Burner::single_stage(6000.0f);
  const std::vector<ShortfallCase> cases{
      {"met", modulating, 9000.0f, 0.0f, 0.0f, DayShortfall::none},
      {"met at full power", single, 6000.0f, 0.0f, 0.0f, DayShortfall::none},
      {"single-stage short", single, 6000.0f, 120.0f, 150.0f, DayShortfall::burner_too_small},
      {"modulating at its maximum", modulating, 18000.0f, 0.0f, 40.0f,
       DayShortfall::burner_too_small},
      {"modulating with power left", modulating, 9000.0f, 3.0f, 0.0f,
       DayShortfall::part_load_rule},
      {"modulating at its minimum", modulating, 4000.0f, 0.0f, 1.0f, DayShortfall::part_load_rule},
  };
  for (const ShortfallCase& c : cases) {
    DayBalance day;
    day.burner_power = c.burner_power_w;
    day.with_pump.shortfall = c.with_pump_shortfall_w;
    day.without_pump.shortfall = c.without_pump_shortfall_w;
    EXPECT_EQ(day_shortfall(day, c.burner), c.expected) << c.name;
  }
}

// A cold year, for shortfalls: the burners below are sized around the house's 8 kW.
std::vector<ClimateRecord> cold_year() {
  constexpr float kPi = 3.14159265f;
  std::vector<ClimateRecord> days;
  for (int day = 1; day <= 365; ++day) {
    const float phase = 2.0f * kPi * static_cast<float>(day - 15) / 365.0f;
    days.push_back({day, std::round(10.0f * (-2.0f - 14.0f * std::cos(phase))) / 10.0f});
  }
  return days;
}

// The year counts exactly the days classified as the part-load rule's, never more than the unmet
// days; a single-stage burner never has them, and a burner far too large only has them.
TEST(DayShortfall, TheYearCountsThePartLoadDays) {
  struct YearCase {
    const char* name;
    Burner burner;
    bool only_part_load;
    bool no_part_load;
  };
  const std::vector<YearCase> cases{
      {"single-stage too small", Burner::single_stage(5000.0f), false, true},
      {"modulating too small", Burner(6000.0f, 2000.0f), false, false},
      {"modulating far too large", Burner(40000.0f, 4000.0f), true, false},
  };
  for (const YearCase& c : cases) {
    BoilerCase input = testing::worked_example();
    input.burner = c.burner;
    const std::vector<ClimateRecord> climate = cold_year();
    const YearResult year = run_year(input, climate);
    ASSERT_TRUE(year.complete()) << c.name;
    int part_load = 0;
    int unmet_days = 0;
    for (const DayBalance& day : year.days) {
      part_load += day_shortfall(day, input.burner) == DayShortfall::part_load_rule ? 1 : 0;
      unmet_days += unmet(day) ? 1 : 0;
    }
    EXPECT_EQ(year.totals.part_load_days, part_load) << c.name;
    EXPECT_EQ(year.totals.unmet_days, unmet_days) << c.name;
    EXPECT_LE(part_load, unmet_days) << c.name;
    if (c.only_part_load) {
      EXPECT_EQ(part_load, unmet_days) << c.name;
      EXPECT_GT(part_load, 0) << c.name;
    }
    if (c.no_part_load) {
      EXPECT_EQ(part_load, 0) << c.name;
      EXPECT_GT(unmet_days, 0) << c.name;
    }
  }
}

}  // namespace
}  // namespace varmkalk::core
