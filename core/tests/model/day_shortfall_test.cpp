// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_shortfall.h"

#include <gtest/gtest.h>

#include <vector>

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
      {"modulating with power left", modulating, 9000.0f, 3.0f, 0.0f, DayShortfall::part_load_rule},
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

}  // namespace
}  // namespace varmkalk::core
