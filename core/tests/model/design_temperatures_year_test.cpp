// SPDX-License-Identifier: GPL-3.0-or-later
// What the heating system's design temperatures do to a condensing boiler's year.
#include <gtest/gtest.h>

#include <vector>

#include "core/model/annual_sums.h"
#include "core/model/model_input_error.h"
#include "core/model/start_model.h"
#include "core/tests/support/climate_year.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// From old radiators down to floor heating.
const std::vector<DesignTemperatures> kWarmToCool{
    {80.0f, 60.0f}, {70.0f, 50.0f}, {55.0f, 45.0f}, {45.0f, 35.0f}, {35.0f, 28.0f}};

// A modulating boiler's efficiency over the year, its body's losses to the room left out: a
// cooler boiler loses less through its jacket whatever its return, which would hide what the
// return does. (A single-stage burner's flue gas follows the radiators' return, not the boiler's.)
std::vector<float> efficiencies(float min_return_temp_c) {
  std::vector<float> found;
  for (const DesignTemperatures& system : kWarmToCool) {
    BoilerCase input = testing::worked_example();
    input.burner = Burner(18000.0f, 5000.0f);
    input.losses = {0.0f, 0.0f, 1.0f};
    input.building.min_return_temp_c = min_return_temp_c;
    input.heating_system = system;
    const YearResult year = testing::year_on_climate_file(input, VARMKALK_CLIMATE_TEST_DATA, {});
    EXPECT_TRUE(year.complete());
    found.push_back(annual_efficiency(year.totals, PumpCredit::without_pump).value_or(0.0f));
  }
  return found;
}

// Water returning below the flue gas's dew point condenses it: the cooler the system, the more
// of the year below it. A boiler that keeps its return at 65 °C never gets there.
TEST(DesignTemperaturesYear, ACondensingBoilerGainsAsTheSystemRunsCoolerUnlessItsReturnStaysHigh) {
  const std::vector<float> following = efficiencies(20.0f);
  for (std::size_t i = 1; i < following.size(); ++i) {
    EXPECT_GT(following[i], following[i - 1]) << i;
  }
  EXPECT_GT(following.back() - following.front(), 0.005f);

  const std::vector<float> kept_high = efficiencies(65.0f);
  for (std::size_t i = 1; i < kept_high.size(); ++i) {
    EXPECT_NEAR(kept_high[i], kept_high[0], 1e-4f) << i;
  }
  EXPECT_LT(kept_high.front(), following.front());
}

TEST(DesignTemperaturesYear, TheModelRefusesATypedSupplyOutOfRange) {
  BoilerCase input = testing::worked_example();
  input.heating_system = {96.0f, 70.0f};
  try {
    start_model(input, design_conditions(input));
    ADD_FAILURE() << "no refusal";
  } catch (const ModelInputError& e) {
    EXPECT_STREQ(e.what(),
                 "Värmesystemets dimensionerande framledningstemperatur 96 °C ligger utanför "
                 "25–95 °C");
  }
  input.heating_system = {95.0f, 70.0f};
  EXPECT_NO_THROW(start_model(input, design_conditions(input)));
}

}  // namespace
}  // namespace varmkalk::core
