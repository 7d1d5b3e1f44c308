// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/model/year.h"
#include "core/run/case_run.h"

#include <QString>

#include <memory>
#include <optional>
#include <string_view>
#include <variant>

namespace varmkalk {

// The climate file as the engine finds it (the folder, else `fallback_dir`; empty: none): its
// days, or why it cannot be read to its end.
std::variant<core::ClimateDays, QString> read_climate(std::string_view file_name,
                                                      const QString& folder,
                                                      const QString& fallback_dir);

// A case's year, run once in memory, for everything shown of it: its cost, its notices and its
// charts all take this one year.
struct CaseYear {
  core::BoilerCase input;
  std::shared_ptr<const core::FoundClimate> climate;
  // Run where the climate file was read to its end; empty there only when memory ran out.
  std::optional<core::YearResult> year;
};

// A calculation's year, or why its case cannot be read.
using CalculationYear = std::variant<CaseYear, QString>;

// The case's climate file as the engine finds it: the folder, else `climate_fallback_dir`.
std::shared_ptr<const core::FoundClimate> find_case_climate(const core::BoilerCase& input,
                                                            const QString& folder,
                                                            const QString& climate_fallback_dir);

// The year of `input` on `climate`, the climate of its own climate file.
CaseYear case_year(const core::BoilerCase& input,
                   std::shared_ptr<const core::FoundClimate> climate);

// The year the engine has just computed in `folder`: its styrfil.dat and its climate file found
// as the engine finds it (the folder, else `climate_fallback_dir`), the year run in memory. Why
// there is none where the control file cannot be read.
CalculationYear folder_year(const QString& folder, const QString& climate_fallback_dir);

// Why the calculation has no complete year: its case or its climate file cannot be read (to its
// end), memory ran out, or the model refused the case. Empty where it has one.
std::optional<QString> year_fault(const CalculationYear& computed);

}  // namespace varmkalk
