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
inline constexpr std::string_view kMaxPowerLabel = "- Brännarens maxeffekt: ";
inline constexpr std::string_view kMinPowerLabel = "- Brännarens mineffekt: ";
inline constexpr std::string_view kPilotPowerLabel = "- Pilotlågeeffekten är ";
// The line that stands instead of the pilot flame's power when there is none.
inline constexpr std::string_view kNoPilotLine = "- Ingen pilotflamma";
inline constexpr std::string_view kPumpPowerLabel = "- Cirkulationspumpens eleffekt är ";
inline constexpr std::string_view kPumpShareLabel = "- Cirkulationspumpens verkningsgrad är ";
inline constexpr std::string_view kHotWaterLabel = "- Årligt varmvattenbehov är ";
inline constexpr std::string_view kHeaterLossLabel =
    "- Varmvattenberedarens dagliga värmeförlust är ";

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
