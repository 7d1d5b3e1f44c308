// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/house_day.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/model/day_model.h"
#include "core/model/model_input_error.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// The worked house (8000 W at −14 °C in Malmö, indoors 20 °C, 55/45): the demand line falls to 0
// at 15 °C, so 0.5 °C is halfway, 4000 W and a relative load of 0.5.
TEST(HouseDay, FollowsTheDemandLineAndTheRadiatorsDesign) {
  const House house = house_of(testing::worked_example());
  const DesignConditions design = design_conditions(house);
  EXPECT_EQ(design.outdoor_temp_c, -14.0f);
  EXPECT_FLOAT_EQ(demand_span(house, design), 29.0f);

  const std::optional<HouseDay> design_day = house_day(house, design, {1, -14.0f});
  ASSERT_TRUE(design_day);
  EXPECT_EQ(design_day->heat_demand, 8000.0f);
  EXPECT_EQ(design_day->relative_load, 1.0f);
  EXPECT_NEAR(design_day->heating.supply_temp, 55.0f, 1e-4f);
  EXPECT_NEAR(design_day->heating.return_temp, 45.0f, 1e-4f);

  const std::optional<HouseDay> mild = house_day(house, design, {2, 0.5f});
  ASSERT_TRUE(mild);
  EXPECT_FLOAT_EQ(mild->heat_demand, 4000.0f);
  EXPECT_FLOAT_EQ(mild->relative_load, 0.5f);
  EXPECT_LT(mild->heating.supply_temp, 55.0f);
  EXPECT_GT(mild->heating.return_temp, house.indoor_temp_c);

  // Beyond the design day the line goes on: the house asks for more than its design demand.
  EXPECT_GT(house_day(house, design, {3, -20.0f})->heat_demand, 8000.0f);
}

TEST(HouseDay, NoHeatAtTheHeatingLimitNorAboveTheLinesZero) {
  House house = house_of(testing::worked_example());
  const DesignConditions design = design_conditions(house);
  EXPECT_TRUE(house_day(house, design, {1, 14.9f}));
  EXPECT_FALSE(house_day(house, design, {1, 14.95f}));
  // Indoors at 19 °C the line reaches 0 at 14 °C: a day of 14.5 °C is below the limit but warm.
  house.indoor_temp_c = 19.0f;
  EXPECT_FALSE(house_day(house, design_conditions(house), {1, 14.5f}));
  // A demand beyond the float range is refused, naming the day.
  house.design_heat_demand_w = std::numeric_limits<float>::max();
  try {
    house_day(house, design_conditions(house), {7, -40.0f});
    FAIL() << "no refusal";
  } catch (const ModelInputError& refusal) {
    EXPECT_EQ(std::string(refusal.what()).rfind("Dag 7 med utetemperaturen -40 °C", 0), 0u);
  }
}

// The boiler's day is built on the house's: the same demand and radiator temperatures, for both
// heating systems and every day the boiler heats.
TEST(HouseDay, IsTheDayTheBoilerHeats) {
  for (const HeatingSystem system :
       {HeatingSystem::radiators_80_60, HeatingSystem::radiators_55_45}) {
    BoilerCase input = testing::worked_example();
    input.heating_system = design_temperatures(system);
    const House house = house_of(input);
    const ModelConstants constants = start_model(input, design_conditions(input));
    int days = 0;
    for (float outdoor = -30.0f; outdoor < 16.0f; outdoor += 0.7f) {
      const ClimateRecord record{days + 1, outdoor};
      const std::optional<HouseDay> wanted = house_day(house, constants.design, record);
      const std::optional<DayBalance> boiler = simulate_day(input, constants, record);
      ASSERT_EQ(wanted.has_value(), boiler.has_value()) << outdoor;
      if (boiler) {
        ++days;
        EXPECT_EQ(boiler->heat_demand, wanted->heat_demand);
        EXPECT_EQ(boiler->supply_temp, wanted->heating.supply_temp);
        EXPECT_EQ(boiler->return_temp, wanted->heating.return_temp);
      }
    }
    EXPECT_GT(days, 50);
  }
}

}  // namespace
}  // namespace varmkalk::core
