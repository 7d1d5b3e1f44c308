// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/case/boiler_case.h"
#include "core/formats/result_file_names.h"
#include "core/model/annual_totals.h"

namespace varmkalk::core {

// Lines of the report body; the first copy is preceded by two more, empty.
inline constexpr int kSummaryReportLines = 45;

// The labels of the report's value lines (UTF-8) that a reader of a kept report looks for: each
// value stands after its label, its unit after it.
inline constexpr std::string_view kEfficiencyLabel = "- Årsverkningsgrad: ";
inline constexpr std::string_view kEfficiencyWithoutPumpLabel =
    "- Årsverkningsgrad (exkl. cirkpump): ";
inline constexpr std::string_view kNetEnergyLabel = "- Årligt nettoenergibehov: ";
inline constexpr std::string_view kGrossEnergyLabel = "- Årligt bruttoenergibehov: ";
inline constexpr std::string_view kConvectionEnergyLabel = "- Årliga konvektionsförluster: ";
inline constexpr std::string_view kStandbyEnergyLabel = "- Årliga stilleståndsförluster: ";
inline constexpr std::string_view kFlueGasEnergyLabel = "- Årliga avgasförluster: ";
inline constexpr std::string_view kPilotEnergyLabel = "- Pilotlågeenergin: ";
inline constexpr std::string_view kPumpEnergyLabel = "- Cirkulationspumpens elanvändning: ";
inline constexpr std::string_view kHotWaterYearLabel = "- Varmvattenbehov: ";
inline constexpr std::string_view kHeaterLossYearLabel = "- Beredarförlust: ";
inline constexpr std::string_view kRawFileLabel = "- Resultatfil (rådata): ";
inline constexpr std::string_view kSummaryFileLabel = "- Resultatfil (denna fil): ";
inline constexpr std::string_view kPumpFileLabel = "- Resultatfil (cirkpump): ";
inline constexpr std::string_view kMaxPowerLabel = "- Brännarens maxeffekt: ";
inline constexpr std::string_view kMinPowerLabel = "- Brännarens mineffekt: ";
inline constexpr std::string_view kAirRatioLabel = "- Lufttalet vid förbränningen är ";
inline constexpr std::string_view kPilotPowerLabel = "- Pilotlågeeffekten är ";
// The line that stands instead of the pilot flame's power when there is none.
inline constexpr std::string_view kNoPilotLine = "- Ingen pilotflamma";
inline constexpr std::string_view kConvectionConstantLabel = "- Konstant för konvektionsförluster ";
inline constexpr std::string_view kStandbyConstantLabel = "- Konstant för stilleståndsförluster ";
inline constexpr std::string_view kStandbyExponentLabel = "- Exponent för stilleståndsförluster ";
inline constexpr std::string_view kDesignHeatDemandLabel =
    "- Byggnadens uppvärmningsbehov vid LUT är ";
inline constexpr std::string_view kIndoorTempLabel = "- Inomhustemperaturen är ";
inline constexpr std::string_view kMinReturnTempLabel =
    "- Lägsta tillåtna returtemp. till pannan är ";
inline constexpr std::string_view kPumpPowerLabel = "- Cirkulationspumpens eleffekt är ";
inline constexpr std::string_view kPumpShareLabel = "- Cirkulationspumpens verkningsgrad är ";
inline constexpr std::string_view kHotWaterLabel = "- Årligt varmvattenbehov är ";
inline constexpr std::string_view kHeaterLossLabel =
    "- Varmvattenberedarens dagliga värmeförlust är ";

// The lines of fixed text, each from kSummaryLabelColumn but the one from kSummarySubLabelColumn.
inline constexpr std::string_view kResultHeading =
    "***************** RESULTAT ***********************";
inline constexpr std::string_view kInputHeading =
    "***************** INDATA **************************";
inline constexpr std::string_view kBoilerHeading = "PANNA:";
inline constexpr std::string_view kSystemHeading = "VÄRMESYSTEM, BYGGNAD OCH KLIMAT:";
inline constexpr std::string_view kSystemSubLine = "fram- och returtemperatur";  // sub-label column

// A flue-gas point takes two lines: "- Avgastemperatur vid 40.0 och 30.0", the supply and return
// temperatures as Fixed 4.1 from the columns after each text, then the flue-gas temperature under
// kFlueGasTempLabel, from the sub-label column.
inline constexpr std::string_view kFlueGasPointLabel = "- Avgastemperatur vid ";
inline constexpr std::string_view kFlueGasPointJoin = " och ";
inline constexpr int kFlueGasPointJoinColumn = 28;
inline constexpr int kFlueGasPointWidth = 4;
inline constexpr int kFlueGasPointDecimals = 1;
inline constexpr std::string_view kFlueGasTempLabel = "radiatortemperaturer: ";

inline constexpr int kSummaryLabelColumn = 2;
inline constexpr int kSummarySubLabelColumn = 4;

// An efficiency that a year without heating days leaves undefined, in its five columns.
inline constexpr std::string_view kNoEfficiencyField = "    -";

// A value line: the label from kSummaryLabelColumn (or the sub-label column), the value
// right-aligned in `width` columns from `value_column` (1-based), then the unit directly after
// it. A value too wide for its columns is printed as asterisks.
struct SummaryValueLine {
  std::string_view label;
  int value_column;
  int width;
  int decimals;  // kWholeNumber: an integer, the value cut toward zero
  std::string_view unit;
};
inline constexpr int kWholeNumber = -1;

inline constexpr SummaryValueLine kEfficiencyLine{kEfficiencyLabel, 54, 5, 1, " %"};
inline constexpr SummaryValueLine kEfficiencyWithoutPumpLine{kEfficiencyWithoutPumpLabel, 54, 5, 1,
                                                             " %"};
inline constexpr SummaryValueLine kNetEnergyLine{kNetEnergyLabel, 53, 6, kWholeNumber, " kWh"};
inline constexpr SummaryValueLine kGrossEnergyLine{kGrossEnergyLabel, 53, 6, kWholeNumber, " kWh"};
inline constexpr SummaryValueLine kConvectionEnergyLine{kConvectionEnergyLabel, 53, 6, kWholeNumber,
                                                        " kWh"};
inline constexpr SummaryValueLine kStandbyEnergyLine{kStandbyEnergyLabel, 53, 6, kWholeNumber,
                                                     " kWh"};
inline constexpr SummaryValueLine kFlueGasEnergyLine{kFlueGasEnergyLabel, 53, 6, kWholeNumber,
                                                     " kWh"};
inline constexpr SummaryValueLine kPilotEnergyLine{kPilotEnergyLabel, 53, 6, kWholeNumber, " kWh"};
inline constexpr SummaryValueLine kPumpEnergyLine{kPumpEnergyLabel, 53, 6, kWholeNumber, " kWh"};
inline constexpr SummaryValueLine kHotWaterYearLine{kHotWaterYearLabel, 53, 6, kWholeNumber,
                                                    " kWh/år"};
inline constexpr SummaryValueLine kHeaterLossYearLine{kHeaterLossYearLabel, 53, 6, kWholeNumber,
                                                      " kWh/år"};
inline constexpr SummaryValueLine kMaxPowerLine{kMaxPowerLabel, 54, 5, 2, " kW"};
inline constexpr SummaryValueLine kMinPowerLine{kMinPowerLabel, 54, 5, 2, " kW"};
inline constexpr SummaryValueLine kAirRatioLine{kAirRatioLabel, 54, 5, 2, " -"};
inline constexpr SummaryValueLine kPilotPowerLine{kPilotPowerLabel, 54, 5, 2, " W"};
inline constexpr SummaryValueLine kFlueGasTempLine{kFlueGasTempLabel, 54, 5, 1, " C"};
inline constexpr SummaryValueLine kConvectionConstantLine{kConvectionConstantLabel, 54, 5, 2, " -"};
inline constexpr SummaryValueLine kStandbyConstantLine{kStandbyConstantLabel, 54, 5, 2, " -"};
inline constexpr SummaryValueLine kStandbyExponentLine{kStandbyExponentLabel, 54, 5, 2, " -"};
inline constexpr SummaryValueLine kDesignHeatDemandLine{kDesignHeatDemandLabel, 54, 5, kWholeNumber,
                                                        " W"};
inline constexpr SummaryValueLine kIndoorTempLine{kIndoorTempLabel, 54, 5, 2, " C"};
inline constexpr SummaryValueLine kMinReturnTempLine{kMinReturnTempLabel, 54, 5, 2, " C"};
inline constexpr SummaryValueLine kPumpPowerLine{kPumpPowerLabel, 54, 5, 2, " W"};
inline constexpr SummaryValueLine kPumpShareLine{kPumpShareLabel, 54, 5, 2, " %"};
inline constexpr SummaryValueLine kHotWaterLine{kHotWaterLabel, 53, 6, kWholeNumber, " kWh"};
inline constexpr SummaryValueLine kHeaterLossLine{kHeaterLossLabel, 54, 5, 2, " kWh/dag"};

// The result files' names, each in a 20-column field from its column, blank-padded; with a
// four-character identity the three end in the same column.
inline constexpr int kFileNameWidth = 20;
inline constexpr int kRawFileColumn = 55;
inline constexpr int kSummaryFileColumn = 52;
inline constexpr int kPumpFileColumn = 50;

// A line of fixed text (UTF-8) from `column`, in Windows-1252, ending in CR LF.
std::string summary_text_line(int column, std::string_view text);

// A label from `label_column`, a value as printed from `value_column` on, then its unit directly
// after it; label and unit in UTF-8, the line in Windows-1252 ending in CR LF.
std::string summary_labelled_line(int label_column, std::string_view label, int value_column,
                                  std::string_view value, std::string_view unit);

// The first line of a flue-gas point, its supply and return temperatures as printed.
std::string flue_gas_point_line(std::string_view supply_temp, std::string_view return_temp);

// A value as its line prints it: Fixed width.decimals, or for kWholeNumber the value cut toward
// zero as Integer width; asterisks when it does not fit.
std::string format_summary_value(const SummaryValueLine& line, float value);

// An energy in kWh as the report prints it, in whole kWh: half a kWh added, then cut toward zero.
float whole_kwh(float energy_kwh);
// The same for an energy in Wh.
float summary_kwh(float energy_wh);

// The body of the summary report: the annual results, the result file names and an echo of
// the input, 45 lines in Windows-1252 ending in CR LF. When the year had no heating day the
// efficiencies are undefined and print as "-".
std::string format_summary_report(const BoilerCase& input, const AnnualTotals& totals,
                                  const ResultFileNames& names);

}  // namespace varmkalk::core
