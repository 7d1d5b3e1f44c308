// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/combustion_efficiency.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varmkalk::core {
namespace {

TEST(CombustionEfficiency, ReferenceValuesAtAirRatio1_2AndRoomAir) {
  // λ = 1.2, air at 20 °C: dew point about 55.7 °C; η_c ≈ 0.9369 at 150 °C (dry) and ≈ 1.0569
  // at 40 °C with a condensation gain ≈ 0.0654; four digits.
  const CombustionBalance dry = combustion_balance(1.2f, 150.0f, 20.0f);
  EXPECT_NEAR(dry.dew_point, 55.7f, 0.05f);
  EXPECT_NEAR(dry.efficiency, 0.9369f, 0.00005f);
  EXPECT_EQ(dry.condensation_gain, 0.0f);

  const CombustionBalance wet = combustion_balance(1.2f, 40.0f, 20.0f);
  EXPECT_NEAR(wet.efficiency, 1.0569f, 0.00005f);
  EXPECT_NEAR(wet.condensation_gain, 0.0654f, 0.00005f);
  EXPECT_EQ(combustion_efficiency(1.2f, 40.0f, 20.0f), wet.efficiency);
}

TEST(CombustionEfficiency, FlueGasAtAirTemperatureLosesNothingButGainsTheCondensate) {
  // No sensible loss when the flue gas leaves at the air temperature: 1 plus the gain, and
  // exactly 1 without condensation.
  for (const float t : {0.0f, 20.0f, 40.0f}) {
    const CombustionBalance b = combustion_balance(1.2f, t, t);
    EXPECT_GT(b.condensation_gain, 0.0f) << t;
    EXPECT_EQ(b.efficiency, 1.0f + b.condensation_gain) << t;
  }
  EXPECT_EQ(combustion_efficiency(1.2f, 90.0f, 90.0f), 1.0f);
}

TEST(CombustionEfficiency, CondensesOnlyStrictlyBelowTheDewPoint) {
  const float dew_point = combustion_balance(1.2f, 150.0f, 20.0f).dew_point;
  EXPECT_EQ(combustion_balance(1.2f, dew_point, 20.0f).condensation_gain, 0.0f);
  EXPECT_GT(combustion_balance(1.2f, std::nextafter(dew_point, 0.0f), 20.0f).condensation_gain,
            0.0f);
  // More excess air dilutes the vapour and lowers the dew point.
  EXPECT_LT(combustion_balance(1.5f, 150.0f, 20.0f).dew_point, dew_point);
}

TEST(CombustionEfficiency, FiniteBelowThePoleOfTheVapourPressureLaw) {
  // The law 10^(A − B / (T + 235.72633)) overflows below its pole; the gas holds no vapour
  // there instead.
  EXPECT_EQ(saturation_pressure(-235.72633f), 0.0f);
  EXPECT_EQ(saturation_pressure(-300.0f), 0.0f);
  for (const float t : {-235.8f, -300.0f, -5000.0f}) {
    EXPECT_TRUE(std::isfinite(combustion_efficiency(1.2f, t, 20.0f))) << t;
  }
}

}  // namespace
}  // namespace varmkalk::core
