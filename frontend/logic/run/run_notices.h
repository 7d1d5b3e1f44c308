// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/case/boiler_case.h"
#include "core/model/year.h"
#include "frontend/logic/run/folder_year.h"

namespace varmkalk {

// The name, in charts and tables, of days on which only the model's part-load rule of a
// modulating burner fell short, beside "Pannan räcker inte till" for days on which the burner at
// full power falls short.
QString part_load_name();
// What follows the engine's shortfall warning for a year with such days: the explanation, and
// how many days the burner at full power fell short where those are only some. Empty for a year
// without them.
QString part_load_remark(const core::AnnualTotals& totals);

// What the user should know of a complete year beside its summary, the engine's warnings with
// the locale's decimal separator: days on which the boiler fell short (with the reason when the
// burner had power left on some of them) and a year without a heating day. One paragraph each,
// no line breaks.
QStringList run_notices(const core::YearResult& year, const QLocale& locale);

// The notices for a calculation's year run in memory (see folder_year). Nothing where it has no
// complete year: its case or climate cannot be read, or the model refuses.
std::optional<QStringList> calculation_notices(const CalculationYear& computed,
                                               const QLocale& locale);

}  // namespace varmkalk
