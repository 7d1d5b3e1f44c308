// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "core/cost/year_cost.h"

namespace varmkalk::core {

// One figure of a generator's year on the bill's terms, described once for every view: the
// result box and the comparison show its label (with the qualifier in parentheses) and unit, the
// sweep heads its column and series by the label and the unit, and kalvex-batch writes it in a
// column of its own name.
struct YearFigure {
  std::string_view label;      // Swedish, without the unit
  std::string_view qualifier;  // what the result box adds to the label; empty for nothing
  std::string_view unit;       // a year's, UTF-8
  double YearCost::*member;
  std::string_view batch_column;  // empty: no column of kalvex-batch
};

// A heat generator the program can put in the house, and the figures its year is shown by.
struct Generator {
  std::string_view key;   // names it in files and tables
  std::string_view name;  // Swedish
  std::span<const YearFigure> figures;
};

// Every generator, the gas boiler first, then the heat pump.
std::span<const Generator> generators();

const Generator& gas_boiler();
const Generator& heat_pump();

// The figure of `generator` that reads `member`; throws std::out_of_range for none.
const YearFigure& year_figure(const Generator& generator, double YearCost::*member);

}  // namespace varmkalk::core
