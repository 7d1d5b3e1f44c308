// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/side_by_side.h"
#include "core/cost/year_cost.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/kept/kept_calculations.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

namespace varmkalk {

// One value of the comparison as shown: the number in the user's locale with the decimals the
// summary prints, a text, "okänt" where the summary printed asterisks (the value exists but did
// not fit its columns), "–" for an efficiency that a year without heating days leaves undefined.
struct ComparisonCell {
  QString text;
  // Against the first calculation's value, signed ("+1,5"); empty in the first column, where the
  // values are equal and where one of them is no number.
  QString difference;
  bool differs = false;  // the shown value is not the first calculation's
};

struct ComparisonRow {
  QString section;  // "Indata" or "Resultat"
  QString label;
  QString unit;
  std::vector<ComparisonCell> cells;  // one per calculation
};

struct ComparisonTable {
  QStringList identities;  // the columns
  QStringList sources;     // where each column's inputs come from
  std::vector<ComparisonRow> rows;
};

// The heat pump a kept calculation was shown with, by name, and its year beside the boiler where
// it can be had.
struct ComparedHeatPump {
  QString name;
  std::optional<core::SideBySide> sides;
};

// The inputs of each calculation (from its inputs file, else from its summary's input section)
// and every result of its summary, one column per calculation, compared with the first; with
// `costs` (one per calculation) also each one's year on the gas bill's terms, after a row that
// says where each one's prices come from where `prices` gives them; with `heat_pumps` (one per
// calculation, empty for one without) the heat pump beside each one's boiler, where any has one.
ComparisonTable comparison_table(
    const std::vector<KeptCalculation>& calculations, const QLocale& locale,
    const std::vector<std::optional<core::YearCost>>& costs = {},
    const std::vector<KeptPrices>& prices = {},
    const std::vector<std::optional<ComparedHeatPump>>& heat_pumps = {});

// A value as the window and the PDF show it, its difference in brackets after it where it has one.
QString shown_text(const ComparisonCell& cell);

// The heading of the calculation `column` (counted from 0): its identity over where its inputs come
// from.
QString column_heading(const ComparisonTable& table, qsizetype column);

// The table for a spreadsheet program: UTF-8 with a byte-order mark, a header row, then a row per
// quantity with its section, label and unit, each calculation's value and, after every column
// but the first, its difference to the first. Where the locale writes a decimal comma, as Swedish
// does, fields are separated by semicolons, otherwise by commas.
QByteArray comparison_csv(const ComparisonTable& table, const QLocale& locale);

}  // namespace varmkalk
