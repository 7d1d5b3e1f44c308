// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-batch on generated cases: 10,000 rows in process on one thread and on every core, and
// the whole program from reading the table to writing the results, on 10,000 and on a million
// rows, with the program's peak memory; the same with a heat pump in every row, and with each
// row fitted to a meter too.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/run/case_run.h"
#include "core/text/number_text.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/tests/batch_table.h"

extern char** environ;

namespace varmkalk::batch {
namespace {

namespace fs = std::filesystem;

constexpr int kCases = 10000;
constexpr long kKibPerMib = 1024;

float rounded(float value, float step) {
  return std::round(value / step) * step;
}

// Sensible houses and boilers over the six climates and both heating systems: burners from too
// small to far too large, single-stage and modulating, condensing and not.
std::vector<core::BoilerCase> generated_cases(unsigned seed = 2024) {
  std::mt19937 random(seed);
  const auto uniform = [&](float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  };
  std::vector<core::BoilerCase> cases;
  for (int i = 0; i < kCases; ++i) {
    core::BoilerCase input;
    input.building = {rounded(uniform(3000, 30000), 100), rounded(uniform(15, 25), 0.1f),
                      rounded(uniform(20, 65), 1)};
    const float max_power = std::clamp(
        rounded(input.building.design_heat_demand_w * uniform(0.6f, 2.5f), 100), 5000.0f, 40000.0f);
    input.burner = core::Burner(max_power, uniform(0, 1) < 0.5f
                                               ? max_power
                                               : rounded(max_power * uniform(0.15f, 0.7f), 100));
    input.combustion = {rounded(uniform(1.05f, 1.6f), 0.01f),
                        uniform(0, 1) < 0.35f ? rounded(uniform(5, 200), 1) : 0.0f};
    const float supply_1 = rounded(uniform(30, 55), 0.1f);
    const float return_1 = std::max(20.0f, rounded(supply_1 - uniform(4, 15), 0.1f));
    const float supply_2 = rounded(uniform(60, 90), 0.1f);
    const float return_2 = std::min(70.0f, std::max(return_1 + 5, rounded(supply_2 - 12, 0.1f)));
    const float flue_1 = std::clamp(rounded(return_1 + uniform(2, 60), 0.1f), 35.0f, 250.0f);
    input.flue_gas.low_temp = {flue_1, supply_1, return_1};
    input.flue_gas.high_temp = {std::max(return_2 + 2, flue_1 + (return_2 - return_1)), supply_2,
                                return_2};
    input.losses = {rounded(uniform(0.1f, 2), 0.01f), rounded(uniform(0.1f, 3), 0.01f),
                    rounded(uniform(0.5f, 1.8f), 0.01f)};
    input.pump = {uniform(0, 1) < 0.7f ? rounded(uniform(10, 120), 1) : 0.0f, 75.0f};
    input.hot_water = {uniform(0, 1) < 0.7f ? rounded(uniform(1000, 8000), 100) : 0.0f,
                       uniform(0, 1) < 0.7f ? rounded(uniform(20, 150), 1) : 0.0f};
    input.climate = core::kClimates[static_cast<std::size_t>(i) % core::kClimates.size()].place;
    input.heating_system = core::design_temperatures(
        i % 3 == 0 ? core::HeatingSystem::radiators_80_60 : core::HeatingSystem::radiators_55_45);
    cases.push_back(input);
  }
  return cases;
}

// The rows in process on state.range(0) threads, 0 meaning one per core.
void BM_BatchRows(benchmark::State& state) {
  const BatchInput input = read_batch_input(batch_table(generated_cases()), "bench.csv");
  std::vector<core::BoilerCase> cases;
  for (const BatchRow& row : input.rows) {
    cases.push_back(row.input);
  }
  const core::FoundClimates climates(cases, KALVEX_CLIMATE_DIR, fs::path());
  auto threads = static_cast<unsigned>(state.range(0));
  if (threads == 0) {
    threads = std::max(1u, std::thread::hardware_concurrency());
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(core::run_cases(cases, climates, threads));
  }
  state.counters["threads"] = threads;
  state.counters["cases/s"] =
      benchmark::Counter(kCases, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BatchRows)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a generated table holds beside the boiler's columns.
enum class Extra { none, heat_pump, meter_and_heat_pump };

// The block's rows with the extra columns appended: a generic heat pump of each house's design
// demand, of the three types in turn, and a meter reading near what such a house uses.
std::string with_extra(const std::string& block, const std::vector<core::BoilerCase>& cases,
                       Extra extra) {
  if (extra == Extra::none) {
    return block;
  }
  constexpr std::array<std::string_view, 3> kTypes{"air", "brine", "exhaust"};
  constexpr float kKwhPerDesignW = 2.4f;  // a Swedish house's year of gas per W of design demand
  const bool meter = extra == Extra::meter_and_heat_pump;
  std::string text;
  std::size_t start = 0;
  for (std::size_t line = 0; start < block.size(); ++line) {
    const std::size_t end = block.find("\r\n", start);
    text += block.substr(start, end - start);
    if (line == 0) {
      text += meter ? ",metered_gas_kwh,hp_type,hp_capacity_kw" : ",hp_type,hp_capacity_kw";
    } else {
      const core::BoilerCase& input = cases[line - 1];
      const float demand_kw = input.building.design_heat_demand_w / 1000.0f;
      if (meter) {
        text +=
            "," + core::shortest_text(rounded(input.building.design_heat_demand_w * kKwhPerDesignW +
                                                  input.hot_water.annual_demand_kwh,
                                              10));
      }
      text += "," + std::string(kTypes[line % kTypes.size()]) + "," +
              core::shortest_text(std::clamp(rounded(demand_kw, 0.5f), 1.0f, 100.0f));
    }
    text += "\r\n";
    start = end + 2;
  }
  return text;
}

// A table of `rows` generated cases, written a block of kCases at a time so that the largest
// table need not be in memory.
void write_generated_table(const fs::path& path, long rows, Extra extra) {
  std::ofstream file(path, std::ios::binary);
  for (long written = 0; written < rows; written += kCases) {
    const std::vector<core::BoilerCase> cases =
        generated_cases(static_cast<unsigned>(written / kCases + 2024));
    const std::string block = with_extra(batch_table(cases), cases, extra);
    const std::size_t header_end = block.find('\n') + 1;
    std::size_t end = header_end;
    for (long row = 0; row < std::min<long>(kCases, rows - written); ++row) {
      end = block.find('\n', end) + 1;
    }
    file << (written == 0 ? block.substr(0, end) : block.substr(header_end, end - header_end));
  }
}

// The whole program on a table of state.range(0) rows in a fresh folder: reading, every row,
// writing the results, and the program's peak memory and processor time.
void run_batch_process(benchmark::State& state, Extra extra) {
  const long rows = state.range(0);
  const fs::path root = fs::temp_directory_path() / "kalvex-batch-bench";
  fs::remove_all(root);
  fs::create_directories(root);
  write_generated_table(root / "in.csv", rows, extra);
  long peak_kib = 0;
  double cpu_s = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(root / "out.csv");
    state.ResumeTiming();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, root.c_str());
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char program[] = KALVEX_BATCH_PROGRAM;
    char input[] = "in.csv";
    char output[] = "out.csv";
    char* argv[] = {program, input, output, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
      throw std::runtime_error("kalvex-batch could not be started");
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    peak_kib = std::max(peak_kib, usage.ru_maxrss);
    cpu_s += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
             static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
      state.SkipWithError("kalvex-batch could not run the generated cases");
    }
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["cases/s"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["peak_MiB"] = static_cast<double>(peak_kib) / kKibPerMib;
  // The program's processor time per run, on all its threads.
  state.counters["cpu_s"] = benchmark::Counter(cpu_s, benchmark::Counter::kAvgIterations);
  fs::remove_all(root);
}

void BM_KalvexBatchProcess(benchmark::State& state) {
  run_batch_process(state, Extra::none);
}
// Each row with a generic heat pump beside its boiler.
void BM_KalvexBatchHeatPump(benchmark::State& state) {
  run_batch_process(state, Extra::heat_pump);
}
// Each row fitted to its meter, with the heat pump in the fitted house.
void BM_KalvexBatchMeterHeatPump(benchmark::State& state) {
  run_batch_process(state, Extra::meter_and_heat_pump);
}
BENCHMARK(BM_KalvexBatchProcess)->Arg(kCases)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KalvexBatchHeatPump)->Arg(kCases)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KalvexBatchMeterHeatPump)->Arg(kCases)->Unit(benchmark::kMillisecond)->UseRealTime();
// A building stock's size: a million rows, once.
BENCHMARK(BM_KalvexBatchProcess)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_KalvexBatchMeterHeatPump)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
}  // namespace varmkalk::batch
