// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/chart_year.h"

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// Where a heating day's fuel goes, with the circulation pump's heat credited as the summary's
// gross energy is. The parts add up to the fuel: a gain (a condensing flue gas, the pump's heat)
// is negative.
enum class EnergyPart {
  space_heat,  // the building's heat demand
  hot_water,   // the hot-water load
  flue_gas,
  convection,
  standby,
  heater,     // the hot-water heater's loss
  pilot,      // the pilot flame's share, see day_energy
  pump_heat,  // the pump's heat in the water, a credit
  other,      // the balance's tolerance and the heat the boiler could not deliver
};
inline constexpr std::size_t kEnergyPartCount = 9;

struct EnergyParts {
  std::array<double, kEnergyPartCount> wh{};
  double fuel_wh = 0.0;

  double& operator[](EnergyPart part) { return wh[static_cast<std::size_t>(part)]; }
  double operator[](EnergyPart part) const { return wh[static_cast<std::size_t>(part)]; }
  EnergyParts& operator+=(const EnergyParts& other);
};

// The chart's name of a part.
QString energy_part_name(EnergyPart part);

// The day's energies, Wh; empty when a value they need is a gap of the files.
std::optional<EnergyParts> day_energy(const ChartDay& day, const CaseTerms& terms);

inline constexpr int kMonths = 12;

// The year's energies month by month, January first.
struct MonthlyEnergy {
  std::array<EnergyParts, kMonths> months;
  int days_left_out = 0;  // heating days with a gap that their month lacks
};

// The number of days of the climate file's year when it is a calendar year: 365 or 366 days
// numbered 1, 2, 3, … with day 1 = 1 January; else empty.
std::optional<int> calendar_year_days(const ChartYear& year);

// The last day of each month of a calendar year of `year_days` days.
std::array<int, kMonths> month_last_days(int year_days);

// The months of the year, or why the year has none: the climate file must hold 365 or 366 days
// numbered from 1, day 1 being 1 January.
std::variant<MonthlyEnergy, QString> monthly_energy(const ChartYear& year);

// One part of the year's energy flow: its energy and the whole kWh shown for it, rounded as the
// summary rounds (its own figure where the summary has one).
struct FlowPart {
  EnergyPart part;  // the useful heat is space_heat
  QString name;
  SummaryEnergy energy;
  double fuel_percent = 0.0;
};

// The year's energy flow from the fuel to the useful heat and each loss.
struct EnergyFlow {
  SummaryEnergy fuel;
  FlowPart useful_heat;
  std::vector<FlowPart> losses;  // a credit is negative
  // What a kWh of the fuel costs on the gas bill, where the year's cost is known.
  std::optional<double> sek_per_fuel_kwh;
};

// The flow, or why there is none (no heating day, or the annual figures are unknown).
std::variant<EnergyFlow, QString> energy_flow(const ChartYear& year);

// The days' demand on the boiler (heat demand and hot-water load), W, largest first: the load
// duration curve. Days whose demand is a gap of the files are left out.
std::vector<double> demand_duration(const ChartYear& year);

// The heat pump's electricity month by month, kWh, January first: every day of a calendar year
// (see calendar_year_days) in its month; empty without a heat pump or such a year.
std::optional<std::array<double, kMonths>> heat_pump_monthly_kwh(const ChartYear& year);

// One part of the heat pump's year as its energy flow shows it, kWh.
struct HeatPumpFlowPart {
  QString name;
  double kwh = 0.0;
};

// Where the heat pump's heat comes from (the compressor's electricity, the heat taken from the
// air or the ground, the backup heater; and the electricity of its off modes) and where it goes
// (space heat and hot water, less what was left unmet; the off modes' electricity, no heat the
// house uses). The two add up to the same.
struct HeatPumpFlow {
  std::vector<HeatPumpFlowPart> sources;
  std::vector<HeatPumpFlowPart> uses;
};

HeatPumpFlow heat_pump_flow(const core::HeatPumpYear& year, bool ground_source);

// Why a year has nothing to chart, or an empty text when it has heating days.
QString nothing_to_show(const ChartYear& year);

}  // namespace varmkalk
