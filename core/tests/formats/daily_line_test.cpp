// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/daily_line.h"

#include <gtest/gtest.h>

namespace varmkalk::core {
namespace {

// The worked heating day of the daily balance (day 1 at 0.0 °C, Stockholm house), its values
// given to four digits.
DayBalance worked_day(float run_time) {
  DayBalance day;
  day.day_number = 1;
  day.outdoor_temp = 0.0f;
  day.supply_temp = 40.61f;
  day.return_temp = 35.44f;
  day.heat_demand = 4137.9f;
  day.convection_loss = 42.91f;
  day.standby_loss = 37.13f;
  day.flue_gas_loss = 312.6f;
  day.flue_gas_temp = 63.62f;
  day.combustion_eff = 0.9792f;
  day.with_pump = {run_time, 0.9592f, 0.0f};
  day.without_pump = {0.3282f, 0.9562f, 0.0f};
  return day;
}

TEST(DailyLine, WorkedDayGivesTheReferenceLine) {
  // Reference line of the worked day. Its flue-gas column, 102.37, comes from the model's
  // unrounded run time (about 0.32748): with that the line matches character for character.
  const DayBalance day = worked_day(0.32748f);
  const std::string line = format_daily_line(day, day.with_pump);
  EXPECT_EQ(line,
            "  1   0.0  40.6  35.4  4137.9      0.33   95.92   42.91   24.97  102.37   63.62  "
            "0.9792\r\n");
  ASSERT_EQ(line.size(), 87u + 2u);
  // Column checks against the layout (1-based columns).
  const auto columns = [&](int first, int last) {
    return line.substr(static_cast<std::size_t>(first - 1),
                       static_cast<std::size_t>(last - first + 1));
  };
  EXPECT_EQ(columns(1, 3), "  1");
  EXPECT_EQ(columns(22, 23), "  ");
  EXPECT_EQ(columns(24, 29), "4137.9");
  EXPECT_EQ(columns(30, 31), "  ");
  EXPECT_EQ(columns(32, 39), "    0.33");
  EXPECT_EQ(columns(80, 87), "  0.9792");
}

TEST(DailyLine, TimeWeightedLossesFollowTheRunTime) {
  // With the run time rounded to 0.3275: 0.6725 × 37.13 = 24.970 and 0.3275 × 312.6 = 102.3765,
  // which rounds to 102.38, not to the reference's 102.37.
  const DayBalance day = worked_day(0.3275f);
  const std::string line = format_daily_line(day, day.with_pump);
  EXPECT_EQ(line.substr(55, 16), "   24.97  102.38");
}

TEST(DailyLine, OnlyTheVariantColumnsDifferBetweenTheFiles) {
  const DayBalance day = worked_day(0.32748f);
  const std::string with_pump = format_daily_line(day, day.with_pump);
  const std::string without_pump = format_daily_line(day, day.without_pump);
  EXPECT_EQ(without_pump.substr(31, 16), "    0.33   95.62");
  EXPECT_EQ(with_pump.substr(0, 31), without_pump.substr(0, 31));
  EXPECT_EQ(with_pump.substr(47, 8), without_pump.substr(47, 8));
  EXPECT_EQ(with_pump.substr(71), without_pump.substr(71));
}

TEST(DailyLine, TooWideValuesFillTheirFieldWithAsterisks) {
  DayBalance day = worked_day(0.004f);
  day.day_number = 1000;
  day.heat_demand = 10000.0f;
  const std::string line = format_daily_line(day, day.with_pump);
  EXPECT_EQ(line.substr(0, 3), "***");
  EXPECT_EQ(line.substr(23, 6), "******");
  EXPECT_EQ(line.substr(31, 8), "    0.00");
  EXPECT_EQ(line.size(), 89u);
}

}  // namespace
}  // namespace varmkalk::core
