// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"

#include <QDate>
#include <QString>

#include <optional>

namespace varmkalk::testing {

// Writes the days of the climate file `climate_path` as a plain table of dates and temperatures,
// headed "datum;temperatur", its first day on `first_day`: what a user would import as a climate
// file of their own. False when either file cannot be opened.
bool write_climate_table(const QString& climate_path, const QString& table_path, QDate first_day);

// Writes the case's styrfil.dat into `folder` and, when `days` is not 0, a made-up year of that
// many days as the case's climate file, which the engine takes from the working folder before its
// own: cold around New Year and warm in summer, or every day at `warm_tenths` tenths of a degree
// when that is given. False when a file cannot be written whole.
bool write_case_folder(const QString& folder, const core::BoilerCase& input, int days,
                       std::optional<int> warm_tenths);

}  // namespace varmkalk::testing
