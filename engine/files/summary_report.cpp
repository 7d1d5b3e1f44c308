#include "summary_report.h"

#include <optional>
#include <string_view>

#include "climate.h"
#include "fixed_format.h"
#include "heating_system_choice.h"
#include "output_line.h"
#include "windows1252.h"

namespace kalvex {
namespace {

constexpr int kLabelColumn = 2;
constexpr int kSubLabelColumn = 4;
constexpr int kValueColumn = 54;      // five-character values, columns 54–58
constexpr int kWideValueColumn = 53;  // six-character values, columns 53–58
constexpr float kHoursPerDay = 24.0f;
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

// An energy sum in Wh as whole kWh: half a kWh added, then cut toward zero.
std::string kilowatt_hours(float energy) {
  return format_whole(energy / 1000.0f + 0.5f, 6);
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

std::string format_summary_report(const RunParameters& params, const AnnualTotals& totals) {
  const auto heating_hours = static_cast<float>(totals.heating_days) * kHoursPerDay;
  std::string report;
  report += text_line(kLabelColumn, "***************** RESULTAT ***********************");
  report += kEmptyLine;
  report +=
      labelled("- Årsverkningsgrad: ", kValueColumn, efficiency(totals.annual_efficiency), " %");
  report += labelled("- Årsverkningsgrad (exkl. cirkpump): ", kValueColumn,
                     efficiency(totals.annual_efficiency_without_pump), " %");
  report += labelled("- Årligt nettoenergibehov: ", kWideValueColumn,
                     kilowatt_hours(totals.net_energy), " kWh");
  report += labelled("- Årligt bruttoenergibehov: ", kWideValueColumn,
                     kilowatt_hours(totals.gross_energy_with_pump), " kWh");
  report += labelled("- Årliga konvektionsförluster: ", kWideValueColumn,
                     kilowatt_hours(totals.convection_energy), " kWh");
  report += labelled("- Årliga stilleståndsförluster: ", kWideValueColumn,
                     kilowatt_hours(totals.standby_energy), " kWh");
  report += labelled("- Årliga avgasförluster: ", kWideValueColumn,
                     kilowatt_hours(totals.flue_gas_energy), " kWh");
  report += labelled("- Pilotlågeenergin: ", kWideValueColumn,
                     kilowatt_hours(heating_hours * params.pilot_power), " kWh");
  report += labelled("- Cirkulationspumpens elanvändning: ", kWideValueColumn,
                     kilowatt_hours(heating_hours * params.pump_power), " kWh");
  report += labelled("- Varmvattenbehov: ", kWideValueColumn,
                     format_whole(params.hot_water_demand, 6), " kWh/år");
  report +=
      labelled("- Beredarförlust: ", kWideValueColumn,
               format_whole(params.heater_loss * kHoursPerYearInThousands + 0.5f, 6), " kWh/år");
  report += kEmptyLine;
  // With a four-character identity the three names all end in column 62.
  report += labelled("- Resultatfil (rådata): ", 55, params.raw_file_name.str(), "");
  report += labelled("- Resultatfil (denna fil): ", 52, params.summary_file_name.str(), "");
  report += labelled("- Resultatfil (cirkpump): ", 50, params.pump_file_name.str(), "");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "***************** INDATA **************************");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "PANNA:");
  report += labelled("- Brännarens maxeffekt: ", kValueColumn,
                     format_fixed(params.burner_max_power / 1000.0f, 5, 2), " kW");
  report += labelled("- Brännarens mineffekt: ", kValueColumn,
                     format_fixed(params.burner_min_power / 1000.0f, 5, 2), " kW");
  report += labelled("- Lufttalet vid förbränningen är ", kValueColumn,
                     format_fixed(params.air_ratio, 5, 2), " -");
  report += params.pilot_power == 0.0f ? text_line(kLabelColumn, "- Ingen pilotflamma")
                                       : labelled("- Pilotlågeeffekten är ", kValueColumn,
                                                  format_fixed(params.pilot_power, 5, 2), " W");
  report += flue_gas_case(params.supply_temp_1, params.return_temp_1, params.flue_gas_temp_1);
  report += flue_gas_case(params.supply_temp_2, params.return_temp_2, params.flue_gas_temp_2);
  report += labelled("- Konstant för konvektionsförluster ", kValueColumn,
                     format_fixed(params.convection_constant, 5, 2), " -");
  report += labelled("- Konstant för stilleståndsförluster ", kValueColumn,
                     format_fixed(params.standby_constant, 5, 2), " -");
  report += labelled("- Exponent för stilleståndsförluster ", kValueColumn,
                     format_fixed(params.standby_exponent, 5, 2), " -");
  report += kEmptyLine;
  report += text_line(kLabelColumn, "VÄRMESYSTEM, BYGGNAD OCH KLIMAT:");
  report += text_line(kLabelColumn, is_high_temperature_system(params.heating_system_code)
                                        ? "- Värmesystemet är dimensionerat för 80 och 60 C"
                                        : "- Värmesystemet är dimensionerat för 55 och 45 C");
  report += text_line(kSubLabelColumn, "fram- och returtemperatur");
  report += text_line(kLabelColumn, choose_climate(params.climate_code).report_line);
  report += labelled("- Byggnadens uppvärmningsbehov vid LUT är ", kValueColumn,
                     format_whole(params.design_heat_demand, 5), " W");
  report += labelled("- Inomhustemperaturen är ", kValueColumn,
                     format_fixed(params.indoor_temp, 5, 2), " C");
  report += labelled("- Lägsta tillåtna returtemp. till pannan är ", kValueColumn,
                     format_fixed(params.min_return_temp, 5, 2), " C");
  report += labelled("- Cirkulationspumpens eleffekt är ", kValueColumn,
                     format_fixed(params.pump_power, 5, 2), " W");
  report += labelled("- Cirkulationspumpens verkningsgrad är ", kValueColumn,
                     format_fixed(params.pump_efficiency, 5, 2), " %");
  report += labelled("- Årligt varmvattenbehov är ", kWideValueColumn,
                     format_whole(params.hot_water_demand, 6), " kWh");
  report += labelled("- Varmvattenberedarens dagliga värmeförlust är ", kValueColumn,
                     format_fixed(params.heater_loss * kHoursPerDayInThousands, 5, 2), " kWh/dag");
  report += kEmptyLine;
  return report;
}

}  // namespace kalvex
