// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/heat_pump_model.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/heatpump/season_tables.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

constexpr double kKelvin = 273.15;
constexpr double kLeastLiftK = 6;
// A point whose heat lies this far above the load was at the unit's least output, not
// modulated down to the load (which declared points meet within about 1 %).
constexpr double kAboveLoad = 1.03;

double source_for(HeatSource source, double brine_c, double outdoor_c) {
  switch (source) {
    case HeatSource::outdoor_air:
      return outdoor_c;
    case HeatSource::brine:
      return brine_c;
    case HeatSource::exhaust_air:
      return 0;
  }
  return outdoor_c;
}

// A brine unit's points are declared at this brine inlet temperature, whatever brine the house's
// ground loop gives.
constexpr double kDeclaredBrineC = 0.0;

Curve efficiency_curve(const SeasonalDeclaration& declaration, FlowFamily family,
                       HeatSource source) {
  std::vector<CurvePoint> points;
  for (const DeclaredPoint& point : declaration.points) {
    const double flow_c = season_flow_c(SeasonClimate::average, family, point.outdoor_c);
    const double ideal = ideal_cop(flow_c, source_for(source, kDeclaredBrineC, point.outdoor_c));
    points.push_back({point.outdoor_c, point.cop / ideal});
  }
  return curve_through(std::move(points));
}

// The points where the unit gave more heat than the load, so could go no lower; a unit that
// meets the load everywhere is taken at its smallest declared heat.
Curve minimum_heat_curve(const SeasonalDeclaration& declaration) {
  std::vector<CurvePoint> points;
  const DeclaredPoint* smallest = nullptr;
  for (const DeclaredPoint& point : declaration.points) {
    const double load_kw =
        declaration.design_load_kw * part_load_ratio(SeasonClimate::average, point.outdoor_c);
    if (point.heat_kw > load_kw * kAboveLoad) {
      points.push_back({point.outdoor_c, point.heat_kw});
    }
    if (smallest == nullptr || point.heat_kw < smallest->heat_kw) {
      smallest = &point;
    }
  }
  if (points.empty() && smallest != nullptr) {
    points.push_back({smallest->outdoor_c, smallest->heat_kw});
  }
  return curve_through(std::move(points));
}

Curve cycling_loss_curve(const SeasonalDeclaration& declaration) {
  std::vector<CurvePoint> points;
  for (const DeclaredPoint& point : declaration.points) {
    if (point.cycling_loss) {
      points.push_back({point.outdoor_c, *point.cycling_loss});
    }
  }
  if (points.empty()) {
    points.push_back({0, declaration.cycling_loss});
  }
  return curve_through(std::move(points));
}

// The largest heat at or below the bivalent point: there the unit runs flat out (the heat at the
// bivalent point alone is only the load).
CapacityReference full_capacity_reference(const SeasonalDeclaration& declaration,
                                          SeasonClimate climate, FlowFamily family) {
  CapacityReference reference;
  for (const DeclaredPoint& point : declaration.points) {
    if (point.outdoor_c <= declaration.bivalent_c && point.heat_kw > reference.heat_kw) {
      reference = {point.outdoor_c, season_flow_c(climate, family, point.outdoor_c), point.heat_kw};
    }
  }
  return reference;
}

double blend(const Curve& low, const Curve& medium, double weight, double outdoor_c) {
  const double at_low = curve_at(low, outdoor_c);
  return at_low + weight * (curve_at(medium, outdoor_c) - at_low);
}

double family_capacity_kw(const HeatPumpModel& model, FlowFamily family, double outdoor_c,
                          double flow_c) {
  const CapacityReference& reference = model.family(family).full;
  const double ratio = ((reference.flow_c + kKelvin) * (source_c(model, outdoor_c) + kKelvin)) /
                       ((flow_c + kKelvin) * (source_c(model, reference.outdoor_c) + kKelvin));
  // The capacity of a vapour-compression cycle goes with the cube of the ratio of its
  // temperature levels, source over sink, in kelvin: cubed by multiplication, which every system
  // rounds alike (pow is not correctly rounded in every C library).
  return reference.heat_kw * ratio * ratio * ratio;
}

}  // namespace

double source_c(const HeatPumpModel& model, double outdoor_c) {
  return source_for(model.source, model.brine_c, outdoor_c);
}

double ideal_cop(double flow_c, double source_c) {
  return (flow_c + kKelvin) / std::max(flow_c - source_c, kLeastLiftK);
}

HeatPumpModel heat_pump_model(const HeatPumpUnit& unit, double brine_c) {
  HeatPumpModel model;
  model.source = unit.source;
  model.brine_c = brine_c;
  std::optional<double> lowest_limit_c;
  std::optional<double> highest_flow_c;
  for (const SeasonClimate climate : kSeasonClimates) {
    for (const FlowFamily family : kFlowFamilies) {
      if (const auto& declaration = unit.declaration(climate, family)) {
        lowest_limit_c = std::min(lowest_limit_c.value_or(declaration->operation_limit_c),
                                  declaration->operation_limit_c);
        if (declaration->highest_flow_c) {
          highest_flow_c = std::min(highest_flow_c.value_or(*declaration->highest_flow_c),
                                    *declaration->highest_flow_c);
        }
      }
    }
  }
  for (const FlowFamily family : kFlowFamilies) {
    const auto& average = unit.declaration(SeasonClimate::average, family);
    if (!average) {
      throw ModelInputError("värmepumpen " + unit.title + " saknar deklaration för " +
                            declaration_label(SeasonClimate::average, family));
    }
    FamilyModel& built = model.families[static_cast<int>(family)];
    built.efficiency = efficiency_curve(*average, family, unit.source);
    built.minimum_heat_kw = minimum_heat_curve(*average);
    built.cycling_loss = cycling_loss_curve(*average);
    const auto& colder = unit.declaration(SeasonClimate::colder, family);
    built.full = colder ? full_capacity_reference(*colder, SeasonClimate::colder, family)
                        : full_capacity_reference(*average, SeasonClimate::average, family);
  }
  model.operation_limit_c = lowest_limit_c.value_or(model.operation_limit_c);
  model.highest_flow_c = highest_flow_c.value_or(model.highest_flow_c);
  return model;
}

double family_weight(SeasonClimate curves, double outdoor_c, double flow_c) {
  const double low_c = season_flow_c(curves, FlowFamily::low_35, outdoor_c);
  const double medium_c = season_flow_c(curves, FlowFamily::medium_55, outdoor_c);
  return std::clamp((flow_c - low_c) / (medium_c - low_c), 0.0, 1.0);
}

double heat_pump_cop(const HeatPumpModel& model, double outdoor_c, double flow_c) {
  const double weight = family_weight(SeasonClimate::average, outdoor_c, flow_c);
  const double efficiency =
      blend(model.family(FlowFamily::low_35).efficiency,
            model.family(FlowFamily::medium_55).efficiency, weight, outdoor_c);
  return std::max(1.0, efficiency * ideal_cop(flow_c, source_c(model, outdoor_c)));
}

double full_capacity_kw(const HeatPumpModel& model, double outdoor_c, double flow_c) {
  const double weight = family_weight(SeasonClimate::colder, outdoor_c, flow_c);
  const double low_kw = family_capacity_kw(model, FlowFamily::low_35, outdoor_c, flow_c);
  return low_kw +
         weight * (family_capacity_kw(model, FlowFamily::medium_55, outdoor_c, flow_c) - low_kw);
}

double minimum_capacity_kw(const HeatPumpModel& model, double outdoor_c, double flow_c) {
  return blend(model.family(FlowFamily::low_35).minimum_heat_kw,
               model.family(FlowFamily::medium_55).minimum_heat_kw,
               family_weight(SeasonClimate::average, outdoor_c, flow_c), outdoor_c);
}

double cycling_loss(const HeatPumpModel& model, double outdoor_c, double flow_c) {
  return blend(model.family(FlowFamily::low_35).cycling_loss,
               model.family(FlowFamily::medium_55).cycling_loss,
               family_weight(SeasonClimate::average, outdoor_c, flow_c), outdoor_c);
}

HeatPumpOperation operate(const HeatPumpModel& model, double outdoor_c, double flow_c,
                          double load_kw) {
  if (load_kw <= 0) {
    return {0, 0, 0, heat_pump_cop(model, outdoor_c, flow_c)};
  }
  const bool too_cold =
      model.source == HeatSource::outdoor_air && outdoor_c < model.operation_limit_c;
  if (too_cold || flow_c > model.highest_flow_c) {
    return {0, load_kw, load_kw, 1};
  }
  const double cop = heat_pump_cop(model, outdoor_c, flow_c);
  const double full_kw = full_capacity_kw(model, outdoor_c, flow_c);
  if (load_kw >= full_kw) {
    const double backup_kw = load_kw - full_kw;
    return {full_kw, backup_kw, full_kw / cop + backup_kw, cop};
  }
  const double least_kw = std::min(minimum_capacity_kw(model, outdoor_c, flow_c), full_kw);
  double running_cop = cop;
  if (load_kw < least_kw) {
    const double running_share = load_kw / least_kw;
    const double loss = cycling_loss(model, outdoor_c, flow_c);
    running_cop = cop * running_share / (loss * running_share + 1 - loss);
  }
  return {load_kw, 0, load_kw / running_cop, running_cop};
}

}  // namespace varmkalk::core
