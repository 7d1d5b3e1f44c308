// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/formats/summary_energies.h"
#include "core/model/annual_totals.h"
#include "core/model/year.h"

namespace varmkalk::core {

enum class CaseStatus { ok, shortfall, error };

// One case's year as the engine's summary report and its messages give it.
struct CaseResult {
  CaseStatus status = CaseStatus::error;
  // The engine's message when it refused the case; else its warnings, if any.
  std::string message;
  std::optional<float> efficiency_percent;               // empty when no day needed heat
  std::optional<float> efficiency_without_pump_percent;  // the same
  SummaryEnergies energies;
  AnnualTotals totals;
};

// A climate file as the engine finds it: its days, or why it could not be opened.
struct FoundClimate {
  std::optional<ClimateDays> days;
  std::string open_fault;
  std::string name;  // names the file in messages (UTF-8); empty where it was not opened
};

// The climate file named `name`, opened and read as the engine finds it: from the working folder
// or, where that has none, from the fallback folder (empty: none).
FoundClimate find_climate(std::string_view name, const std::filesystem::path& work_dir,
                          const std::filesystem::path& fallback_dir);

// The climate files of the cases, each read once, from the working folder or, where that has
// none, from the fallback folder (empty: none), as the engine looks for them.
class FoundClimates {
 public:
  FoundClimates(std::span<const BoilerCase> cases, const std::filesystem::path& work_dir,
                const std::filesystem::path& fallback_dir);

  // Whether the case's climate file was among those read.
  bool has(const BoilerCase& input) const;
  // The case's climate file as read; throws std::out_of_range for one that was not read.
  const FoundClimate& of(const BoilerCase& input) const;

 private:
  std::map<std::string, FoundClimate, std::less<>> years_;
};

// The case's year on its climate: what the engine would report for the same control file, or
// the message it would end with.
CaseResult run_case(const BoilerCase& input, const FoundClimate& climate);

// The same for a year of the case already run on the climate's days: the model's refusal named
// before a fault of the climate file that ended the year early, as the engine names them.
CaseResult case_result(const BoilerCase& input, const FoundClimate& climate,
                       const YearResult& year);

// Every case on `workers` threads (at least one); the results in the cases' order. Throws
// std::out_of_range, before any case runs, for a case whose climate `climates` did not read.
std::vector<CaseResult> run_cases(std::span<const BoilerCase> cases, const FoundClimates& climates,
                                  unsigned workers);

}  // namespace varmkalk::core
