// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/screenshots/kept_screens.h"

namespace varmkalk {

class Platform;

// "Värmepump…" with a typical unit and with a certified one, as Varmepump-typisk.png and
// Varmepump-certifierad.png.
bool save_heat_pump_dialogs(Platform& platform, const SaveScreen& save);

}  // namespace varmkalk
