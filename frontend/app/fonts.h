// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace varmkalk {

// Stand-ins for the Windows fonts the forms are laid out in, which a Linux desktop lacks.

// Copperplate Gothic Light: a serif face in small capitals. `weight` from 100 to 900.
QFont copperplate_font(double point_size, int weight);

// MS Sans Serif, the forms' default font.
QFont sans_font(double point_size, bool bold = false);

// Courier: the system's fixed-pitch font, so that the report's columns line up.
QFont fixed_font(double point_size);

// The point size of MS Sans Serif the forms are laid out in.
inline constexpr double kDefaultPointSize = 8.25;

}  // namespace varmkalk
