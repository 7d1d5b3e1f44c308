// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/formats/summary_report_reader.h"

#include <QString>

#include <optional>
#include <variant>

namespace varmkalk {

// A value of a summary as printed, read as the decimal the summary shows rather than as the
// float it was; empty for asterisks and "-".
std::optional<double> printed_value(const core::ReportValue& value);

// The case of a calculation kept without an inputs file, under `identity`, straight from its
// summary's quantities as printed: the case the form's input restored from the summary (see
// input_from_summary) gives. Where the form cannot express a value, the form's rule stands as it
// does there: the pump's share is the form's 75 %, and a lowest return temperature other than
// 35 °C, 65 °C or the indoor temperature is the form's preset 35 °C. Why there is none: a needed
// value printed as asterisks, an own climate file (whose design outdoor temperature the summary
// does not print), or an identity that cannot be used.
std::variant<core::BoilerCase, QString> summary_case(const core::SummaryReport& report,
                                                     const QString& identity);

}  // namespace varmkalk
