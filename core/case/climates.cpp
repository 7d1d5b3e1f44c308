// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/climates.h"

#include "core/case/code_letter.h"

namespace varmkalk::core {

const Climate& climate_of(Place place) {
  for (const Climate& climate : kClimates) {
    if (climate.place == place) {
      return climate;
    }
  }
  return kClimates.back();
}

Place place_from_code(std::string_view code_text) {
  // Every row but the last is chosen by its letter; the last one is the default.
  for (std::size_t i = 0; i + 1 < kClimates.size(); ++i) {
    if (is_code_letter(code_text, kClimates[i].code_letter)) {
      return kClimates[i].place;
    }
  }
  return kClimates.back().place;
}

}  // namespace varmkalk::core
