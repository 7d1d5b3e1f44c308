// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_table.h"

#include <array>
#include <stdexcept>

#include "core/case/units.h"
#include "core/model/annual_sums.h"

namespace varmkalk::core {
namespace {

constexpr float kHoursPerYearInThousands = 8.76f;  // W held for a year, in kWh

using Kind = SummaryRowKind;
using Part = SummaryPart;

constexpr SummaryRow row_of(Kind kind, Part part, const SummaryValueLine* line = nullptr) {
  SummaryRow row;
  row.kind = kind;
  row.part = part;
  row.line = line;
  return row;
}

constexpr SummaryRow empty(Part part) {
  return row_of(Kind::empty, part);
}

constexpr SummaryRow text(Part part, std::string_view line, int column = kSummaryLabelColumn) {
  SummaryRow row = row_of(Kind::text, part);
  row.column = column;
  row.text = line;
  return row;
}

constexpr SummaryRow input(const SummaryValueLine& line, float (*of_case)(const BoilerCase&),
                           ReportValue SummaryReport::*member) {
  SummaryRow row = row_of(Kind::value, Part::inputs, &line);
  row.of_case = of_case;
  row.member = member;
  return row;
}

constexpr SummaryRow result(const SummaryValueLine& line,
                            std::optional<float> (*of_year)(const SummaryYear&),
                            ReportValue SummaryReport::*member, Kind kind = Kind::value) {
  SummaryRow row = row_of(kind, Part::results, &line);
  row.of_year = of_year;
  row.member = member;
  return row;
}

constexpr SummaryRow flue_gas_point(FlueGasPoint FlueGasPoints::*point,
                                    ReportFlueGasPoint SummaryReport::*report_point) {
  SummaryRow row = row_of(Kind::flue_gas_point, Part::inputs, &kFlueGasTempLine);
  row.point = point;
  row.report_point = report_point;
  return row;
}

const std::array kRows{
    text(Part::results, kResultHeading),
    empty(Part::results),
    result(
        kEfficiencyLine,
        [](const SummaryYear& year) {
          return annual_efficiency_percent(year.totals, PumpCredit::with_pump);
        },
        &SummaryReport::efficiency_percent, Kind::efficiency),
    result(
        kEfficiencyWithoutPumpLine,
        [](const SummaryYear& year) {
          return annual_efficiency_percent(year.totals, PumpCredit::without_pump);
        },
        &SummaryReport::efficiency_without_pump_percent, Kind::efficiency),
    result(
        kNetEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.net_energy_kwh));
        },
        &SummaryReport::net_energy_kwh),
    result(
        kGrossEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.gross_energy_kwh));
        },
        &SummaryReport::gross_energy_kwh),
    result(
        kConvectionEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.convection_energy_kwh));
        },
        &SummaryReport::convection_energy_kwh),
    result(
        kStandbyEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.standby_energy_kwh));
        },
        &SummaryReport::standby_energy_kwh),
    result(
        kFlueGasEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.flue_gas_energy_kwh));
        },
        &SummaryReport::flue_gas_energy_kwh),
    result(
        kPilotEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.pilot_energy_kwh));
        },
        &SummaryReport::pilot_energy_kwh),
    result(
        kPumpEnergyLine,
        [](const SummaryYear& year) {
          return std::optional(whole_kwh(year.energies.pump_electricity_kwh));
        },
        &SummaryReport::pump_electricity_kwh),
    result(
        kHotWaterYearLine,
        [](const SummaryYear& year) {
          return std::optional(year.input.hot_water.annual_demand_kwh);
        },
        &SummaryReport::hot_water_kwh_per_year),
    result(
        kHeaterLossYearLine,
        [](const SummaryYear& year) {
          return std::optional(year.input.hot_water.heater_loss_w * kHoursPerYearInThousands +
                               0.5f);
        },
        &SummaryReport::heater_loss_kwh_per_year),
    empty(Part::results),
    row_of(Kind::file_names, Part::results),
    empty(Part::results),
    text(Part::inputs, kInputHeading),
    empty(Part::inputs),
    text(Part::inputs, kBoilerHeading),
    input(
        kMaxPowerLine, [](const BoilerCase& c) { return kw_from_watts(c.burner.max_power_w()); },
        &SummaryReport::max_power_kw),
    input(
        kMinPowerLine, [](const BoilerCase& c) { return kw_from_watts(c.burner.min_power_w()); },
        &SummaryReport::min_power_kw),
    input(
        kAirRatioLine, [](const BoilerCase& c) { return c.combustion.air_ratio; },
        &SummaryReport::air_ratio),
    row_of(Kind::pilot, Part::inputs, &kPilotPowerLine),
    flue_gas_point(&FlueGasPoints::low_temp, &SummaryReport::low_temp),
    flue_gas_point(&FlueGasPoints::high_temp, &SummaryReport::high_temp),
    input(
        kConvectionConstantLine, [](const BoilerCase& c) { return c.losses.convection_constant; },
        &SummaryReport::convection_constant),
    input(
        kStandbyConstantLine, [](const BoilerCase& c) { return c.losses.standby_constant; },
        &SummaryReport::standby_constant),
    input(
        kStandbyExponentLine, [](const BoilerCase& c) { return c.losses.standby_exponent; },
        &SummaryReport::standby_exponent),
    empty(Part::inputs),
    text(Part::inputs, kSystemHeading),
    row_of(Kind::heating_system, Part::inputs),
    text(Part::inputs, kSystemSubLine, kSummarySubLabelColumn),
    row_of(Kind::climate, Part::inputs),
    input(
        kDesignHeatDemandLine, [](const BoilerCase& c) { return c.building.design_heat_demand_w; },
        &SummaryReport::design_heat_demand_w),
    input(
        kIndoorTempLine, [](const BoilerCase& c) { return c.building.indoor_temp_c; },
        &SummaryReport::indoor_temp_c),
    input(
        kMinReturnTempLine, [](const BoilerCase& c) { return c.building.min_return_temp_c; },
        &SummaryReport::min_return_temp_c),
    input(
        kPumpPowerLine, [](const BoilerCase& c) { return c.pump.power_w; },
        &SummaryReport::pump_power_w),
    input(
        kPumpShareLine, [](const BoilerCase& c) { return c.pump.heat_share_percent; },
        &SummaryReport::pump_share_percent),
    input(
        kHotWaterLine, [](const BoilerCase& c) { return c.hot_water.annual_demand_kwh; },
        &SummaryReport::hot_water_kwh),
    input(
        kHeaterLossLine,
        [](const BoilerCase& c) { return kwh_per_day_from_watts(c.hot_water.heater_loss_w); },
        &SummaryReport::heater_loss_kwh_per_day),
    empty(Part::inputs),
};

}  // namespace

std::span<const SummaryRow> summary_rows() {
  return kRows;
}

const SummaryRow& summary_row(const SummaryValueLine& line) {
  for (const SummaryRow& row : kRows) {
    if (row.line == &line) {
      return row;
    }
  }
  throw std::invalid_argument("ingen rad i sammanfattningen har den raden");
}

}  // namespace varmkalk::core
