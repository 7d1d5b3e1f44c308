// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/heatpump/heat_pump_installation.h"
#include "core/heatpump/heat_pump_unit.h"
#include "tools/batch/batch_row.h"

namespace varmkalk::batch {

// The certified units a table names, each Keymark file read once, in the first pass over the
// table; the second pass takes rows only of those units, and the files are read again at its end
// to show that they did not change meanwhile.
class HeatPumpUnits {
 public:
  // Notes the unit of a row (on `line` of the table) in the first pass; a generic unit needs none.
  void note(const HeatPumpChoice& choice, long line);

  // Reads every file noted and builds each unit's model. Throws BatchInputError naming the table's
  // line that first named a file that cannot be read, lacks the variant, or that the model cannot
  // take.
  void load(std::string_view table_name);

  // Whether the first pass noted the row's unit (a generic one always is).
  bool has(const HeatPumpChoice& choice) const;

  // The row's heat pump as it stands in the house. Throws std::out_of_range for a unit not noted
  // and ModelInputError for a setting out of range.
  core::HeatPumpInstallation installation(const HeatPumpChoice& choice) const;

  // The first file whose bytes are no longer those read, if any.
  std::optional<std::string> changed_file() const;

 private:
  using Key = std::pair<std::string, std::string>;  // file as named, variant's title
  struct Unit {
    long first_line = 0;
    std::optional<core::HeatPumpUnit> unit;  // once loaded
  };
  std::map<Key, Unit, std::less<>> units_;
  std::map<std::string, std::string, std::less<>> files_;  // as named: the bytes read
};

}  // namespace varmkalk::batch
