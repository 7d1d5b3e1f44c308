// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/climate_import/climate_statistics.h"
#include "core/tests/support/source_builders.h"

namespace varmkalk::core {
namespace {

// Stockholm 2009 as documented with the bundled climate files: annual mean 7.70 °C, January
// -1.18, July 17.80, lowest -9.9 on 4 January, highest 23.7 on 2 July, 282 days below 14.95 °C.
TEST(ClimateStatistics, Stockholm2009HasItsDocumentedFigures) {
  const ClimateStatistics s = climate_statistics(testing::stockholm_2009());
  EXPECT_EQ(s.annual_mean_tenths_c, 77);
  EXPECT_EQ(s.january_mean_tenths_c, -12);
  EXPECT_EQ(s.july_mean_tenths_c, 178);
  EXPECT_EQ(s.lowest_tenths_c, -99);
  EXPECT_EQ(s.lowest_day, 4);
  EXPECT_EQ(s.highest_tenths_c, 237);
  EXPECT_EQ(s.highest_day, 183);
  EXPECT_EQ(s.heating_days, 282);
}

TEST(ClimateStatistics, DesignTemperatureIsTheLowestThreeDayMeanAndBoundsHold) {
  std::vector<int> cold_snap(365, 50);
  cold_snap[100] = -301;  // one very cold day does not make the lowest three days
  for (int day : {200, 201, 202}) {
    cold_snap[day] = -200;
  }
  std::vector<int> leap(366, 149);
  leap[365] = 150;
  for (const ClimateYear& year :
       {testing::stockholm_2009(), ClimateYear{2009, cold_snap}, ClimateYear{2008, leap}}) {
    const std::vector<int>& days = year.daily_mean_tenths_c;
    const ClimateStatistics s = climate_statistics(year);
    const auto window = [&](int first) { return days[first - 1] + days[first] + days[first + 1]; };
    for (int first = 1; first + 2 <= static_cast<int>(days.size()); ++first) {
      EXPECT_LE(window(s.design_first_day), window(first));
    }
    EXPECT_NEAR(s.design_outdoor_tenths_c, window(s.design_first_day) / 3.0, 0.5);
    EXPECT_EQ(s.lowest_tenths_c, *std::min_element(days.begin(), days.end()));
    EXPECT_EQ(s.highest_tenths_c, *std::max_element(days.begin(), days.end()));
    EXPECT_EQ(s.heating_days,
              std::count_if(days.begin(), days.end(), [](int t) { return t < 150; }));
    for (const int mean : {s.annual_mean_tenths_c, s.january_mean_tenths_c, s.july_mean_tenths_c,
                           s.design_outdoor_tenths_c}) {
      EXPECT_GE(mean, s.lowest_tenths_c);
      EXPECT_LE(mean, s.highest_tenths_c);
    }
  }
  EXPECT_EQ(climate_statistics(ClimateYear{2009, cold_snap}).design_first_day, 201);
  // Of two equally cold windows the first is named.
  std::vector<int> two_snaps = cold_snap;
  for (int day : {300, 301, 302}) {
    two_snaps[day] = -200;
  }
  EXPECT_EQ(climate_statistics(ClimateYear{2009, two_snaps}).design_first_day, 201);
  EXPECT_EQ(climate_statistics(ClimateYear{2008, leap}).heating_days, 365);
  EXPECT_THROW(climate_statistics(ClimateYear{2009, {}}), std::invalid_argument);
}

}  // namespace
}  // namespace varmkalk::core
