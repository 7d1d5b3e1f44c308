// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

// One line of a climate file: a day and its mean outdoor temperature.
struct ClimateRecord {
  int day_number = 0;
  float outdoor_temp = 0.0f;  // °C
};

}  // namespace varmkalk::core
