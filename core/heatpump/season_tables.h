// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::core {

// One outdoor temperature of a season and the hours it lasts.
struct TemperatureBin {
  int outdoor_c = 0;
  int hours = 0;
};

// The hours a unit spends in each idle mode over a season.
struct IdleHours {
  int thermostat_off = 0;
  int standby = 0;
  int crankcase = 0;
  int off = 0;
};

// "genomsnittligt klimat, 35 °C": a declaration as messages and tables name it.
std::string declaration_label(SeasonClimate climate, FlowFamily family);

// The outdoor temperature the house's design load is given at.
double design_outdoor_c(SeasonClimate climate);

// The season's hours in 1 K bins from the design temperature to +15 °C.
std::span<const TemperatureBin> season_bins(SeasonClimate climate);

// The hours of full load that carry the season's heat: the bins' hours weighted by the part load.
double equivalent_full_load_hours(SeasonClimate climate);

// A unit declared for cooling as well keeps its crankcase heater on only while the thermostat is
// off, and is never off nor in standby through the heating season.
IdleHours idle_hours(SeasonClimate climate, bool reversible);

// The house's load as a share of the design load: falls linearly to nothing at +16 °C.
double part_load_ratio(SeasonClimate climate, double outdoor_c);

// The flow temperature of the climate's heating curve for a family at an outdoor temperature,
// °C: linear between the tested points, held beyond them.
double season_flow_c(SeasonClimate climate, FlowFamily family, double outdoor_c);

}  // namespace varmkalk::core
