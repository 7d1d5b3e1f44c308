// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_shortfall.h"

namespace varmkalk::core {

DayShortfall day_shortfall(const DayBalance& day, const Burner& burner) {
  if (!unmet(day)) {
    return DayShortfall::none;
  }
  // A single-stage burner always runs at its one power, the maximum.
  if (burner.is_modulating() && day.burner_power < burner.max_power_w()) {
    return DayShortfall::part_load_rule;
  }
  return DayShortfall::burner_too_small;
}

}  // namespace varmkalk::core
