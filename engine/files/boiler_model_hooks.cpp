#include "boiler_model_hooks.h"

#include "model.h"

namespace kalvex {

ModelHooks boiler_model_hooks() {
  ModelHooks hooks;
  hooks.start = [](const RunParameters& run) -> DaySimulator {
    return [&run, constants = start_model(run)](const ClimateRecord& record) {
      return simulate_day(run, constants, record);
    };
  };
  hooks.record_day = record_day;
  hooks.finish_year = finish_year;
  return hooks;
}

}  // namespace kalvex
