// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/model/year.h"

namespace varmkalk::testing {

// The case's year as the engine computes it: the case's climate file opened from `work_dir` or,
// when it is not there, from `fallback_dir` (empty: none), its days read, then the model.
inline core::YearResult year_on_climate_file(const core::BoilerCase& input,
                                             const std::filesystem::path& work_dir,
                                             const std::filesystem::path& fallback_dir) {
  core::ClimateFile file =
      core::open_climate_file(core::climate_file_name(input.climate), work_dir, fallback_dir);
  return core::run_year(input, core::read_climate_days(file).records);
}

}  // namespace varmkalk::testing
