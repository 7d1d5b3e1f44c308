// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/case/boiler_case.h"
#include "core/model/year.h"

namespace varmkalk {

// True when the boiler fell short on some day and its burner is modulating and ran below its
// maximum power on every such day: the burner had power left, and the shortfall comes from how
// the model chooses its power, not from a burner that is too small.
bool shortfall_with_power_left(const core::BoilerCase& input, const core::YearResult& year);

// What the user should know of a complete year beside its summary, the engine's warnings with
// the locale's decimal separator: days on which the boiler fell short (with the reason when the
// burner had power left) and a year without a heating day. One paragraph each, no line breaks.
QStringList run_notices(const core::BoilerCase& input, const core::YearResult& year,
                        const QLocale& locale);

// The notices for the year the engine has just computed in the folder: its styrfil.dat and the
// climate file read again as the engine finds it (the folder, else `climate_fallback_dir`), and
// the year run again in memory. Nothing when they cannot be read or the model refuses.
std::optional<QStringList> folder_run_notices(const QString& folder,
                                              const QString& climate_fallback_dir,
                                              const QLocale& locale);

}  // namespace varmkalk
