// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace varmkalk::core {

// Where the heat pump takes its heat from.
enum class HeatSource { outdoor_air, brine, exhaust_air };

// The two flow temperatures a seasonal declaration is made for: 35 °C (floor heating) and 55 °C
// (radiators) at the design outdoor temperature, less as it gets milder.
enum class FlowFamily { low_35 = 0, medium_55 = 1 };

// The two seasons a Swedish house is judged by: the average (design −10 °C) and the colder
// (design −22 °C) climate of the seasonal declarations.
enum class SeasonClimate { average = 0, colder = 1 };

inline constexpr std::array<FlowFamily, 2> kFlowFamilies{FlowFamily::low_35, FlowFamily::medium_55};
inline constexpr std::array<SeasonClimate, 2> kSeasonClimates{SeasonClimate::average,
                                                              SeasonClimate::colder};

// One tested point of a seasonal declaration: the heat the unit gave and its COP at an outdoor
// temperature, with the flow temperature of that climate's heating curve there.
struct DeclaredPoint {
  double outdoor_c = 0;
  double heat_kw = 0;
  double cop = 0;
  // The degradation coefficient of on/off cycling declared for this point; none for the
  // bivalent and the operation-limit point, which have none of their own.
  std::optional<double> cycling_loss = {};
};

// The powers drawn while the unit does not heat, W.
struct IdlePowers {
  double off_w = 0;
  double thermostat_off_w = 0;
  double standby_w = 0;
  double crankcase_w = 0;
};

// The declaration of one climate and flow family.
struct SeasonalDeclaration {
  double design_load_kw = 0;     // the house's load at the design temperature
  double scop = 0;               // as declared, idle powers included
  double bivalent_c = 0;         // below it the unit alone cannot carry the load
  double operation_limit_c = 0;  // below it the unit is off (outdoor air)
  // The fixed points first (−15 °C where declared, −7, +2, +7, +12 °C), then the bivalent and
  // the operation-limit point.
  std::vector<DeclaredPoint> points;
  double cycling_loss = 0.9;  // the unit's own, for points without one
  std::optional<double> highest_flow_c;
  IdlePowers idle;
};

// A heat pump as its certificate declares it.
struct HeatPumpUnit {
  std::string title;
  HeatSource source = HeatSource::outdoor_air;
  bool reversible = false;          // declared for cooling too: other idle hours
  std::optional<double> rating_kw;  // heating capacity at the rating point, 35 °C flow
  // [climate][family]; the average climate's two are always there.
  std::array<std::array<std::optional<SeasonalDeclaration>, 2>, 2> declarations;

  const std::optional<SeasonalDeclaration>& declaration(SeasonClimate climate,
                                                        FlowFamily family) const {
    return declarations[static_cast<int>(climate)][static_cast<int>(family)];
  }
};

}  // namespace varmkalk::core
