// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/formats/summary_energies.h"
#include "core/model/annual_sums.h"
#include "core/text/fixed_field.h"
#include "core/text/fixed_format.h"
#include "core/text/output_line.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

constexpr float kWhPerKwh = 1000.0f;

}  // namespace

float whole_kwh(float energy_kwh) {
  return std::trunc(energy_kwh + 0.5f);
}

float summary_kwh(float energy_wh) {
  return whole_kwh(energy_wh / kWhPerKwh);
}

namespace {

constexpr float kHoursPerYearInThousands = 8.76f;  // W held for a year, in kWh
constexpr float kHoursPerDayInThousands = 0.024f;  // W held for a day, in kWh
constexpr std::string_view kEmptyLine = "\r\n";

std::string value_line(const SummaryValueLine& line, std::string_view value,
                       int label_column = kSummaryLabelColumn) {
  return summary_labelled_line(label_column, line.label, line.value_column, value, line.unit);
}

std::string value_line(const SummaryValueLine& line, float value) {
  return value_line(line, format_summary_value(line, value));
}

std::string efficiency(const std::optional<float>& per_cent) {
  return per_cent ? format_summary_value(kEfficiencyLine, *per_cent)
                  : std::string(kNoEfficiencyField);
}

// "- Avgastemperatur vid 40.0 och 30.0", then on the next line the flue-gas temperature.
std::string flue_gas_case(float supply_temp, float return_temp, float flue_gas_temp) {
  return flue_gas_point_line(format_fixed(supply_temp, kFlueGasPointWidth, kFlueGasPointDecimals),
                             format_fixed(return_temp, kFlueGasPointWidth, kFlueGasPointDecimals)) +
         value_line(kFlueGasTempLine, format_summary_value(kFlueGasTempLine, flue_gas_temp),
                    kSummarySubLabelColumn);
}

}  // namespace

std::string summary_text_line(int column, std::string_view text) {
  return OutputLine().at(column).text(to_windows1252(text)).finish();
}

std::string summary_labelled_line(int label_column, std::string_view label, int value_column,
                                  std::string_view value, std::string_view unit) {
  return OutputLine()
      .at(label_column)
      .text(to_windows1252(label))
      .at(value_column)
      .text(value)
      .text(to_windows1252(unit))
      .finish();
}

std::string flue_gas_point_line(std::string_view supply_temp, std::string_view return_temp) {
  return OutputLine()
      .at(kSummaryLabelColumn)
      .text(kFlueGasPointLabel)
      .text(supply_temp)
      .at(kFlueGasPointJoinColumn)
      .text(kFlueGasPointJoin)
      .text(return_temp)
      .finish();
}

std::string format_summary_value(const SummaryValueLine& line, float value) {
  return line.decimals == kWholeNumber ? format_whole(value, line.width)
                                       : format_fixed(value, line.width, line.decimals);
}

std::string format_summary_report(const BoilerCase& input, const AnnualTotals& totals,
                                  const ResultFileNames& names) {
  const SummaryEnergies energies = summary_energies(input, totals);
  std::string report;
  report += summary_text_line(kSummaryLabelColumn, kResultHeading);
  report += kEmptyLine;
  report += value_line(kEfficiencyLine,
                       efficiency(annual_efficiency_percent(totals, PumpCredit::with_pump)));
  report += value_line(kEfficiencyWithoutPumpLine,
                       efficiency(annual_efficiency_percent(totals, PumpCredit::without_pump)));
  report += value_line(kNetEnergyLine, whole_kwh(energies.net_energy_kwh));
  report += value_line(kGrossEnergyLine, whole_kwh(energies.gross_energy_kwh));
  report += value_line(kConvectionEnergyLine, whole_kwh(energies.convection_energy_kwh));
  report += value_line(kStandbyEnergyLine, whole_kwh(energies.standby_energy_kwh));
  report += value_line(kFlueGasEnergyLine, whole_kwh(energies.flue_gas_energy_kwh));
  report += value_line(kPilotEnergyLine, whole_kwh(energies.pilot_energy_kwh));
  report += value_line(kPumpEnergyLine, whole_kwh(energies.pump_electricity_kwh));
  report += value_line(kHotWaterYearLine, input.hot_water.annual_demand_kwh);
  report += value_line(kHeaterLossYearLine,
                       input.hot_water.heater_loss_w * kHoursPerYearInThousands + 0.5f);
  report += kEmptyLine;
  // With a four-character identity the three names all end in column 62.
  report += summary_labelled_line(kSummaryLabelColumn, kRawFileLabel, kRawFileColumn,
                                  field_text(names.raw_file, 1, kFileNameWidth), "");
  report += summary_labelled_line(kSummaryLabelColumn, kSummaryFileLabel, kSummaryFileColumn,
                                  field_text(names.summary_file, 1, kFileNameWidth), "");
  report += summary_labelled_line(kSummaryLabelColumn, kPumpFileLabel, kPumpFileColumn,
                                  field_text(names.pump_file, 1, kFileNameWidth), "");
  report += kEmptyLine;
  report += summary_text_line(kSummaryLabelColumn, kInputHeading);
  report += kEmptyLine;
  report += summary_text_line(kSummaryLabelColumn, kBoilerHeading);
  report += value_line(kMaxPowerLine, input.burner.max_power_w() / 1000.0f);
  report += value_line(kMinPowerLine, input.burner.min_power_w() / 1000.0f);
  report += value_line(kAirRatioLine, input.combustion.air_ratio);
  report += input.combustion.pilot_power_w == 0.0f
                ? summary_text_line(kSummaryLabelColumn, kNoPilotLine)
                : value_line(kPilotPowerLine, input.combustion.pilot_power_w);
  report +=
      flue_gas_case(input.flue_gas.low_temp.supply_temp_c, input.flue_gas.low_temp.return_temp_c,
                    input.flue_gas.low_temp.flue_gas_temp_c);
  report +=
      flue_gas_case(input.flue_gas.high_temp.supply_temp_c, input.flue_gas.high_temp.return_temp_c,
                    input.flue_gas.high_temp.flue_gas_temp_c);
  report += value_line(kConvectionConstantLine, input.losses.convection_constant);
  report += value_line(kStandbyConstantLine, input.losses.standby_constant);
  report += value_line(kStandbyExponentLine, input.losses.standby_exponent);
  report += kEmptyLine;
  report += summary_text_line(kSummaryLabelColumn, kSystemHeading);
  report += summary_text_line(kSummaryLabelColumn,
                              heating_system_design(input.heating_system).report_line);
  report += summary_text_line(kSummarySubLabelColumn, kSystemSubLine);
  report += summary_text_line(kSummaryLabelColumn, climate_report_line(input.climate));
  report += value_line(kDesignHeatDemandLine, input.building.design_heat_demand_w);
  report += value_line(kIndoorTempLine, input.building.indoor_temp_c);
  report += value_line(kMinReturnTempLine, input.building.min_return_temp_c);
  report += value_line(kPumpPowerLine, input.pump.power_w);
  report += value_line(kPumpShareLine, input.pump.heat_share_percent);
  report += value_line(kHotWaterLine, input.hot_water.annual_demand_kwh);
  report += value_line(kHeaterLossLine, input.hot_water.heater_loss_w * kHoursPerDayInThousands);
  report += kEmptyLine;
  return report;
}

}  // namespace varmkalk::core
