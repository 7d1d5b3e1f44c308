// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/flue_gas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/flue_gas_temperature.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

TEST(FlueGasComposition, HeatingValueAndStoichiometricAirOfTheFixedGas) {
  // Fixed composition: 39.0135 MJ/m³n and A0 = 10.4865 m³n/m³n, to the digits given.
  const FlueGasComposition gas = flue_gas_composition(1.2f);
  EXPECT_NEAR(gas.gas_heating_value, 39.0135e6f, 100.0f);
  EXPECT_NEAR(gas.stoichiometric_air, 10.4865f, 0.00005f);
}

TEST(FlueGasComposition, VolumeGrowsWithTheExcessAirAndFractionsSumToOne) {
  // 11.473 m³n per m³n of gas at λ = 1.0 and 13.570 at λ = 1.2, three decimals.
  struct Case {
    float air_ratio;
    float volume;
  };
  for (const Case c : {Case{1.0f, 11.473f}, Case{1.2f, 13.570f}}) {
    const FlueGasComposition gas = flue_gas_composition(c.air_ratio);
    EXPECT_NEAR(gas.flue_gas_volume, c.volume, 0.0005f) << c.air_ratio;
    const FlueGasMix& m = gas.mix;
    EXPECT_NEAR(m.n2 + m.o2 + m.co2 + m.ar + m.h2o, 1.0, 1e-12);
  }
  // Stoichiometric flue gas holds no oxygen.
  EXPECT_EQ(flue_gas_composition(1.0f).mix.o2, 0.0);
  EXPECT_GT(flue_gas_composition(1.2f).mix.o2, 0.0);
}

// Pure gases make the mixture's heat capacity the table's column (kJ to J).
FlueGasMix pure(double FlueGasMix::*gas) {
  FlueGasMix mix;
  mix.*gas = 1.0;
  return mix;
}

TEST(FlueGasHeatCapacity, EqualsTheTableAtEveryBreakpoint) {
  // Heat-capacity table, kJ/(m³n·K), columns 0 .. 2000 °C; exact to rounding.
  const double temps[] = {0, 500, 1000, 1200, 1400, 1600, 1800, 2000};
  const double n2[] = {1.302, 1.331, 1.398, 1.424, 1.440, 1.461, 1.478, 1.491};
  const double co2[] = {1.620, 2.018, 2.232, 2.290, 2.336, 2.378, 2.412, 2.441};
  const double h2o[] = {1.503, 1.587, 1.717, 1.767, 1.817, 1.863, 1.905, 1.947};
  const double o2[] = {1.319, 1.398, 1.482, 1.503, 1.524, 1.541, 1.557, 1.574};
  for (int i = 0; i < 8; ++i) {
    EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::n2), temps[i]), n2[i] * 1000, 1e-9);
    EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::o2), temps[i]), o2[i] * 1000, 1e-9);
    EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::co2), temps[i]), co2[i] * 1000, 1e-9);
    EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::h2o), temps[i]), h2o[i] * 1000, 1e-9);
    EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::ar), temps[i]), 926.0, 1e-9);
  }
}

TEST(FlueGasHeatCapacity, IsContinuousAcrossBreakpointsAndExtrapolatesAtBothEnds) {
  const FlueGasMix mix = flue_gas_composition(1.2f).mix;
  for (const double t : {500.0, 1000.0, 1200.0, 1400.0, 1600.0, 1800.0}) {
    const double below = std::nextafter(t, 0.0);
    EXPECT_NEAR(flue_gas_heat_capacity(mix, below), flue_gas_heat_capacity(mix, t), 1e-9) << t;
  }
  // Straight lines of the first and last segment, N2: 1302 + 29 × (−100) / 500 and
  // 1491 + 13 × 200 / 200 J/(m³n·K).
  EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::n2), -100.0), 1296.2, 1e-9);
  EXPECT_NEAR(flue_gas_heat_capacity(pure(&FlueGasMix::n2), 2200.0), 1504.0, 1e-9);
}

TEST(AdiabaticFlameTemperature, IsTheFirstBisectionPointWithinOneKelvin) {
  // Flame temperatures near 2039, 1776 and 1182 °C. The bisection starts at 1500 in
  // 1000..2200, so the answer is a midpoint of that bracket (exact dyadic values), not the
  // fixed point itself.
  struct Case {
    float air_ratio;
    double flame_temp;
  };
  for (const Case c : {Case{1.0f, 2038.671875}, Case{1.2f, 1776.171875}, Case{2.0f, 1181.640625}}) {
    const FlueGasComposition gas = flue_gas_composition(c.air_ratio);
    const std::optional<double> flame = adiabatic_flame_temperature(gas);
    ASSERT_TRUE(flame.has_value()) << c.air_ratio;
    EXPECT_EQ(*flame, c.flame_temp) << c.air_ratio;
    const double heated_to =
        gas.gas_heating_value / (gas.flue_gas_volume * flue_gas_heat_capacity(gas.mix, *flame));
    EXPECT_LE(std::abs(*flame - heated_to), 1.0);
  }
}

TEST(AdiabaticFlameTemperature, EndsWithoutAnswerWhenTheFlameLiesBelowTheBracket) {
  // At λ = 2.5 the flame lies below 1000 °C: the search can never meet its test.
  EXPECT_FALSE(adiabatic_flame_temperature(flue_gas_composition(2.5f)).has_value());
  EXPECT_FALSE(adiabatic_flame_temperature(flue_gas_composition(10.0f)).has_value());
}

TEST(BoilerNtu, FitsTheMeasurementAtMaximumPower) {
  // ln((1776.17 − 60) / (80 − 60)), to 6 digits.
  EXPECT_NEAR(boiler_ntu(1776.171875, 80.0f, 60.0f), 4.452119, 1e-6);
  // A burner whose mean power equals its maximum meets the case-2 flue-gas temperature at the
  // case-2 return temperature (0.01 K).
  BoilerCase run = testing::worked_example();
  run.burner = Burner(run.burner.max_power_w(), std::nextafter(run.burner.max_power_w(), 0.0f));
  const double ntu = boiler_ntu(1776.171875, run.flue_gas.high_temp.flue_gas_temp_c,
                                run.flue_gas.high_temp.return_temp_c);
  EXPECT_NEAR(
      day_flue_gas_temperature(run, 1776.171875, ntu, 0.0f, run.flue_gas.high_temp.return_temp_c),
      run.flue_gas.high_temp.flue_gas_temp_c, 0.01f);
}

TEST(DayFlueGasTemperature, SingleStageFollowsTheLineThroughBothCases) {
  const BoilerCase run = testing::worked_example();  // 60 °C at 30 °C, 80 °C at 60 °C
  struct Case {
    float heating_return_temp;
    float flue_gas_temp;
  };
  for (const Case c : {Case{30.0f, 60.0f}, Case{60.0f, 80.0f}, Case{45.0f, 70.0f},
                       Case{90.0f, 100.0f}, Case{15.0f, 50.0f}}) {
    // The boiler's raised return temperature takes no part for a single-stage burner.
    EXPECT_FLOAT_EQ(day_flue_gas_temperature(run, 1776.0, 4.45, c.heating_return_temp, 99.0f),
                    c.flue_gas_temp)
        << c.heating_return_temp;
  }
}

TEST(DayFlueGasTemperature, ConstantTemperatureBoilerKeepsItsFlueGasTemperature) {
  BoilerCase run = testing::worked_example();
  run.flue_gas.low_temp.return_temp_c = 60.0f;
  run.flue_gas.low_temp.flue_gas_temp_c = 80.0f;
  for (const float t : {20.0f, 60.0f, 75.0f}) {
    EXPECT_EQ(day_flue_gas_temperature(run, 1776.0, 0.0, t, t), 80.0f);
  }
}

TEST(DayFlueGasTemperature, ModulatingFollowsTheBoilerReturnAtMeanPower) {
  // The modulating day at −14 °C of the worked example: boiler return 45 °C; with the case-2
  // fit the flue gas leaves nearer the water than at full power.
  const BoilerCase run = testing::modulating_example();
  const double ntu = boiler_ntu(1776.171875, 80.0f, 60.0f);
  const float at_45 = day_flue_gas_temperature(run, 1776.171875, ntu, 0.0f, 45.0f);
  const float at_60 = day_flue_gas_temperature(run, 1776.171875, ntu, 0.0f, 60.0f);
  EXPECT_GT(at_45, 45.0f);
  EXPECT_LT(at_60, 80.0f);  // below case 2: mean power is below the maximum
  EXPECT_GT(at_60, at_45);
}

}  // namespace
}  // namespace varmkalk::core
