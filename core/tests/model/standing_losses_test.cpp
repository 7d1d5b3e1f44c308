// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/standing_losses.h"

#include <gtest/gtest.h>

#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

TEST(StandingLosses, ReferenceLosses) {
  BoilerCase run = testing::worked_example();
  run.building.indoor_temp_c = 20.0f;
  // C = 2.0, T_b = 60: 2 × 40^1.3 ≈ 241.9 W; C1 = 1.5, C2 = 1.25, T_b = 40: 1.5 × 20^1.25
  // ≈ 63.4 W; one decimal.
  run.losses.convection_constant = 2.0f;
  EXPECT_NEAR(convection_loss(run, 60.0f), 241.9f, 0.05f);
  run.losses.standby_constant = 1.5f;
  run.losses.standby_exponent = 1.25f;
  EXPECT_NEAR(standby_loss(run, 40.0f), 63.4f, 0.05f);
  // No constant, no loss.
  run.losses.convection_constant = 0.0f;
  run.losses.standby_constant = 0.0f;
  EXPECT_EQ(convection_loss(run, 60.0f), 0.0f);
  EXPECT_EQ(standby_loss(run, 60.0f), 0.0f);
}

TEST(StandingLosses, BoilerNotWarmerThanItsRoomLosesNothing) {
  BoilerCase run = testing::worked_example();
  run.losses.standby_exponent = 0.5f;  // a negative base would have no real power
  for (const float boiler_mean : {20.0f, 19.0f, -40.0f}) {
    EXPECT_EQ(convection_loss(run, boiler_mean), 0.0f) << boiler_mean;
    EXPECT_EQ(standby_loss(run, boiler_mean), 0.0f) << boiler_mean;
  }
}

TEST(StandingLosses, HotWaterLoadAndPumpHeat) {
  BoilerCase run = testing::worked_example();
  // 5000 kWh a year ≈ 570.8 W; a 60 W pump at 25 % gives 15 W, at 75 % 45 W.
  EXPECT_NEAR(hot_water_load(run), 570.8f, 0.05f);
  EXPECT_FLOAT_EQ(pump_heat(run), 15.0f);
  run.pump.heat_share_percent = 75.0f;
  EXPECT_FLOAT_EQ(pump_heat(run), 45.0f);
  run.hot_water.annual_demand_kwh = 0.0f;
  EXPECT_EQ(hot_water_load(run), 0.0f);
}

}  // namespace
}  // namespace varmkalk::core
