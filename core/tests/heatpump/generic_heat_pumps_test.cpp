// SPDX-License-Identifier: GPL-3.0-or-later
// The generic heat pumps: their ids, their COP from the median efficiency against the ideal COP,
// their capacity scaled by the rating, and the same behaviour as a declared unit's model.
#include "core/heatpump/generic_heat_pumps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/heatpump/season_tables.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

constexpr std::array<GenericHeatPump, 3> kTypes{GenericHeatPump::air, GenericHeatPump::brine,
                                                GenericHeatPump::exhaust};

TEST(GenericHeatPumps, IdsReadBackAndOthersAreRefused) {
  for (const GenericHeatPump type : kTypes) {
    EXPECT_EQ(generic_heat_pump_from_id(generic_heat_pump_id(type)), type);
  }
  EXPECT_EQ(generic_heat_pump_id(GenericHeatPump::brine), "brine");
  for (const char* id : {"", "Air", "ground", "air "}) {
    EXPECT_FALSE(generic_heat_pump_from_id(id)) << id;
  }
  for (const double rating_kw : {0.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(generic_heat_pump_model(GenericHeatPump::air, rating_kw), ModelInputError);
  }
}

// The COP at a point of the efficiency table, at that family's flow of the average climate:
// η × (T_flow / (T_flow − T_source)), kelvin.
TEST(GenericHeatPumps, CopFromTheMedianEfficiency) {
  struct Case {
    GenericHeatPump type;
    double outdoor_c;
    double flow_c;
    double expected;
  };
  for (const Case& c : {
           Case{GenericHeatPump::air, -7, 34, 0.396 * 307.15 / 41},
           Case{GenericHeatPump::air, 12, 30, 0.373 * 303.15 / 18},
           Case{GenericHeatPump::brine, 2, 42, 0.529 * 315.15 / 42},  // 0 °C brine
           Case{GenericHeatPump::exhaust, 7, 27, 0.522 * 300.15 / 27},
       }) {
    const HeatPumpModel model = generic_heat_pump_model(c.type, 8);
    EXPECT_NEAR(heat_pump_cop(model, c.outdoor_c, c.flow_c), c.expected, 1e-9)
        << generic_heat_pump_id(c.type) << " " << c.outdoor_c;
  }
}

TEST(GenericHeatPumps, CapacityScalesWithTheRatingAndCopFallsWithTheFlow) {
  for (const GenericHeatPump type : kTypes) {
    const HeatPumpModel small = generic_heat_pump_model(type, 4);
    const HeatPumpModel large = generic_heat_pump_model(type, 12);
    for (const double outdoor_c : {-25.0, -10.0, 0.0, 10.0}) {
      for (const double flow_c : {30.0, 45.0, 55.0}) {
        EXPECT_NEAR(full_capacity_kw(large, outdoor_c, flow_c),
                    3 * full_capacity_kw(small, outdoor_c, flow_c), 1e-9);
        EXPECT_NEAR(minimum_capacity_kw(large, outdoor_c, flow_c),
                    3 * minimum_capacity_kw(small, outdoor_c, flow_c), 1e-9);
        EXPECT_LT(minimum_capacity_kw(small, outdoor_c, flow_c),
                  full_capacity_kw(small, outdoor_c, flow_c));
        EXPECT_GT(heat_pump_cop(small, outdoor_c, flow_c),
                  heat_pump_cop(small, outdoor_c, flow_c + 5));
        EXPECT_EQ(cycling_loss(small, outdoor_c, flow_c), 0.9);
      }
    }
  }
  // The outdoor-air unit at −15 °C on the colder 35 °C curve (32 °C): 0.864 of its rating.
  const HeatPumpModel air = generic_heat_pump_model(GenericHeatPump::air, 10);
  EXPECT_NEAR(full_capacity_kw(air, -15, 32), 8.64, 1e-9);
  EXPECT_EQ(operate(air, -21, 35, 5).backup_kw, 5);  // below its operation limit, −20 °C
}

}  // namespace
}  // namespace varmkalk::core
