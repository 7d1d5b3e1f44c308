// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generators/heat_pump_year.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/case/units.h"
#include "core/model/house_day.h"
#include "core/model/start_model.h"

namespace varmkalk::core {
namespace {

constexpr double kHours = kHoursPerDay;

double kwh_per_day(double watts) {
  return watts * kHours / double(kWhPerKwh);
}

// The share of a heat the backup heater gives where it must be hotter than the unit's highest
// flow: the part of the rise from `from_c` to `to_c` above `highest_c`.
double backup_share(double to_c, double from_c, double highest_c) {
  if (!(to_c > highest_c) || !(to_c > from_c)) {
    return 0.0;
  }
  return std::clamp((to_c - highest_c) / (to_c - from_c), 0.0, 1.0);
}

bool below_operation_limit(const HeatPumpModel& model, double outdoor_c) {
  return model.source == HeatSource::outdoor_air && outdoor_c < model.operation_limit_c;
}

// The house's space-heating load and the unit's full capacity at an outdoor temperature, kW.
struct LoadAndCapacity {
  double load_kw = 0.0;
  double capacity_kw = 0.0;
};

LoadAndCapacity load_and_capacity(const House& house, const DesignConditions& design,
                                  const HeatPumpModel& model, double outdoor_c) {
  const std::optional<HouseDay> day = house_day(house, design, {0, float(outdoor_c)});
  if (!day) {
    return {};
  }
  const double flow_c = std::min(double(day->heating.supply_temp), model.highest_flow_c);
  return {kw_from_watts(double(day->heat_demand)), full_capacity_kw(model, outdoor_c, flow_c)};
}

}  // namespace

HeatPumpDay heat_pump_day(const House& house, const DesignConditions& design,
                          const HeatPumpInstallation& installation, const ClimateRecord& record) {
  const HeatPumpModel& model = installation.model;
  HeatPumpDay day;
  day.outdoor_c = record.outdoor_temp;
  const double hot_water_w =
      double(house.hot_water.annual_demand_kwh) * double(kWhPerKwh) / double(kHoursPerYear);
  day.hot_water_kwh = kwh_per_day(hot_water_w + double(house.hot_water.heater_loss_w));
  const std::optional<HouseDay> house_needs = house_day(house, design, record);
  day.heating_day = house_needs.has_value();
  day.space_heat_kwh = house_needs ? kwh_per_day(double(house_needs->heat_demand)) : 0.0;
  const bool unit_off = below_operation_limit(model, day.outdoor_c);
  double backup_wanted_kwh = 0.0;

  // The tank first: the unit heats it at full output, no hotter than its highest flow.
  const double tank_flow_c = installation.tank_temp_c + kTankLiftK;
  const double hot_water_flow_c = std::min(tank_flow_c, model.highest_flow_c);
  const double hot_water_capacity_kw =
      unit_off ? 0.0 : full_capacity_kw(model, day.outdoor_c, hot_water_flow_c);
  double unit_hot_water_kwh = 0.0;
  if (hot_water_capacity_kw > 0.0) {
    const double wanted_kwh =
        day.hot_water_kwh * (1.0 - backup_share(tank_flow_c, kColdWaterC, model.highest_flow_c));
    unit_hot_water_kwh = std::min(wanted_kwh, hot_water_capacity_kw * kHours);
    day.hot_water_hours = unit_hot_water_kwh / hot_water_capacity_kw;
    day.compressor_kwh +=
        unit_hot_water_kwh / heat_pump_cop(model, day.outdoor_c, hot_water_flow_c);
  }
  backup_wanted_kwh += day.hot_water_kwh - unit_hot_water_kwh;

  // Space heat in the hours left, the backup heater topping up the supply above the highest
  // flow and what the unit's capacity cannot give.
  double unit_space_kwh = 0.0;
  const double space_hours = kHours - day.hot_water_hours;
  if (house_needs && !unit_off && space_hours > 0.0) {
    const double supply_c = house_needs->heating.supply_temp;
    const double wanted_kwh =
        day.space_heat_kwh *
        (1.0 - backup_share(supply_c, house_needs->heating.return_temp, model.highest_flow_c));
    const HeatPumpOperation operation = operate(
        model, day.outdoor_c, std::min(supply_c, model.highest_flow_c), wanted_kwh / space_hours);
    // Where the unit carries the load its heat is the load itself, not the load's rate times
    // the hours, which rounds to a few ulps off it and would leave a backup heater a trace.
    unit_space_kwh = operation.backup_kw > 0.0
                         ? std::min(operation.heat_pump_kw * space_hours, wanted_kwh)
                         : wanted_kwh;
    day.compressor_kwh += (operation.electric_kw - operation.backup_kw) * space_hours;
  }
  backup_wanted_kwh += day.space_heat_kwh - unit_space_kwh;
  day.unit_heat_kwh = unit_hot_water_kwh + unit_space_kwh;

  backup_wanted_kwh = std::max(0.0, backup_wanted_kwh);
  day.backup_heat_kwh = std::min(backup_wanted_kwh, installation.backup_kw * kHours);
  day.unmet_kwh = backup_wanted_kwh - day.backup_heat_kwh;

  // On a heating day the compressor's off time is in its cycling loss; on any other day the
  // unit waits in standby, an outdoor-air unit with its crankcase heater on.
  if (!day.heating_day) {
    const double idle_w =
        installation.idle.standby_w +
        (model.source == HeatSource::outdoor_air ? installation.idle.crankcase_w : 0.0);
    day.off_mode_kwh = idle_w * (kHours - day.hot_water_hours) / double(kWhPerKwh);
  }
  return day;
}

std::optional<double> bivalent_point_c(const House& house, const DesignConditions& design,
                                       const HeatPumpInstallation& installation) {
  constexpr double kStepK = 0.5;
  constexpr double kResolutionK = 0.001;
  constexpr double kHundredths = 100.0;
  const auto short_of = [&](double outdoor_c) {
    const LoadAndCapacity at = load_and_capacity(house, design, installation.model, outdoor_c);
    return at.load_kw > at.capacity_kw;
  };
  // From the heating limit down, the first step the load exceeds the capacity at, then halved
  // down to the resolution.
  double warm_c = kHeatingLimitC;
  for (double cold_c = kHeatingLimitC - kStepK; cold_c >= kLowestBivalentC; cold_c -= kStepK) {
    if (short_of(cold_c)) {
      while (warm_c - cold_c > kResolutionK) {
        const double middle_c = (warm_c + cold_c) / 2.0;
        (short_of(middle_c) ? cold_c : warm_c) = middle_c;
      }
      return std::round(cold_c * kHundredths) / kHundredths;
    }
    warm_c = cold_c;
  }
  return std::nullopt;
}

HeatPumpYear heat_pump_year(const House& house, float circulation_pump_w,
                            const HeatPumpInstallation& installation,
                            std::span<const ClimateRecord> records) {
  const DesignConditions design = design_conditions(house);
  HeatPumpYear hp;
  double coldest_c = std::numeric_limits<double>::infinity();
  for (const ClimateRecord& record : records) {
    const HeatPumpDay day = heat_pump_day(house, design, installation, record);
    hp.space_heat_kwh += day.space_heat_kwh;
    hp.hot_water_kwh += day.hot_water_kwh;
    hp.unit_heat_kwh += day.unit_heat_kwh;
    hp.backup_heat_kwh += day.backup_heat_kwh;
    hp.unmet_kwh += day.unmet_kwh;
    hp.compressor_kwh += day.compressor_kwh;
    hp.off_mode_kwh += day.off_mode_kwh;
    hp.backup_days += day.backup_heat_kwh > 0.0 ? 1 : 0;
    hp.unmet_days += day.unmet_kwh > 0.0 ? 1 : 0;
    if (day.heating_day) {
      ++hp.year.heating_days;
      hp.circulation_pump_kwh += kwh_per_day(circulation_pump_w);
    }
    if (day.outdoor_c < coldest_c) {
      coldest_c = day.outdoor_c;
      hp.coldest_day_c = day.outdoor_c;
      hp.coldest_day_kw = day.electricity_kwh() / kHours;
    }
  }
  hp.hp_electricity_kwh = hp.compressor_kwh + hp.backup_heat_kwh + hp.off_mode_kwh;
  const double heat_kwh = hp.unit_heat_kwh + hp.backup_heat_kwh;
  if (hp.hp_electricity_kwh > 0.0) {
    hp.seasonal_performance_factor = heat_kwh / hp.hp_electricity_kwh;
  }
  hp.bivalent_c = bivalent_point_c(house, design, installation);

  GeneratorYear& year = hp.year;
  year.heat_delivered_kwh = heat_kwh;
  year.electricity_kwh = hp.hp_electricity_kwh + hp.circulation_pump_kwh;
  year.seasonal_figure = hp.seasonal_performance_factor;
  year.shortfall_days = hp.unmet_days;
  year.climate_days = static_cast<int>(records.size());
  year.idle_days = year.climate_days - year.heating_days;
  return hp;
}

HeatPumpYear heat_pump_year(const BoilerCase& input, const HeatPumpInstallation& installation,
                            std::span<const ClimateRecord> records) {
  // The model's own checks hold the house to a demand line and radiators it can compute.
  start_model(input, design_conditions(input));
  return heat_pump_year(house_of(input), input.pump.power_w, installation, records);
}

std::vector<HeatPumpDay> heat_pump_days(const BoilerCase& input,
                                        const HeatPumpInstallation& installation,
                                        std::span<const ClimateRecord> records) {
  start_model(input, design_conditions(input));
  const House house = house_of(input);
  const DesignConditions design = design_conditions(house);
  std::vector<HeatPumpDay> days;
  days.reserve(records.size());
  for (const ClimateRecord& record : records) {
    days.push_back(heat_pump_day(house, design, installation, record));
  }
  return days;
}

}  // namespace varmkalk::core
