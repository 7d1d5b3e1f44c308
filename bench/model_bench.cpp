// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/generators/heat_pump_year.h"
#include "core/heatpump/heat_pump_installation.h"
#include "core/model/day_model.h"
#include "core/model/start_model.h"
#include "core/model/year.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

// A synthetic year: a cosine from −7 °C in mid-January to 19 °C in mid-July, to one decimal
// like the climate files; about two thirds of its days are heating days.
std::vector<ClimateRecord> synthetic_year() {
  std::vector<ClimateRecord> year;
  for (int day = 1; day <= 365; ++day) {
    const double phase = 2.0 * std::numbers::pi * (day - 15) / 365.0;
    const double temp = 6.0 - 13.0 * std::cos(phase);
    year.push_back({day, static_cast<float>(std::round(temp * 10.0) / 10.0)});
  }
  return year;
}

void simulate_one_day(benchmark::State& state, const BoilerCase& input) {
  const ModelConstants constants = start_model(input, design_conditions(input));
  const ClimateRecord record{100, 0.0f};
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulate_day(input, constants, record));
  }
}

// The whole year in memory, as the engine, the charts and the sweeps run it.
void simulate_one_year(benchmark::State& state, const BoilerCase& input) {
  const std::vector<ClimateRecord> year = synthetic_year();
  for (auto _ : state) {
    benchmark::DoNotOptimize(run_year(input, year));
  }
}

void BM_SimulateDaySingleStage(benchmark::State& state) {
  simulate_one_day(state, testing::worked_example());
}
void BM_SimulateDayModulating(benchmark::State& state) {
  simulate_one_day(state, testing::modulating_example());
}
void BM_YearSingleStage(benchmark::State& state) {
  simulate_one_year(state, testing::worked_example());
}
void BM_YearModulating(benchmark::State& state) {
  simulate_one_year(state, testing::modulating_example());
}

// A heat pump's year in the worked example's house, beside the boiler's year above.
void BM_HeatPumpYearGenericAir(benchmark::State& state) {
  const std::vector<ClimateRecord> year = synthetic_year();
  const BoilerCase input = testing::worked_example();
  const HeatPumpInstallation installation = installed_generic(GenericHeatPump::air, 8.0, {});
  for (auto _ : state) {
    benchmark::DoNotOptimize(heat_pump_year(input, installation, year));
  }
}

BENCHMARK(BM_SimulateDaySingleStage);
BENCHMARK(BM_SimulateDayModulating);
BENCHMARK(BM_YearSingleStage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YearModulating)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeatPumpYearGenericAir)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varmkalk::core
