// SPDX-License-Identifier: GPL-3.0-or-later
// The sensitivity window's sweep of 200 points of the worked example: the points made and every
// year computed in memory on the sweeps' pool, on one thread and on every core. The climate files
// are read before, once, as the window reads them when it opens.
#include <benchmark/benchmark.h>

#include <QThread>

#include <vector>

#include "core/tests/support/worked_example.h"
#include "frontend/logic/sweep/sweep_inputs.h"
#include "frontend/logic/sweep/sweep_run.h"

namespace varmkalk {
namespace {

constexpr int kPoints = 200;

void sweep_of(benchmark::State& state, const core::BoilerCase& input, SweepInput varied,
              const SweepRange& range) {
  const SweepBase base{input, false};
  const QString climate_dir = QStringLiteral(KALVEX_CLIMATE_DIR);
  const auto climates = sweep_climates(base, climate_dir, climate_dir);
  const int threads = static_cast<int>(state.range(0));
  sweep_pool().setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
  for (auto _ : state) {
    std::vector<core::BoilerCase> cases;
    for (const SweepPoint& point : sweep_points(varied, base, range)) {
      cases.push_back(point.input);
    }
    benchmark::DoNotOptimize(start_sweep(std::move(cases), climates).results());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// The lowest return temperature from 20 to 65 °C under a single-stage burner.
void BM_SweepReturnTemp(benchmark::State& state) {
  sweep_of(state, testing::worked_example(), SweepInput::min_return_temp, {20.0, 65.0, kPoints});
}

// The modulating burner's maximum power from 5 to 30 kW.
void BM_SweepModulatingPower(benchmark::State& state) {
  sweep_of(state, testing::modulating_example(), SweepInput::burner_max_power,
           {5.0, 30.0, kPoints});
}

// 1: one thread; 0: one per core, as the window runs.
BENCHMARK(BM_SweepReturnTemp)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SweepModulatingPower)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace varmkalk
