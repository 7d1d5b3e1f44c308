// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_sequence.h"

#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "core/files/result_file.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/formats/control_file.h"
#include "core/formats/daily_line.h"
#include "core/formats/result_file_names.h"
#include "core/formats/run_warnings.h"
#include "core/formats/summary_report.h"

namespace varmkalk::engine {
namespace {

using namespace core;

// The run proper; every fault leaves it by an exception.
void run(const RunFolders& folders, const YearModel& year_model, std::ostream& out,
         std::ostream& err) {
  const BoilerCase input = read_control_file(folders.work_dir);
  const ResultFileNames names = result_file_names(input.identity);
  // A climate file of the user's own is looked for and read before any result file exists, so
  // that one that is not a whole year leaves nothing behind; a bundled one, as always, once the
  // result files are there.
  std::optional<ClimateDays> climate_days;
  const auto read_climate = [&] {
    ClimateFile file = open_climate_file(climate_file_name(input.climate), folders.work_dir,
                                         folders.climate_fallback_dir);
    climate_days = read_climate_days(file);
  };
  if (std::holds_alternative<OwnClimate>(input.climate)) {
    read_climate();
  }

  // Created in this order; when one fails, the ones before it stay, empty.
  ResultFile raw_file(folders.work_dir, names.raw_file);
  ResultFile summary_file(folders.work_dir, names.summary_file);
  ResultFile pump_file(folders.work_dir, names.pump_file);
  ResultFile result_file(folders.work_dir, std::string(kResultFileName));

  if (!climate_days) {
    read_climate();
  }
  const YearResult year = year_model(input, climate_days->records);

  // The days before a fault are written all the same, so the user sees how far the year got.
  for (const DayBalance& day : year.days) {
    raw_file.write(format_daily_line(day, day.with_pump));
    pump_file.write(format_daily_line(day, day.without_pump));
  }
  if (year.refusal) {
    throw RunError(*year.refusal);
  }
  if (climate_days->fault) {
    throw RunError(*climate_days->fault);
  }
  raw_file.close();
  pump_file.close();

  const std::string report = format_summary_report(input, year.totals, names);
  out << "\n\n" << std::flush;
  summary_file.write("\r\n\r\n");
  summary_file.write(report);
  summary_file.close();
  // Its closing tells the front end that the run is over, so it comes last.
  result_file.write(report);
  result_file.close();

  for (const std::string& warning : run_warnings(year.totals)) {
    err << warning << '\n';
  }
}

}  // namespace

int run_kalvex(const core::RunFolders& folders, std::ostream& out, std::ostream& err,
               const YearModel& year_model) {
  try {
    run(folders, year_model, out, err);
    return 0;
  } catch (const std::bad_alloc&) {
    err << core::kOutOfMemory << '\n';
  } catch (const std::exception& e) {
    // Run errors of the files and the model's refusals alike.
    err << e.what() << '\n';
  }
  return 1;
}

}  // namespace varmkalk::engine
