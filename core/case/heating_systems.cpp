// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/heating_systems.h"

#include "core/case/code_letter.h"

namespace varmkalk::core {

const HeatingSystemDesign& heating_system_design(HeatingSystem system) {
  return system == HeatingSystem::radiators_80_60 ? kHeatingSystems[0] : kHeatingSystems[1];
}

HeatingSystem heating_system_from_code(std::string_view code_text) {
  return is_code_letter(code_text, kHeatingSystems[0].code_letter) ? kHeatingSystems[0].system
                                                                   : kHeatingSystems[1].system;
}

}  // namespace varmkalk::core
