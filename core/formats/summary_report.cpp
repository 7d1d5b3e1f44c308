#include "core/formats/summary_report.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/formats/summary_energies.h"
#include "core/model/annual_sums.h"
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

constexpr int kLabelColumn = 2;
constexpr int kSubLabelColumn = 4;
constexpr int kValueColumn = 54;                   // five-character values, columns 54–58
constexpr int kWideValueColumn = 53;               // six-character values, columns 53–58
constexpr float kHoursPerYearInThousands = 8.76f;  // W held for a year, in kWh
constexpr float kHoursPerDayInThousands = 0.024f;  // W held for a day, in kWh
constexpr std::string_view kEmptyLine = "\r\n";

// The efficiency undefined by a year without heating days.
constexpr std::string_view kNoEfficiency = "    -";

// A label at column 2, a value from `value_column` on, then its unit directly after it.
std::string labelled(std::string_view label, int value_column, std::string_view value,
                     std::string_view unit) {
  return OutputLine()
      .at(kLabelColumn)
      .text(to_windows1252(label))
      .at(value_column)
      .text(value)
      .text(to_windows1252(unit))
      .finish();
}

std::string text_line(int column, std::string_view text) {
  return OutputLine().at(column).text(to_windows1252(text)).finish();
}

std::string efficiency(const std::optional<float>& per_cent) {
  return per_cent ? format_fixed(*per_cent, 5, 1) : std::string(kNoEfficiency);
}

// A result file's name in the report's 20-character field, blank-padded.
std::string file_name_field(const std::string& name) {
  constexpr std::size_t kFileNameWidth = 20;
  std::string field = name.substr(0, kFileNameWidth);
  field.resize(kFileNameWidth, ' ');
  return field;
}

// An energy in kWh as the report prints it.
std::string kilowatt_hours(float energy_kwh) {
  return format_whole(whole_kwh(energy_kwh), 6);
}

// "- Avgastemperatur vid 40.0 och 30.0", then on the next line the flue-gas temperature.
std::string flue_gas_case(float supply_temp, float return_temp, float flue_gas_temp) {
  return OutputLine()
             .at(kLabelColumn)
             .text("- Avgastemperatur vid ")
             .fixed(supply_temp, 4, 1)
             .at(28)
             .text(" och ")
             .fixed(return_temp, 4, 1)
             .finish() +
         OutputLine()
             .at(kSubLabelColumn)
             .text("radiatortemperaturer: ")
             .at(kValueColumn)
             .fixed(flue_gas_temp, 5, 1)
             .text(" C")
             .finish();
}

}  // namespace

std::string format_summary_report(const BoilerCase& input, const AnnualTotals& totals,
                                  const ResultFileNames& names) {
  const SummaryEnergies energies = summary_energies(input, totals);
  std::string report;
  report += text_line(kLabelColumn, "***************** RESULTAT ***********************");
  report += kEmptyLine;
  report += labelled(kEfficiencyLabel, kValueColumn,
                     efficiency(annual_efficiency_percent(totals, PumpCredit::with_pump)), " %");
  report += labelled(kEfficiencyWithoutPumpLabel, kValueColumn,
                     efficiency(annual_efficiency_percent(totals, PumpCredit::without_pump)), " %");
  report += labelled(kNetEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.net_energy_kwh), " kWh");
  report += labelled(kGrossEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.gross_energy_kwh), " kWh");
  report += labelled(kConvectionEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.convection_energy_kwh), " kWh");
  report += labelled(kStandbyEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.standby_energy_kwh), " kWh");
  report += labelled(kFlueGasEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.flue_gas_energy_kwh), " kWh");
  report += labelled(kPilotEnergyLabel, kWideValueColumn,
                     kilowatt_hours(energies.pilot_energy_kwh), " kWh");
  report += labelled("- Cirkulationspumpens elanvändning: ", kWideValueColumn,
                     kilowatt_hours(energies.pump_electricity_kwh), " kWh");
  report += labelled("- Varmvattenbehov: ", kWideValueColumn,
                     format_whole(input.hot_water.annual_demand_kwh, 6), " kWh/år");
  report += labelled(
      "- Beredarförlust: ", kWideValueColumn,
      format_whole(input.hot_water.heater_loss_w * kHoursPerYearInThousands + 0.5f, 6), " kWh/år");
  report += kEmptyLine;
  // With a four-character identity the three names all end in column 62.
  report += labelled("- Resultatfil (rådata): ", 55, file_name_field(names.raw_file), "");
  report += labelled("- Resultatfil (denna fil): ", 52, file_name_field(names.summary_file), "");
  report += labelled("- Resultatfil (cirkpump): ", 50, file_name_field(names.pump_file), "");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "***************** INDATA **************************");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "PANNA:");
  report += labelled(kMaxPowerLabel, kValueColumn,
                     format_fixed(input.burner.max_power_w() / 1000.0f, 5, 2), " kW");
  report += labelled(kMinPowerLabel, kValueColumn,
                     format_fixed(input.burner.min_power_w() / 1000.0f, 5, 2), " kW");
  report += labelled("- Lufttalet vid förbränningen är ", kValueColumn,
                     format_fixed(input.combustion.air_ratio, 5, 2), " -");
  report += input.combustion.pilot_power_w == 0.0f
                ? text_line(kLabelColumn, kNoPilotLine)
                : labelled(kPilotPowerLabel, kValueColumn,
                           format_fixed(input.combustion.pilot_power_w, 5, 2), " W");
  report +=
      flue_gas_case(input.flue_gas.low_temp.supply_temp_c, input.flue_gas.low_temp.return_temp_c,
                    input.flue_gas.low_temp.flue_gas_temp_c);
  report +=
      flue_gas_case(input.flue_gas.high_temp.supply_temp_c, input.flue_gas.high_temp.return_temp_c,
                    input.flue_gas.high_temp.flue_gas_temp_c);
  report += labelled("- Konstant för konvektionsförluster ", kValueColumn,
                     format_fixed(input.losses.convection_constant, 5, 2), " -");
  report += labelled("- Konstant för stilleståndsförluster ", kValueColumn,
                     format_fixed(input.losses.standby_constant, 5, 2), " -");
  report += labelled("- Exponent för stilleståndsförluster ", kValueColumn,
                     format_fixed(input.losses.standby_exponent, 5, 2), " -");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "VÄRMESYSTEM, BYGGNAD OCH KLIMAT:");
  report += text_line(kLabelColumn, heating_system_design(input.heating_system).report_line);
  report += text_line(kSubLabelColumn, "fram- och returtemperatur");
  report += text_line(kLabelColumn, climate_report_line(input.climate));
  report += labelled("- Byggnadens uppvärmningsbehov vid LUT är ", kValueColumn,
                     format_whole(input.building.design_heat_demand_w, 5), " W");
  report += labelled("- Inomhustemperaturen är ", kValueColumn,
                     format_fixed(input.building.indoor_temp_c, 5, 2), " C");
  report += labelled("- Lägsta tillåtna returtemp. till pannan är ", kValueColumn,
                     format_fixed(input.building.min_return_temp_c, 5, 2), " C");
  report += labelled(kPumpPowerLabel, kValueColumn, format_fixed(input.pump.power_w, 5, 2), " W");
  report += labelled(kPumpShareLabel, kValueColumn,
                     format_fixed(input.pump.heat_share_percent, 5, 2), " %");
  report += labelled(kHotWaterLabel, kWideValueColumn,
                     format_whole(input.hot_water.annual_demand_kwh, 6), " kWh");
  report += labelled(kHeaterLossLabel, kValueColumn,
                     format_fixed(input.hot_water.heater_loss_w * kHoursPerDayInThousands, 5, 2),
                     " kWh/dag");
  report += kEmptyLine;
  return report;
}

}  // namespace varmkalk::core
