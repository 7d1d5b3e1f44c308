#include "run_sequence.h"

#include <new>
#include <ostream>
#include <string>

#include "climate.h"
#include "climate_file.h"
#include "control_file.h"
#include "daily_line.h"
#include "heating_system_choice.h"
#include "result_file.h"
#include "result_file_names.h"
#include "run_warnings.h"
#include "summary_report.h"

namespace kalvex {
namespace {

// The run proper; every fault leaves it by an exception.
void run(const RunFolders& folders, const ModelHooks& model, std::ostream& out, std::ostream& err) {
  RunParameters params = read_control_file(folders.work_dir);
  set_result_file_names(params);

  // Created in this order; when one fails, the ones before it stay, empty.
  ResultFile raw_file(folders.work_dir, created_name(params.raw_file_name));
  ResultFile summary_file(folders.work_dir, created_name(params.summary_file_name));
  ResultFile pump_file(folders.work_dir, created_name(params.pump_file_name));
  ResultFile result_file(folders.work_dir, kResultFileName);

  const Climate& climate = choose_climate(params.climate_code);
  params.design_outdoor_temp = climate.design_outdoor_temp;
  ClimateFile climate_file =
      open_climate_file(climate.file_name, folders.work_dir, folders.climate_fallback_dir);
  choose_heating_system(params);

  const DaySimulator simulate_day = model.start(params);
  AnnualTotals totals;
  while (const std::optional<ClimateRecord> record = climate_file.next()) {
    if (const std::optional<DayBalance> day = simulate_day(*record)) {
      model.record_day(totals, *day);
      raw_file.write(format_daily_line(*day, day->with_pump));
      pump_file.write(format_daily_line(*day, day->without_pump));
    }
  }
  raw_file.close();
  pump_file.close();
  model.finish_year(totals);

  const std::string report = format_summary_report(params, totals);
  out << "\n\n" << std::flush;
  summary_file.write("\r\n\r\n");
  summary_file.write(report);
  summary_file.close();
  // Its closing tells the front end that the run is over, so it comes last.
  result_file.write(report);
  result_file.close();

  for (const std::string& warning : run_warnings(totals)) {
    err << warning << '\n';
  }
}

}  // namespace

RunFolders process_run_folders() {
  std::error_code error;
  std::filesystem::path work_dir = std::filesystem::current_path(error);
  if (error) {
    work_dir = ".";
  }
  return {work_dir, installed_climate_dir()};
}

int run_kalvex(const RunFolders& folders, const ModelHooks& model, std::ostream& out,
               std::ostream& err) {
  try {
    run(folders, model, out, err);
    return 0;
  } catch (const std::bad_alloc&) {
    err << "Minnet räckte inte till för beräkningen.\n";
  } catch (const std::exception& e) {
    // Run errors of the files and the model's input errors alike.
    err << e.what() << '\n';
  }
  return 1;
}

}  // namespace kalvex
