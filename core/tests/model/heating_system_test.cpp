// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/heating_system.h"

#include <gtest/gtest.h>

namespace varmkalk::core {
namespace {

TEST(HeatingSystemTemperatures, RadiatorCurveAtReferenceLoads) {
  // Edge cases of the radiator formula: exact design points at full load and 20 °C indoors,
  // the design point shifted by 2 K at 22 °C, and the part loads to two decimals.
  struct Case {
    float relative_load;
    float design_supply;
    float design_return;
    float indoor;
    float supply;
    float return_temp;
    float tolerance;
  };
  for (const Case c : {
           Case{1.0f, 80.0f, 60.0f, 20.0f, 80.0f, 60.0f, 0.0f},
           Case{1.0f, 55.0f, 45.0f, 20.0f, 55.0f, 45.0f, 1e-5f},
           Case{1.0f, 80.0f, 60.0f, 22.0f, 78.0f, 58.0f, 0.005f},
           Case{0.5f, 55.0f, 45.0f, 20.0f, 40.06f, 35.06f, 0.005f},
           Case{0.5f, 80.0f, 60.0f, 20.0f, 54.23f, 44.23f, 0.005f},
           Case{0.1f, 55.0f, 45.0f, 20.0f, 25.57f, 24.57f, 0.005f},
           Case{0.1f, 80.0f, 60.0f, 20.0f, 29.43f, 27.43f, 0.005f},
       }) {
    const HeatingTemperatures t =
        heating_system_temperatures(c.relative_load, c.design_supply, c.design_return, c.indoor);
    EXPECT_NEAR(t.supply_temp, c.supply, c.tolerance) << c.relative_load << " " << c.indoor;
    EXPECT_NEAR(t.return_temp, c.return_temp, c.tolerance) << c.relative_load << " " << c.indoor;
    // The drop across the system is proportional to the load: 2.0 K at φ = 0.1 on 80/60.
    EXPECT_NEAR(t.supply_temp - t.return_temp,
                (c.design_supply - c.design_return) * c.relative_load, 1e-4f);
  }
}

TEST(HeatingSystemTemperatures, VanishingLoadApproachesTheReferenceRoom) {
  // So small a load that r rounds to 1: the formula's limit instead of a division by zero.
  const HeatingTemperatures t = heating_system_temperatures(1e-38f, 55.0f, 45.0f, 20.0f);
  EXPECT_EQ(t.supply_temp, 20.0f);
  EXPECT_NEAR(t.return_temp, 20.0f, 1e-6f);
  EXPECT_NEAR(heating_system_temperatures(1e-6f, 55.0f, 45.0f, 20.0f).supply_temp, 20.0f, 0.01f);
}

TEST(BoilerTemperatures, ReturnIsNeverBelowTheLowestPermitted) {
  struct Case {
    float supply;
    float return_temp;
    float min_return;
    float boiler_return;
    float boiler_mean;
  };
  for (const Case c : {
           // Raised to 35 on a mild day of an 80/60 system; mean about 32.22.
           Case{29.43f, 27.43f, 35.0f, 35.0f, 32.215f},
           // Equal: that same value.
           Case{40.0f, 35.0f, 35.0f, 35.0f, 37.5f},
           // The heating system is warmer: the boiler follows it.
           Case{40.61f, 35.44f, 35.0f, 35.44f, 38.025f},
           // Held at 65 above the supply: the mean lies between, below 65.
           Case{40.0f, 35.0f, 65.0f, 65.0f, 52.5f},
       }) {
    const BoilerTemperatures b = boiler_temperatures(c.supply, c.return_temp, c.min_return);
    EXPECT_FLOAT_EQ(b.boiler_return_temp, c.boiler_return);
    EXPECT_FLOAT_EQ(b.boiler_mean_temp, c.boiler_mean);
  }
}

TEST(BoilerTemperatures, TwentyDegreeMinimumNeverBindsA5545SystemAt20Indoors) {
  for (const float load : {0.01f, 0.1f, 0.5f, 1.0f, 2.0f}) {
    const HeatingTemperatures t = heating_system_temperatures(load, 55.0f, 45.0f, 20.0f);
    EXPECT_GT(t.return_temp, 20.0f) << load;
    EXPECT_EQ(boiler_temperatures(t.supply_temp, t.return_temp, 20.0f).boiler_return_temp,
              t.return_temp);
  }
}

}  // namespace
}  // namespace varmkalk::core
