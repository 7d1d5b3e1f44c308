// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

namespace varmkalk::testing {

// Writes the days of the climate file `climate_path` as a plain table of dates and temperatures,
// headed "datum;temperatur", its first day on `first_day`: what a user would import as a climate
// file of their own. False when either file cannot be opened.
bool write_climate_table(const QString& climate_path, const QString& table_path, QDate first_day);

}  // namespace varmkalk::testing
