// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/display_names.h"

#include "core/case/climates.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/windows1252_text.h"

namespace varmkalk {

namespace {

QString place_name(core::Place place) {
  return from_utf8(core::climate_of(place).place_name);
}

QString own_file_name(const std::string& file_name) {
  return from_windows1252(QByteArrayView(file_name));
}

}  // namespace

QString heating_system_text(const core::DesignTemperatures& system) {
  return from_utf8(core::design_temperatures_text(system));
}

QString climate_name(const core::ClimateChoice& climate) {
  if (const auto* own = std::get_if<core::OwnClimate>(&climate)) {
    return own_file_name(own->file_name);
  }
  return place_name(std::get<core::Place>(climate));
}

QString climate_name(const std::variant<core::Place, std::string>& climate) {
  if (const auto* place = std::get_if<core::Place>(&climate)) {
    return place_name(*place);
  }
  return own_file_name(std::get<std::string>(climate));
}

}  // namespace varmkalk
