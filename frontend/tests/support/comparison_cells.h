// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/kept/comparison_table.h"

#include <QString>

#include <cmath>

namespace varmkalk::testing {

// The comparison's cell of the first row with `label` (in `section`, where one is given) in
// `column`: its text, or its difference to the first column; "no row" where there is none.
inline QString comparison_cell(const ComparisonTable& table, const QString& label,
                               std::size_t column, bool difference = false,
                               const QString& section = {}) {
  for (const ComparisonRow& row : table.rows) {
    if (row.label == label && (section.isEmpty() || row.section == section)) {
      const ComparisonCell& cell = row.cells[column];
      return difference ? cell.difference : cell.text;
    }
  }
  return QStringLiteral("no row");
}

// A figure as the views show a whole one.
inline qlonglong whole(double value) {
  return std::llround(value);
}

}  // namespace varmkalk::testing
