// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <variant>

#include "core/cost/meter_fit.h"
#include "core/cost/year_cost.h"
#include "core/formats/control_file.h"

namespace varmkalk::core {
namespace {

// The example case fitted to a meter a fifth above its own year's gas on the bill's basis, its
// form's demand the search's start: what "Anpassa till mätaren…" and each metered row of
// kalvex-batch do.
void BM_MeterFitExampleCase(benchmark::State& state) {
  const BoilerCase input = read_control_file(KALVEX_EXAMPLE_DIR);
  const FoundClimate climate =
      find_climate(climate_file_name(input.climate), KALVEX_CLIMATE_DIR, {});
  const CostInputs prices = default_cost_inputs();
  const double metered_kwh =
      std::get<YearCost>(case_cost(input, climate, prices).cost).gas_bill_kwh * 1.2;
  int evaluations = 0;
  for (auto _ : state) {
    const auto fit = fit_to_meter(input, climate, prices, metered_kwh);
    if (const auto* found = std::get_if<MeterFit>(&fit)) {
      evaluations = found->evaluations;
    } else {
      state.SkipWithError("the example case found no fit");
    }
    benchmark::DoNotOptimize(fit);
  }
  state.counters["years"] = evaluations;
}

BENCHMARK(BM_MeterFitExampleCase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varmkalk::core
