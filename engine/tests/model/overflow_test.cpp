// Input at the edge of the float range: the model either computes a day or refuses it, and
// never mistakes an overflow for free heat.
#include <gtest/gtest.h>

#include "model.h"
#include "worked_example.h"

namespace kalvex {
namespace {

// Found by the robustness catalogue: a single-stage burner of 3.3e38 W with a condensing gain
// overflowed in its heat less the flue-gas loss, and the day was passed over as if it needed
// no heat, so the run ended "complete" without that day.
TEST(Overflow, BurnerAtTheEndOfTheFloatRangeIsRefusedNotSkipped) {
  RunParameters run = test::worked_example();
  run.return_temp_1 = 40.0f;  // condensing: a flue-gas temperature of about 50 °C
  run.flue_gas_temp_1 = 40.0f;
  run.burner_max_power = 3.3e38f;
  run.burner_min_power = 3.3e38f;
  const ModelConstants constants = start_model(run);
  const ClimateRecord cold_day{1, -4.8f};
  EXPECT_THROW(simulate_day(run, constants, cold_day), ModelInputError);

  // Well inside the range the same boiler gets its day computed.
  run.burner_max_power = 1e30f;
  run.burner_min_power = 1e30f;
  EXPECT_TRUE(simulate_day(run, start_model(run), cold_day).has_value());
}

// A design demand near the end of the float range overflowed the demand line to inf − inf, and
// every day was passed over as needing no heat: a "complete" run with no heating day at all.
TEST(Overflow, DesignDemandAtTheEndOfTheFloatRangeIsRefusedNotSkipped) {
  RunParameters run = test::worked_example();
  run.design_heat_demand = 3e38f;
  const ModelConstants constants = start_model(run);
  EXPECT_THROW(simulate_day(run, constants, ClimateRecord{1, -4.8f}), ModelInputError);
}

}  // namespace
}  // namespace kalvex
