// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <span>

#include "core/case/boiler_case.h"
#include "core/formats/climate_file.h"
#include "core/model/climate_record.h"
#include "core/model/year.h"

namespace varmkalk::engine {

// How the run computes the year; the boiler model unless a test stands in for it.
using YearModel =
    std::function<core::YearResult(const core::BoilerCase&, std::span<const core::ClimateRecord>)>;

// One engine run from start to stop: reads the control file, creates the four result files,
// reads the chosen climate file, runs the year, writes the daily lines and finally the summary
// report twice; resultat.dat is closed last. A complete run writes two empty lines to `out`,
// warnings (if any) to `err`, and returns 0. Any fault ends the run with one Swedish line on
// `err` and returns 1; files created before it stay, the daily files with the days before it.
int run_kalvex(const core::RunFolders& folders, std::ostream& out, std::ostream& err,
               const YearModel& year_model = core::run_year);

}  // namespace varmkalk::engine
