// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <variant>

#include "core/formats/control_file.h"
#include "core/heatpump/generic_heat_pumps.h"
#include "core/heatpump/heat_pump_installation.h"
#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::vp {

// What the program was asked to do.
struct Arguments {
  enum class Task { scop, year, help };
  Task task = Task::help;
  std::string file;   // the Keymark declaration; empty for a generic unit
  std::string model;  // the title of the variant in it
  // For the year: the control file of the house, a generic unit where no file is given, and
  // the installation around the unit.
  std::string control_file{core::kControlFileName};
  core::GenericHeatPump generic = core::GenericHeatPump::air;
  double capacity_kw = 0.0;
  core::HeatPumpSettings settings;
  core::SeasonClimate climate = core::SeasonClimate::average;
  core::FlowFamily family = core::FlowFamily::low_35;
  bool verbose = false;
};

// The arguments after the program's name, or what is wrong with them (Swedish, one line).
std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments);

// The text of --help.
std::string help_text();

}  // namespace varmkalk::vp
