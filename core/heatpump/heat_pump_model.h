// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/heatpump/curve.h"
#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::core {

// The heat pump's full capacity as measured at one point, from which it is carried to other
// temperatures.
struct CapacityReference {
  double outdoor_c = 0;
  double flow_c = 0;
  double heat_kw = 0;
};

// What the model knows of one flow family, against the outdoor temperature.
struct FamilyModel {
  Curve efficiency;       // the COP as a share of the ideal (Carnot) COP
  Curve minimum_heat_kw;  // the least the unit gives running: below it, it cycles
  Curve cycling_loss;     // the degradation coefficient of that cycling
  CapacityReference full;
};

// A heat pump's COP and capacity at any outdoor and flow temperature, built from its declared
// points. Pure: no I/O.
struct HeatPumpModel {
  HeatSource source = HeatSource::outdoor_air;
  double brine_c = 0;  // the ground loop's temperature, for a brine unit
  // Below it the unit is off (the lowest operation limit it declares).
  double operation_limit_c = -60;
  double highest_flow_c = 65;  // the hottest flow it can give
  std::array<FamilyModel, 2> families;

  const FamilyModel& family(FlowFamily which) const { return families[static_cast<int>(which)]; }
};

// The temperature the unit takes its heat from, °C: the outdoor air, the brine, or for exhaust
// air an effective 0 °C.
double source_c(const HeatPumpModel& model, double outdoor_c);

// The COP of a reversed Carnot cycle between the source and the flow; the lift is taken as at
// least 6 K, so that mild weather does not give an endless COP.
double ideal_cop(double flow_c, double source_c);

// The model of a declared unit: the efficiency against the ideal COP at each point of the average
// climate, the full capacity from the colder climate's points at and below its bivalent point
// (the average climate's where the colder one is not declared), the least capacity from the
// average climate's points where the unit gave more than the load. Throws ModelInputError when
// the average climate's declarations are missing.
HeatPumpModel heat_pump_model(const HeatPumpUnit& unit, double brine_c = 0);

// Where a flow temperature lies between the two families' heating curves at an outdoor
// temperature: 0 on the 35 °C one, 1 on the 55 °C one, held beyond them.
double family_weight(SeasonClimate curves, double outdoor_c, double flow_c);

// The COP at full output; at least 1. Gives each declared COP back at its own point and flow.
double heat_pump_cop(const HeatPumpModel& model, double outdoor_c, double flow_c);

// The largest heat output, kW: each family's reference carried to the outdoor and flow
// temperature by the cube of the temperature ratios, the two weighed by where the flow lies
// between the colder climate's heating curves (the families were declared at different
// compressor limits, so between them the capacity need not fall with the flow).
double full_capacity_kw(const HeatPumpModel& model, double outdoor_c, double flow_c);

// The least heat output while running, kW; under it the unit cycles.
double minimum_capacity_kw(const HeatPumpModel& model, double outdoor_c, double flow_c);

// The degradation coefficient of on/off cycling.
double cycling_loss(const HeatPumpModel& model, double outdoor_c, double flow_c);

// The heat pump carrying a load at an outdoor and flow temperature.
struct HeatPumpOperation {
  double heat_pump_kw = 0;  // heat the heat pump gives
  double backup_kw = 0;     // heat left to the electric backup heater
  double electric_kw = 0;   // the power drawn by both
  double cop = 1;           // of the heat pump's part, cycling included
};

// Below the operation limit or above the highest flow the backup carries everything; above the
// full capacity it carries the rest; below the least capacity the unit cycles, its COP cut by
// COP·CR/(Cdh·CR + 1 − Cdh), CR the share of time it runs.
HeatPumpOperation operate(const HeatPumpModel& model, double outdoor_c, double flow_c,
                          double load_kw);

}  // namespace varmkalk::core
