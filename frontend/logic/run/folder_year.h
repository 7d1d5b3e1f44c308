// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/model/year.h"

#include <QString>

#include <string_view>
#include <variant>

namespace varmkalk {

// The climate file as the engine finds it (the folder, else `fallback_dir`; empty: none): its
// days, or why it cannot be read to its end.
std::variant<core::ClimateDays, QString> read_climate(std::string_view file_name,
                                                      const QString& folder,
                                                      const QString& fallback_dir);

// The year the engine has just computed in a folder, run again in memory.
struct FolderYear {
  core::BoilerCase input;
  core::ClimateDays climate;
  core::YearResult year;
};

// The year of `input` on its climate file found as the engine finds it (the folder, else
// `climate_fallback_dir`), run in memory: the year, or why there is none.
std::variant<FolderYear, QString> case_year(const core::BoilerCase& input, const QString& folder,
                                            const QString& climate_fallback_dir);

// From the folder's styrfil.dat and its climate file found as the engine finds it: the year, or
// why there is none (the control file or the climate file cannot be read, memory ran out, or the
// model refused the case).
std::variant<FolderYear, QString> folder_year(const QString& folder,
                                              const QString& climate_fallback_dir);

}  // namespace varmkalk
