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
  if (!choice.unit_file.empty()) {
    units_.try_emplace(Key{choice.unit_file, choice.model}, Unit{line, std::nullopt, {}});
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
      unit.at_defaults = core::installed_unit(*unit.unit, {});
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
  return choice.unit_file.empty() || units_.contains(Key{choice.unit_file, choice.model});
}

core::HeatPumpInstallation HeatPumpUnits::installation(const HeatPumpChoice& choice) const {
  if (choice.unit_file.empty()) {
    return core::installed_generic(choice.generic, choice.capacity_kw, choice.settings);
  }
  const Unit& unit = units_.at(Key{choice.unit_file, choice.model});
  // The model is built once; only a ground loop of its own needs it again.
  if (unit.at_defaults.model.source == core::HeatSource::brine &&
      choice.settings.brine_temp_c != core::HeatPumpSettings{}.brine_temp_c) {
    return core::installed_unit(*unit.unit, choice.settings);
  }
  if (core::invalid_heat_pump_setting(choice.settings)) {
    return core::installed_unit(*unit.unit, choice.settings);  // refuses it, naming it
  }
  core::HeatPumpInstallation installed = unit.at_defaults;
  installed.backup_kw = choice.settings.backup_kw;
  installed.tank_temp_c = choice.settings.tank_temp_c;
  return installed;
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
