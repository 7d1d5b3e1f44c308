// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/burner.h"
#include "core/model/day_balance.h"

namespace varmkalk::core {

// Why a day fell short of its demand, if it did.
enum class DayShortfall {
  none,
  // The burner ran at its maximum power all day and still fell short: it is too small.
  burner_too_small,
  // A modulating burner fell short below its maximum power: the model sets its power for the
  // day from the flue-gas loss at its mean power, and on such a day that part-load rule falls
  // short although the burner had power left.
  part_load_rule,
};

DayShortfall day_shortfall(const DayBalance& day, const Burner& burner);

}  // namespace varmkalk::core
