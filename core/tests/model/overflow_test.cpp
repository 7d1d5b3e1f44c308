// SPDX-License-Identifier: GPL-3.0-or-later
// Input at the edge of the float range: the model either computes a day or refuses it, and
// never mistakes an overflow for free heat.
#include <gtest/gtest.h>

#include "core/model/day_model.h"
#include "core/model/start_model.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// Found by the robustness catalogue: a single-stage burner of 3.3e38 W with a condensing gain
// overflowed in its heat less the flue-gas loss, and the day was passed over as if it needed
// no heat, so the run ended "complete" without that day.
TEST(Overflow, BurnerAtTheEndOfTheFloatRangeIsRefusedNotSkipped) {
  BoilerCase run = testing::worked_example();
  run.flue_gas.low_temp.return_temp_c = 40.0f;  // condensing: a flue-gas temperature of about 50 °C
  run.flue_gas.low_temp.flue_gas_temp_c = 40.0f;
  run.burner = Burner::single_stage(3.3e38f);
  const ModelConstants constants = start_model(run, design_conditions(run));
  const ClimateRecord cold_day{1, -4.8f};
  EXPECT_THROW(simulate_day(run, constants, cold_day), ModelInputError);

  // Well inside the range the same boiler gets its day computed.
  run.burner = Burner::single_stage(1e30f);
  EXPECT_TRUE(simulate_day(run, start_model(run, design_conditions(run)), cold_day).has_value());
}

// A design demand near the end of the float range overflowed the demand line to inf − inf, and
// every day was passed over as needing no heat: a "complete" run with no heating day at all.
TEST(Overflow, DesignDemandAtTheEndOfTheFloatRangeIsRefusedNotSkipped) {
  BoilerCase run = testing::worked_example();
  run.building.design_heat_demand_w = 3e38f;
  const ModelConstants constants = start_model(run, design_conditions(run));
  EXPECT_THROW(simulate_day(run, constants, ClimateRecord{1, -4.8f}), ModelInputError);
}

}  // namespace
}  // namespace varmkalk::core
