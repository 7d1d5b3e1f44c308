// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/generic_heat_pumps.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/heatpump/season_tables.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

constexpr std::array<double, 5> kPointsC{-10, -7, 2, 7, 12};
// The outdoor temperature the full capacity is given at: cold enough that every unit runs flat
// out there.
constexpr double kFullCapacityC = -15;
constexpr double kCyclingLoss = 0.9;

struct GenericShape {
  std::string_view id;
  HeatSource source;
  std::array<double, 5> efficiency_35;  // against the ideal COP, at kPointsC
  std::array<double, 5> efficiency_55;
  // Shares of the rating capacity: the full capacity at kFullCapacityC on each family's curve of
  // the colder climate, and the least output.
  double full_35;
  double full_55;
  double least_35;
  double least_55;
  double operation_limit_c;
  double highest_flow_c;
  double standby_w;
};

// Efficiencies: medians over Heat Pump KEYMARK air/water and brine/water units; for exhaust air
// the Nibe F730's own. Capacity shares: medians over the units shipped in data/heatpumps (five
// outdoor-air, five brine, one exhaust-air unit), from their models. Operation limit and highest
// flow: the lower end of what those units declare. Standby power: the median of those units'
// (none of the generic types is given a crankcase heater: most units declare none).
constexpr std::array<GenericShape, 3> kShapes{{
    {"air",
     HeatSource::outdoor_air,
     {0.394, 0.396, 0.412, 0.409, 0.317},
     {0.372, 0.385, 0.419, 0.432, 0.373},
     0.864,
     0.821,
     0.431,
     0.415,
     -20,
     60,
     12},
    {"brine",
     HeatSource::brine,
     {0.500, 0.506, 0.514, 0.492, 0.448},
     {0.494, 0.505, 0.529, 0.528, 0.464},
     2.258,
     2.114,
     0.536,
     0.524,
     -22,
     65,
     9},
    {"exhaust",
     HeatSource::exhaust_air,
     {0.352, 0.354, 0.445, 0.522, 0.444},
     {0.385, 0.368, 0.440, 0.501, 0.416},
     1.162,
     1.191,
     0.643,
     0.533,
     -22,
     65,
     20},
}};

const GenericShape& shape_of(GenericHeatPump type) {
  return kShapes[static_cast<int>(type)];
}

FamilyModel family_model(const std::array<double, 5>& efficiency, double full_share,
                         double least_share, FlowFamily family, double rating_kw) {
  FamilyModel model;
  std::vector<CurvePoint> points;
  for (std::size_t i = 0; i < kPointsC.size(); ++i) {
    points.push_back({kPointsC[i], efficiency[i]});
  }
  model.efficiency = curve_through(std::move(points));
  model.minimum_heat_kw = curve_through({{0, least_share * rating_kw}});
  model.cycling_loss = curve_through({{0, kCyclingLoss}});
  model.full = {kFullCapacityC, season_flow_c(SeasonClimate::colder, family, kFullCapacityC),
                full_share * rating_kw};
  return model;
}

}  // namespace

std::string_view generic_heat_pump_id(GenericHeatPump type) {
  return shape_of(type).id;
}

std::optional<GenericHeatPump> generic_heat_pump_from_id(std::string_view id) {
  for (std::size_t i = 0; i < kShapes.size(); ++i) {
    if (kShapes[i].id == id) {
      return static_cast<GenericHeatPump>(i);
    }
  }
  return std::nullopt;
}

HeatPumpModel generic_heat_pump_model(GenericHeatPump type, double rating_kw) {
  if (!std::isfinite(rating_kw) || rating_kw <= 0) {
    throw ModelInputError("värmepumpens nominella effekt måste vara större än 0 kW");
  }
  const GenericShape& shape = shape_of(type);
  HeatPumpModel model;
  model.source = shape.source;
  model.operation_limit_c = shape.operation_limit_c;
  model.highest_flow_c = shape.highest_flow_c;
  model.families[static_cast<int>(FlowFamily::low_35)] = family_model(
      shape.efficiency_35, shape.full_35, shape.least_35, FlowFamily::low_35, rating_kw);
  model.families[static_cast<int>(FlowFamily::medium_55)] = family_model(
      shape.efficiency_55, shape.full_55, shape.least_55, FlowFamily::medium_55, rating_kw);
  return model;
}

IdlePowers generic_heat_pump_idle_powers(GenericHeatPump type) {
  IdlePowers idle;
  idle.standby_w = shape_of(type).standby_w;
  return idle;
}

}  // namespace varmkalk::core
