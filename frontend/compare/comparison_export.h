// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/compare/comparison_charts.h"
#include "frontend/logic/kept/comparison_table.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QStringList>

#include <vector>

namespace varmkalk {

// The background of a value that differs from the first calculation's.
inline const QColor kDifferenceColor{255, 222, 173};

// The whole comparison as PDF: landscape A4 pages with the table, its differing values marked
// and their differences shown, the date `made` and `notes` on what could not be read, then the
// bar chart of the annual efficiencies and the overlaid efficiency chart, a page each.
QByteArray comparison_pdf(const ComparisonTable& table,
                          const std::vector<ComparedCalculation>& compared,
                          const QStringList& notes, const QDateTime& made);

}  // namespace varmkalk
