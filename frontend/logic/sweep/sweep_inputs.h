// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "frontend/logic/sweep/sweep_base.h"

#include <QString>

#include <array>
#include <vector>

namespace varmkalk {

// The inputs a sensitivity sweep can vary, in the order the window lists them.
enum class SweepInput {
  heating_system,
  design_supply_temp,
  min_return_temp,
  burner_max_power,
  burner_min_power,
  excess_air,
  pilot_power,
  flue_gas_temp_high,
  flue_gas_temp_low,
  convection_constant,
  standby_constant,
  standby_exponent,
  design_heat_demand,
  indoor_temp,
  hot_water_demand,
  heater_loss,
  pump_power,
  climate,
};

inline constexpr std::array<SweepInput, 18> kSweepInputs{
    SweepInput::heating_system,      SweepInput::design_supply_temp, SweepInput::min_return_temp,
    SweepInput::burner_max_power,    SweepInput::burner_min_power,   SweepInput::excess_air,
    SweepInput::pilot_power,         SweepInput::flue_gas_temp_high, SweepInput::flue_gas_temp_low,
    SweepInput::convection_constant, SweepInput::standby_constant,   SweepInput::standby_exponent,
    SweepInput::design_heat_demand,  SweepInput::indoor_temp,        SweepInput::hot_water_demand,
    SweepInput::heater_loss,         SweepInput::pump_power,         SweepInput::climate,
};

inline constexpr int kMinSweepPoints = 2;
inline constexpr int kMaxSweepPoints = 500;

// A choice among the case's alternatives (the heating system, the climate) rather than a number.
bool is_category(SweepInput input);

// The input's name, as the list and the table's heading show it, without its unit.
QString sweep_input_name(SweepInput input, const SweepBase& base);
// The unit the form shows the value in: "kW", "%", "°C", "kWh/år", "kWh/dag", "W"; empty for a
// category and for the standby exponent, which has none.
QString sweep_unit(SweepInput input);
// "Name (unit)", or the name alone.
QString sweep_heading(SweepInput input, const SweepBase& base);

// Why the input cannot be swept for this case (Swedish); empty when it can.
QString sweep_unavailable(SweepInput input, const SweepBase& base);

// What the sweep changes with the value or keeps as it is, for the window to say; empty when
// nothing needs saying.
QString sweep_note(SweepInput input, const SweepBase& base);

// The values of a sweep over a number: `points` values from `from` to `to`, both included,
// evenly spaced, in the unit the form shows.
struct SweepRange {
  double from = 0.0;
  double to = 0.0;
  int points = 0;
};

// A range around the case's own value wide enough to show the input's effect, in round values.
SweepRange default_range(SweepInput input, const SweepBase& base);

// Why the range cannot be swept (Swedish, naming "Från", "Till" or "Antal punkter"); empty when
// it can.
QString range_fault(SweepInput input, const SweepBase& base, const SweepRange& range);

// One point of a sweep.
struct SweepPoint {
  double position = 0.0;   // the value in the unit shown; for a category the choice's index
  QString category;        // the choice's name; empty for a number
  core::BoilerCase input;  // the base case with the value
  QString note;            // what the value changes beyond itself; empty when nothing
};

// Every choice of a category, in a fixed order; the range's values for a number.
std::vector<SweepPoint> sweep_points(SweepInput input, const SweepBase& base,
                                     const SweepRange& range);

// Where the base case itself lies on the sweep's axis: its value in the unit shown, or the index
// of its choice.
double current_position(SweepInput input, const SweepBase& base);

}  // namespace varmkalk
