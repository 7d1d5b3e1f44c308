// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/chart_year.h"

#include <QByteArray>
#include <QLocale>

namespace varmkalk {

// The year's daily values as CSV for a spreadsheet program: UTF-8 with a byte-order mark, so that
// å, ä and ö are read as such; a header row of names with units, then one row per heating day
// with every column of the daily lines, those that follow the run time twice (with and without
// the pump's heat). Numbers are written exactly (the shortest text that reads back as the same
// 32-bit value); a gap of the files is an empty field. Where the locale writes a decimal comma,
// as Swedish does, fields are separated by semicolons; otherwise by commas with decimal points.
QByteArray daily_csv(const ChartYear& year, const QLocale& locale);

}  // namespace varmkalk
