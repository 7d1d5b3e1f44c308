// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/heat_pump_units.h"

#include <stdexcept>

#include "core/files/file_access.h"
#include "core/formats/keymark_file.h"
#include "core/model/model_input_error.h"
#include "core/text/utf8_text.h"
#include "tools/batch/batch_input.h"
#include "tools/common/heat_pump_file.h"

namespace varmkalk::batch {

void HeatPumpUnits::note(const HeatPumpChoice& choice, long line) {
  if (!choice.is_generic()) {
    units_.try_emplace(Key{choice.unit_file, choice.model}, Unit{line, std::nullopt});
  }
}

void HeatPumpUnits::load(std::string_view table_name) {
  for (auto& entry : units_) {
    const Key& key = entry.first;
    Unit& unit = entry.second;
    const long line = unit.first_line;
    const auto fault = [&table_name, line](std::string_view what) {
      return BatchInputError(core::message_safe(table_name) + ", rad " + std::to_string(line) +
                             ": " + std::string(what));
    };
    auto file = files_.find(key.first);
    try {
      if (file == files_.end()) {
        file = files_.emplace(key.first, core::read_file(tools::located_heat_pump_file(key.first)))
                   .first;
      }
      unit.unit = core::read_keymark_unit(file->second, key.first, key.second);
      // A unit the model cannot take is refused here, before any row, not on each of its rows.
      core::installed_unit(*unit.unit, {});
    } catch (const core::FileAccessError& error) {
      throw fault(error.what());
    } catch (const core::KeymarkError& error) {
      throw fault(error.what());
    } catch (const core::ModelInputError& error) {
      throw fault(error.what());
    }
  }
}

bool HeatPumpUnits::has(const HeatPumpChoice& choice) const {
  return choice.is_generic() || units_.contains(Key{choice.unit_file, choice.model});
}

core::HeatPumpInstallation HeatPumpUnits::installation(const HeatPumpChoice& choice) const {
  // Built for each row: a model is a small fraction of the year it runs.
  return core::installed_choice(
      choice,
      choice.is_generic() ? nullptr : &*units_.at(Key{choice.unit_file, choice.model}).unit);
}

std::optional<std::string> HeatPumpUnits::changed_file() const {
  for (const auto& [name, bytes] : files_) {
    try {
      if (core::read_file(tools::located_heat_pump_file(name)) != bytes) {
        return name;
      }
    } catch (const core::FileAccessError&) {
      return name;
    }
  }
  return std::nullopt;
}

}  // namespace varmkalk::batch
