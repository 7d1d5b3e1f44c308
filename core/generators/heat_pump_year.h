// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/case/house.h"
#include "core/generators/generator_year.h"
#include "core/heatpump/heat_pump_installation.h"
#include "core/model/climate_record.h"
#include "core/model/model_constants.h"

namespace varmkalk::core {

// Cold water enters the hot-water tank at this temperature.
inline constexpr double kColdWaterC = 10.0;
// The unit heats the tank through a coil this much warmer than the water.
inline constexpr double kTankLiftK = 5.0;

// One day of the heat pump in the house, kWh but for the temperatures and hours. The day's mean
// outdoor temperature stands for all its hours: the coldest hours' backup heat and peak power lie
// above what a day's mean shows.
struct HeatPumpDay {
  double outdoor_c = 0.0;
  bool heating_day = false;  // the house needs space heat
  double space_heat_kwh = 0.0;
  double hot_water_kwh = 0.0;  // the hot water and the heater's standing loss
  double unit_heat_kwh = 0.0;  // what the heat pump itself gives
  double backup_heat_kwh = 0.0;
  double unmet_kwh = 0.0;        // beyond the backup heater too
  double compressor_kwh = 0.0;   // the unit's electricity while it heats, cycling included
  double off_mode_kwh = 0.0;     // standby and crankcase heater on a day without space heat
  double hot_water_hours = 0.0;  // the unit's hours on the tank

  // The unit, the backup heater and the off modes: what the SEPEMO H3 boundary counts.
  double electricity_kwh() const { return compressor_kwh + backup_heat_kwh + off_mode_kwh; }
};

// The day `record` of the house's climate. Hot water and the heater's loss come first, at the
// tank's temperature plus the coil's lift (no hotter than the unit's highest flow, the backup
// heating the rest of the way up from cold water); space heat takes the hours left, at the
// radiators' supply (the backup heater giving the share above the unit's highest flow, as a
// share of the radiators' fall from supply to return). Below an outdoor-air unit's operation
// limit the backup heater carries all; beyond its power the heat is unmet. Throws
// ModelInputError, naming the day, for a demand that is no finite number.
HeatPumpDay heat_pump_day(const House& house, const DesignConditions& design,
                          const HeatPumpInstallation& installation, const ClimateRecord& record);

// The heat pump's whole climate year in the house.
struct HeatPumpYear {
  GeneratorYear year;  // electricity: the heat pump's and the circulation pump's
  double space_heat_kwh = 0.0;
  double hot_water_kwh = 0.0;
  double unit_heat_kwh = 0.0;
  double backup_heat_kwh = 0.0;
  double unmet_kwh = 0.0;
  double compressor_kwh = 0.0;
  double off_mode_kwh = 0.0;
  // The compressor's, the backup heater's and the off modes' electricity: the SEPEMO H3
  // boundary, without the circulation pump.
  double hp_electricity_kwh = 0.0;
  double circulation_pump_kwh = 0.0;  // on the house's heating days
  // The unit's and the backup's heat over hp_electricity_kwh; empty where it bought none.
  std::optional<double> seasonal_performance_factor;
  int backup_days = 0;
  int unmet_days = 0;
  // The day of the lowest mean outdoor temperature, and its mean electric power (H3), kW: a
  // day's mean, no peak of an hour.
  double coldest_day_c = 0.0;
  double coldest_day_kw = 0.0;
  // The outdoor temperature below which the house's space-heating load exceeds the unit's
  // full capacity at the radiators' supply; empty where the unit carries it down to
  // kLowestBivalentC.
  std::optional<double> bivalent_c;

  friend bool operator==(const HeatPumpYear&, const HeatPumpYear&) = default;
};

// Below this the bivalent point is not looked for.
inline constexpr double kLowestBivalentC = -40.0;

// The house's bivalent point for the unit, to a hundredth of a kelvin.
std::optional<double> bivalent_point_c(const House& house, const DesignConditions& design,
                                       const HeatPumpInstallation& installation);

// Every day of `records`, with a circulation pump of `circulation_pump_w` running all day on the
// house's heating days. Every figure is finite.
HeatPumpYear heat_pump_year(const House& house, float circulation_pump_w,
                            const HeatPumpInstallation& installation,
                            std::span<const ClimateRecord> records);

// The same for a boiler case's house and circulation pump. Throws ModelInputError where the
// case is refused.
HeatPumpYear heat_pump_year(const BoilerCase& input, const HeatPumpInstallation& installation,
                            std::span<const ClimateRecord> records);

// Each day of the year as heat_pump_year sums it, for charts of the days. Throws as it does.
std::vector<HeatPumpDay> heat_pump_days(const BoilerCase& input,
                                        const HeatPumpInstallation& installation,
                                        std::span<const ClimateRecord> records);

}  // namespace varmkalk::core
