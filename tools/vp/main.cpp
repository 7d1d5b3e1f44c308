// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-vp: a heat pump's seasonal COP, computed with the program's model of it from its Heat
// Pump KEYMARK declaration, beside the declared one; and its year in a control file's house.
#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <variant>

#include "core/cost/cost_inputs.h"
#include "core/cost/year_cost.h"
#include "core/files/file_access.h"
#include "core/files/platform.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "core/formats/control_file.h"
#include "core/formats/keymark_file.h"
#include "core/generators/heat_pump_year.h"
#include "core/heatpump/heat_pump_model.h"
#include "core/heatpump/season_tables.h"
#include "core/heatpump/seasonal_cop.h"
#include "core/model/model_input_error.h"
#include "core/run/case_run.h"
#include "tools/common/heat_pump_file.h"
#include "tools/common/program.h"
#include "tools/vp/arguments.h"
#include "tools/vp/decimal_text.h"
#include "tools/vp/year_report.h"

namespace {

using namespace varmkalk;

constexpr const char* kProgram = "kalvex-vp";
constexpr int kFailed = 1;
constexpr int kUsageFailed = 2;

std::string padded(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void print_bins(const core::SeasonalCop& season) {
  std::cout << "   Tj  timmar  fram °C  last kW    VP kW  elpatron kW    el kW\n";
  for (const core::SeasonBin& bin : season.bins) {
    std::cout << padded(std::to_string(bin.outdoor_c), 5) << padded(std::to_string(bin.hours), 8)
              << padded(vp::decimal_text(bin.flow_c, 1), 9)
              << padded(vp::decimal_text(bin.load_kw, 2), 9)
              << padded(vp::decimal_text(bin.heat_pump_kw, 2), 9)
              << padded(vp::decimal_text(bin.backup_kw, 2), 13)
              << padded(vp::decimal_text(bin.electric_kw, 2), 9) << '\n';
  }
}

// The variant the arguments name, from the file as given or among the installed units.
core::HeatPumpUnit named_unit(const vp::Arguments& arguments) {
  return core::read_keymark_unit(core::read_file(tools::located_heat_pump_file(arguments.file)),
                                 arguments.file, arguments.model);
}

int show_scop(const vp::Arguments& arguments) {
  const core::HeatPumpUnit unit = named_unit(arguments);
  const core::HeatPumpModel model = core::heat_pump_model(unit);
  const core::SeasonalCop season =
      core::model_seasonal_cop(model, unit, arguments.climate, arguments.family);
  if (arguments.verbose) {
    const auto& declaration = unit.declaration(arguments.climate, arguments.family);
    std::cout << unit.title << ", " << core::declaration_label(arguments.climate, arguments.family)
              << "\nDeklarerad SCOP: " << vp::decimal_text(declaration->scop, 2)
              << "\nSCOP med de deklarerade punkterna: "
              << vp::decimal_text(core::declared_seasonal_cop(*declaration, arguments.climate,
                                                              arguments.family, unit.reversible)
                                      .scop,
                                  2)
              << "\nMed modellen, SCOP utan viloeffekter " << vp::decimal_text(season.scop_on, 2)
              << ":\n";
    print_bins(season);
    std::cout << "SCOP med modellen:\n";
  }
  std::cout << vp::decimal_text(season.scop, 2) << '\n';
  return 0;
}

// The generic types as a reader of the report knows them.
std::string generic_name(core::GenericHeatPump type, double capacity_kw) {
  constexpr std::array<std::string_view, 3> kKinds{"uteluft/vatten", "berg/vatten",
                                                   "frånluft/vatten"};
  return "typisk " + std::string(kKinds.at(static_cast<std::size_t>(type))) + ", " +
         vp::decimal_text(capacity_kw, 1) + " kW";
}

int show_year(const vp::Arguments& arguments) {
  const std::filesystem::path control = core::platform::path_from_utf8(arguments.control_file);
  const std::filesystem::path work_dir =
      control.has_parent_path() ? control.parent_path() : std::filesystem::path(".");
  const core::BoilerCase input = core::read_control_file(work_dir);
  core::HeatPumpInstallation installation;
  std::string name;
  if (arguments.file.empty()) {
    installation =
        core::installed_generic(arguments.generic, arguments.capacity_kw, arguments.settings);
    name = generic_name(arguments.generic, arguments.capacity_kw);
  } else {
    const core::HeatPumpUnit unit = named_unit(arguments);
    installation = core::installed_unit(unit, arguments.settings);
    name = unit.title;
  }
  const core::FoundClimate climate =
      core::find_climate(core::climate_file_name(input.climate), work_dir,
                         core::process_run_folders().climate_fallback_dir);
  if (const std::optional<std::string> fault = core::not_a_climate_year(climate)) {
    return tools::report(kProgram, *fault, kFailed);
  }
  const core::HeatPumpYear year = core::heat_pump_year(input, installation, climate.days->records);
  const core::CostInputs prices = core::default_cost_inputs();
  std::cout << vp::year_report(name, climate.name, year, core::year_cost(year.year, prices),
                               prices);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  core::platform::use_utf8_console();
  const auto parsed = vp::parse_arguments(tools::program_arguments(argc, argv));
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    return tools::report_usage(kProgram, *problem, kUsageFailed);
  }
  const auto& arguments = std::get<vp::Arguments>(parsed);
  return tools::reporting_failures(kProgram, kFailed, [&] {
    try {
      switch (arguments.task) {
        case vp::Arguments::Task::help:
          std::cout << vp::help_text();
          return 0;
        case vp::Arguments::Task::scop:
          return show_scop(arguments);
        case vp::Arguments::Task::year:
          return show_year(arguments);
      }
    } catch (const core::KeymarkError& error) {
      return tools::report(kProgram, error.what(), kFailed);
    } catch (const core::ModelInputError& error) {
      return tools::report(kProgram, error.what(), kFailed);
    } catch (const core::RunError& error) {
      return tools::report(kProgram, error.what(), kFailed);
    }
    return kFailed;
  });
}
