// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-klimat: makes a climate file for the engine from SMHI's open data, an EnergyPlus
// weather file or a plain table, and shows the figures of a year of daily means.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <variant>

#include "core/climate_import/climate_file.h"
#include "core/climate_import/climate_import.h"
#include "core/climate_import/climate_summary.h"
#include "core/climate_import/source_text.h"
#include "core/files/file_access.h"
#include "core/files/platform.h"
#include "core/formats/climate_file_name.h"
#include "core/text/portable_name.h"
#include "core/text/utf8_text.h"
#include "tools/common/program.h"
#include "tools/common/signal_cleanup.h"
#include "tools/klimat/arguments.h"

namespace {

using namespace varmkalk;

constexpr const char* kProgram = "kalvex-klimat";
constexpr int kFailed = 1;
constexpr int kUsageFailed = 2;

std::string refusal(const core::ImportError& error) {
  std::string message = error.message;
  if (error.year_needed) {
    message += " (ange --year ÅÅÅÅ)";
  }
  if (error.suspect_refused) {
    message += " (med --allow-suspect tas värden med kvalitetskod Y med)";
  }
  return message;
}

int show_info(const klimat::Arguments& arguments) {
  const core::ImportResult read =
      core::read_climate_file(core::read_file(arguments.source), arguments.source);
  if (const auto* error = std::get_if<core::ImportError>(&read)) {
    return tools::report(kProgram, error->message, kFailed);
  }
  const auto& year = std::get<core::ClimateYear>(read);
  std::cout << core::shown_name(arguments.source) << ": " << year.daily_mean_tenths_c.size()
            << " dagar\n"
            << core::summary_lines(year);
  return 0;
}

int run_import(const klimat::Arguments& arguments) {
  // The engine finds the file only by a name line 24 of the control file can carry.
  const std::string name =
      core::platform::utf8_from_path(core::platform::path_from_utf8(arguments.output).filename());
  // "c:umea.dat" is a file in drive C's current folder on Windows, where filename() drops "c:".
  if (core::is_drive_relative(arguments.output)) {
    return tools::report(kProgram,
                         core::quoted_for_message(core::shown_name(arguments.output)) +
                             " är ett namn i den mapp som är aktuell på enhet " +
                             arguments.output.substr(0, 2) +
                             " i Windows och en annan fil i Linux; ange mappen eller ingen enhet",
                         kFailed);
  }
  if (const std::optional<std::string> fault = core::climate_file_name_fault(name)) {
    return tools::report(kProgram,
                         "namnet " + core::quoted_for_message(core::shown_name(name)) +
                             " går inte att använda för en klimatfil: " + *fault,
                         kFailed);
  }
  core::require_target(arguments.output, arguments.replace);
  core::ImportOptions options;
  options.source_name = arguments.source;
  options.year = arguments.year;
  options.allow_suspect = arguments.allow_suspect;
  core::InputFile source(arguments.source);
  const auto imported = core::import_climate(source, options);
  if (const auto* error = std::get_if<core::ImportError>(&imported)) {
    return tools::report(kProgram, refusal(*error), kFailed);
  }
  const auto& [format, year] = std::get<core::ImportedClimate>(imported);
  core::write_file(arguments.output, core::format_climate_file(year), arguments.replace);
  std::cout << core::shown_name(arguments.output) << ": " << year.daily_mean_tenths_c.size()
            << " dagar, "
            << (year.calendar_year ? "år " + std::to_string(*year.calendar_year) : "typår")
            << ", ur " << core::format_description(format) << "\n"
            << core::summary_lines(year);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  core::platform::use_utf8_console();
  tools::write_failures_beyond_file_size_limit();
  const auto parsed = klimat::parse_arguments(tools::program_arguments(argc, argv));
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    return tools::report_usage(kProgram, *problem, kUsageFailed);
  }
  const auto& arguments = std::get<klimat::Arguments>(parsed);
  return tools::reporting_failures(kProgram, kFailed, [&] {
    switch (arguments.task) {
      case klimat::Arguments::Task::help:
        std::cout << klimat::help_text();
        return 0;
      case klimat::Arguments::Task::info:
        return show_info(arguments);
      case klimat::Arguments::Task::import:
        return run_import(arguments);
    }
    return kFailed;
  });
}
