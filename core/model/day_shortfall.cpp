// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/day_shortfall.h"

namespace varmkalk::core {

// The model sets a modulating burner's power for the day to the heat the boiler must deliver,
// counting the flue-gas loss at the burner's mean power (and the pump's heat in both balances).
// Away from the mean the real loss differs: below it a condensing boiler gains less from the flue
// gas than counted, so the chosen power falls short even running all day although the burner
// could give more. Only a day at the maximum power shows a burner that is too small.
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
