// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/import_failure.h"

#include <utility>

namespace varmkalk::core {

void fail(std::string message) {
  throw ImportFailure{ImportError{std::move(message)}};
}

std::string line_place(std::string_view name, long line) {
  return std::string(name) + ", rad " + std::to_string(line);
}

std::string FieldPlace::text() const {
  std::string place = line_place(name, line) + ", fält " + std::to_string(field);
  if (!field_name.empty()) {
    place += " (" + std::string(field_name) + ")";
  }
  return place;
}

}  // namespace varmkalk::core
