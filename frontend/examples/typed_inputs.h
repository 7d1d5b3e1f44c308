// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"

#include <QLocale>

namespace varmkalk::testing {

// A complete input as typed on a Swedish system: a single-stage burner of 18,5 kW with a hot-water
// heater, every component chosen, the loss constants known, 80/60 °C radiators in Stockholm.
FormInput complete_swedish_input();

// The worked example as typed on an English system: a single-stage burner of 15 kW with 20 %
// excess air, a hot-water heater (5000 kWh a year, 1.08 kWh a day), constants C 1, C1 1 and
// C2 1.25, flue gas 60 °C at 40/30 °C and 80 °C at 70/60 °C, a house of 8 kW and a 60 W pump.
FormInput typed_worked_example();

// The input as typed on a system of `locale`: every decimal separator, point or comma, the
// locale's.
FormInput typed_in(FormInput input, const QLocale& locale);

}  // namespace varmkalk::testing
