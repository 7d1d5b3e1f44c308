#pragma once

#include <string>

#include "annual_totals.h"
#include "run_parameters.h"

namespace kalvex {

// Lines of the report body; the first copy is preceded by two more, empty.
inline constexpr int kSummaryReportLines = 45;

// The body of the summary report: the annual results, the result file names and an echo of
// the input, 45 lines in Windows-1252 ending in CR LF. When the year had no heating day the
// efficiencies are undefined and print as "-".
std::string format_summary_report(const RunParameters& params, const AnnualTotals& totals);

}  // namespace kalvex
