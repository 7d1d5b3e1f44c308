// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/formats/summary_energies.h"
#include "core/model/annual_totals.h"

namespace varmkalk::batch {

enum class RowStatus { ok, shortfall, error };

// One case's year as the engine's summary report and its messages give it.
struct RowResult {
  RowStatus status = RowStatus::error;
  // The engine's message when it refused the case; else its warnings, if any.
  std::string message;
  std::optional<float> efficiency_percent;               // empty when no day needed heat
  std::optional<float> efficiency_without_pump_percent;  // the same
  core::SummaryEnergies energies;
  core::AnnualTotals totals;
};

// A climate file as the engine finds it: its days, or why it could not be opened.
struct ClimateYear {
  std::optional<core::ClimateDays> days;
  std::string open_fault;
};

// The climate files of the cases, each read once, from the working folder or, where that has
// none, from the fallback folder (empty: none), as the engine looks for them.
class ClimateYears {
 public:
  ClimateYears(std::span<const core::BoilerCase> cases, const std::filesystem::path& work_dir,
               const std::filesystem::path& fallback_dir);

  const ClimateYear& of(const core::BoilerCase& input) const;

 private:
  std::map<std::string, ClimateYear, std::less<>> years_;
};

// The case's year on its climate: what the engine would report for the same control file, or
// the message it would end with.
RowResult run_case(const core::BoilerCase& input, const ClimateYear& climate);

// Every case on `workers` threads (at least one); the results in the cases' order.
std::vector<RowResult> run_cases(std::span<const core::BoilerCase> cases,
                                 const ClimateYears& climates, unsigned workers);

}  // namespace varmkalk::batch
