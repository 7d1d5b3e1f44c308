// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/seasonal_cop.h"

#include <algorithm>
#include <vector>

#include "core/heatpump/curve.h"
#include "core/heatpump/season_tables.h"
#include "core/model/model_input_error.h"

namespace varmkalk::core {
namespace {

constexpr double kWattsPerKilowatt = 1000;

SeasonBin bin_at(const TemperatureBin& bin, const SeasonalDeclaration& declaration,
                 SeasonClimate climate, FlowFamily family) {
  SeasonBin season_bin;
  season_bin.outdoor_c = bin.outdoor_c;
  season_bin.hours = bin.hours;
  season_bin.flow_c = season_flow_c(climate, family, bin.outdoor_c);
  season_bin.load_kw = declaration.design_load_kw * part_load_ratio(climate, bin.outdoor_c);
  return season_bin;
}

// Below the operation limit the backup heater alone carries the load.
bool below_limit(const SeasonBin& bin, const SeasonalDeclaration& declaration) {
  return bin.outdoor_c < declaration.operation_limit_c;
}

void carry_by_backup(SeasonBin& bin) {
  bin.heat_pump_kw = 0;
  bin.backup_kw = bin.load_kw;
  bin.electric_kw = bin.load_kw;
}

SeasonalCop summed(std::vector<SeasonBin> bins, const SeasonalDeclaration& declaration,
                   SeasonClimate climate, bool reversible) {
  double heat_kwh = 0;
  double electric_kwh = 0;
  for (const SeasonBin& bin : bins) {
    heat_kwh += bin.hours * bin.load_kw;
    electric_kwh += bin.hours * bin.electric_kw;
  }
  SeasonalCop season;
  season.bins = std::move(bins);
  season.scop_on = heat_kwh / electric_kwh;
  const IdleHours hours = idle_hours(climate, reversible);
  const IdlePowers& idle = declaration.idle;
  const double idle_kwh =
      (hours.thermostat_off * idle.thermostat_off_w + hours.standby * idle.standby_w +
       hours.crankcase * idle.crankcase_w + hours.off * idle.off_w) /
      kWattsPerKilowatt;
  const double season_heat_kwh = declaration.design_load_kw * equivalent_full_load_hours(climate);
  season.scop = season_heat_kwh / (season_heat_kwh / season.scop_on + idle_kwh);
  return season;
}

}  // namespace

SeasonalCop declared_seasonal_cop(const SeasonalDeclaration& declaration, SeasonClimate climate,
                                  FlowFamily family, bool reversible) {
  std::vector<CurvePoint> heat;
  std::vector<CurvePoint> cop;
  std::vector<CurvePoint> loss;
  for (const DeclaredPoint& point : declaration.points) {
    heat.push_back({point.outdoor_c, point.heat_kw});
    cop.push_back({point.outdoor_c, point.cop});
    if (point.cycling_loss) {
      loss.push_back({point.outdoor_c, *point.cycling_loss});
    }
  }
  if (loss.empty()) {
    loss.push_back({0, declaration.cycling_loss});
  }
  const Curve heat_curve = curve_through(std::move(heat));
  const Curve cop_curve = curve_through(std::move(cop));
  const Curve loss_curve = curve_through(std::move(loss));
  std::vector<SeasonBin> bins;
  for (const TemperatureBin& temperature_bin : season_bins(climate)) {
    SeasonBin bin = bin_at(temperature_bin, declaration, climate, family);
    if (below_limit(bin, declaration)) {
      carry_by_backup(bin);
    } else {
      // The lines beyond the warmest point may not run below what a heat pump can give.
      const double heat_kw = std::max(0.0, curve_extended_at(heat_curve, bin.outdoor_c));
      const double point_cop = std::max(1.0, curve_extended_at(cop_curve, bin.outdoor_c));
      if (heat_kw >= bin.load_kw) {
        const double running_share = bin.load_kw / heat_kw;
        const double cycling = std::clamp(curve_extended_at(loss_curve, bin.outdoor_c), 0.0, 1.0);
        const double bin_cop = point_cop * running_share / (cycling * running_share + 1 - cycling);
        bin.heat_pump_kw = bin.load_kw;
        bin.electric_kw = bin.load_kw / bin_cop;
      } else {
        bin.heat_pump_kw = heat_kw;
        bin.backup_kw = bin.load_kw - heat_kw;
        bin.electric_kw = heat_kw / point_cop + bin.backup_kw;
      }
    }
    bins.push_back(bin);
  }
  return summed(std::move(bins), declaration, climate, reversible);
}

SeasonalCop model_seasonal_cop(const HeatPumpModel& model, const HeatPumpUnit& unit,
                               SeasonClimate climate, FlowFamily family) {
  const auto& declaration = unit.declaration(climate, family);
  if (!declaration) {
    throw ModelInputError("värmepumpen " + unit.title + " saknar deklaration för " +
                          declaration_label(climate, family));
  }
  std::vector<SeasonBin> bins;
  for (const TemperatureBin& temperature_bin : season_bins(climate)) {
    SeasonBin bin = bin_at(temperature_bin, *declaration, climate, family);
    if (below_limit(bin, *declaration)) {
      carry_by_backup(bin);
    } else {
      const HeatPumpOperation operation = operate(model, bin.outdoor_c, bin.flow_c, bin.load_kw);
      bin.heat_pump_kw = operation.heat_pump_kw;
      bin.backup_kw = operation.backup_kw;
      bin.electric_kw = operation.electric_kw;
    }
    bins.push_back(bin);
  }
  return summed(std::move(bins), *declaration, climate, unit.reversible);
}

}  // namespace varmkalk::core
