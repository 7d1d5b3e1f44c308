// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "core/formats/control_file.h"
#include "core/formats/summary_report.h"

namespace varmkalk::core {

// One number the user gives a calculation, described once: its name, its Swedish label and the
// unit it is typed and shown in, how that unit converts to the control file's, the control-file
// line it goes to (whose field name is also its kalvex-batch column) and the summary-report line
// that prints it. The sweep, the comparison and the form's derivation take it from here.
struct InputQuantity {
  std::string_view key;    // the control file's field name
  std::string_view label;  // Swedish, without the unit, as lists and headings show it
  std::string_view unit;   // as typed and shown (UTF-8); empty for a pure number
  double (*to_case)(double typed);
  double (*from_case)(double value);
  const SummaryValueLine* summary_line;  // null where the report prints it otherwise
  bool swept;                            // the sensitivity sweep can vary it

  const ControlLine& control_line() const;
  // The value in the unit shown, from the case.
  double value(const BoilerCase& input) const;
  // The case with the value, given in the unit shown, as the control file would carry it.
  void set(BoilerCase& input, double typed) const;
};

extern const std::array<InputQuantity, 20> kInputQuantities;

// The quantity of that key; throws std::invalid_argument for an unknown one.
const InputQuantity& input_quantity(std::string_view key);

}  // namespace varmkalk::core
