#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "model.h"

namespace kalvex {
namespace {

// A house of 8 kW at −14 °C on a 55/45 system with a 15 kW single-stage burner; the
// modulating case runs from 4 kW up.
RunParameters single_stage_case() {
  RunParameters run;
  run.convection_constant = 1.0f;
  run.standby_constant = 1.0f;
  run.standby_exponent = 1.25f;
  run.burner_max_power = 15000.0f;
  run.burner_min_power = 15000.0f;
  run.air_ratio = 1.2f;
  run.flue_gas_temp_1 = 60.0f;
  run.return_temp_1 = 30.0f;
  run.flue_gas_temp_2 = 80.0f;
  run.return_temp_2 = 60.0f;
  run.pump_power = 60.0f;
  run.pump_efficiency = 75.0f;
  run.design_heat_demand = 8000.0f;
  run.indoor_temp = 20.0f;
  run.min_return_temp = 35.0f;
  run.hot_water_demand = 5000.0f;
  run.heater_loss = 45.0f;
  run.design_outdoor_temp = -14.0f;
  run.design_supply_temp = 55.0f;
  run.design_return_temp = 45.0f;
  return run;
}

RunParameters modulating_case() {
  RunParameters run = single_stage_case();
  run.burner_min_power = 4000.0f;
  return run;
}

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

void simulate_one_day(benchmark::State& state, const RunParameters& run) {
  const ModelConstants constants = start_model(run);
  const ClimateRecord record{100, 0.0f};
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulate_day(run, constants, record));
  }
}

void simulate_one_year(benchmark::State& state, const RunParameters& run) {
  const std::vector<ClimateRecord> year = synthetic_year();
  for (auto _ : state) {
    const ModelConstants constants = start_model(run);
    AnnualTotals totals;
    for (const ClimateRecord& record : year) {
      if (const std::optional<DayBalance> day = simulate_day(run, constants, record)) {
        record_day(totals, *day);
      }
    }
    finish_year(totals);
    benchmark::DoNotOptimize(totals);
  }
}

void BM_SimulateDaySingleStage(benchmark::State& state) {
  simulate_one_day(state, single_stage_case());
}
void BM_SimulateDayModulating(benchmark::State& state) {
  simulate_one_day(state, modulating_case());
}
void BM_YearSingleStage(benchmark::State& state) {
  simulate_one_year(state, single_stage_case());
}
void BM_YearModulating(benchmark::State& state) {
  simulate_one_year(state, modulating_case());
}

BENCHMARK(BM_SimulateDaySingleStage);
BENCHMARK(BM_SimulateDayModulating);
BENCHMARK(BM_YearSingleStage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YearModulating)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvex
