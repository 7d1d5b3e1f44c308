#pragma once

#include <string>

#include "core/case/boiler_case.h"
#include "core/formats/result_file_names.h"
#include "core/model/annual_totals.h"

namespace varmkalk::core {

// Lines of the report body; the first copy is preceded by two more, empty.
inline constexpr int kSummaryReportLines = 45;

// The body of the summary report: the annual results, the result file names and an echo of
// the input, 45 lines in Windows-1252 ending in CR LF. When the year had no heating day the
// efficiencies are undefined and print as "-".
std::string format_summary_report(const BoilerCase& input, const AnnualTotals& totals,
                                  const ResultFileNames& names);

}  // namespace varmkalk::core
