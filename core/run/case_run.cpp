// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/case_run.h"

#include <new>
#include <stdexcept>

#include "core/case/climate_choice.h"
#include "core/files/run_error.h"
#include "core/formats/run_warnings.h"
#include "core/model/annual_sums.h"
#include "core/model/year.h"
#include "core/run/worker_threads.h"

namespace varmkalk::core {
namespace {

CaseResult refused(std::string message) {
  CaseResult result;
  result.message = std::move(message);
  return result;
}

// The engine's order: the climate file is opened, the year run, a refusal of the model named
// before a fault of the climate file that ended the year early.
CaseResult year_of(const core::BoilerCase& input, const FoundClimate& climate) {
  if (!climate.days) {
    return refused(climate.open_fault);
  }
  return case_result(input, climate, core::run_year(input, climate.days->records));
}

}  // namespace

FoundClimate find_climate(std::string_view name, const std::filesystem::path& work_dir,
                          const std::filesystem::path& fallback_dir) {
  FoundClimate found;
  try {
    core::ClimateFile file = core::open_climate_file(name, work_dir, fallback_dir);
    found.name = file.name();
    found.days = core::read_climate_days(file);
  } catch (const core::RunError& e) {
    found.open_fault = e.what();
  }
  return found;
}

FoundClimates::FoundClimates(std::span<const core::BoilerCase> cases,
                             const std::filesystem::path& work_dir,
                             const std::filesystem::path& fallback_dir) {
  for (const core::BoilerCase& input : cases) {
    const std::string_view name = core::climate_file_name(input.climate);
    if (years_.find(name) != years_.end()) {
      continue;
    }
    years_[std::string(name)] = find_climate(name, work_dir, fallback_dir);
  }
}

bool FoundClimates::has(const core::BoilerCase& input) const {
  return years_.contains(core::climate_file_name(input.climate));
}

const FoundClimate& FoundClimates::of(const core::BoilerCase& input) const {
  const std::string_view name = core::climate_file_name(input.climate);
  const auto found = years_.find(name);
  if (found == years_.end()) {
    throw std::out_of_range("climate file " + std::string(name) + " was not read");
  }
  return found->second;
}

CaseResult case_result(const core::BoilerCase& input, const FoundClimate& climate,
                       const core::YearResult& year) {
  if (year.refusal) {
    return refused(*year.refusal);
  }
  if (climate.days && climate.days->fault) {
    return refused(*climate.days->fault);
  }
  CaseResult result;
  result.status = year.totals.unmet_days > 0 ? CaseStatus::shortfall : CaseStatus::ok;
  for (const std::string& warning : core::run_warnings(year.totals)) {
    result.message += (result.message.empty() ? "" : " ") + warning;
  }
  result.efficiency_percent =
      core::annual_efficiency_percent(year.totals, core::PumpCredit::with_pump);
  result.efficiency_without_pump_percent =
      core::annual_efficiency_percent(year.totals, core::PumpCredit::without_pump);
  result.energies = core::summary_energies(input, year.totals);
  result.totals = year.totals;
  return result;
}

CaseResult run_case(const core::BoilerCase& input, const FoundClimate& climate) {
  try {
    return year_of(input, climate);
  } catch (const std::bad_alloc&) {
    return refused(std::string(kOutOfMemory));
  } catch (const std::exception& e) {
    return refused(e.what());
  }
}

std::vector<CaseResult> run_cases(std::span<const core::BoilerCase> cases,
                                  const FoundClimates& climates, unsigned workers) {
  // Looked up here, where a climate not read throws to the caller rather than in a worker.
  std::vector<const FoundClimate*> found;
  found.reserve(cases.size());
  for (const core::BoilerCase& input : cases) {
    found.push_back(&climates.of(input));
  }
  std::vector<CaseResult> results(cases.size());
  for_each_index(cases.size(), workers,
                 [&](std::size_t i) { results[i] = run_case(cases[i], *found[i]); });
  return results;
}

}  // namespace varmkalk::core
