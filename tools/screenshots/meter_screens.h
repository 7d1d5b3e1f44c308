// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"
#include "tools/screenshots/kept_screens.h"

namespace varmkalk {

class Platform;

// "Anpassa till mätaren…" over the form's input `form`: a fit on another climate than the
// form's, a fit whose burner falls short at full power, a fit on the form's own climate, the
// refusals of too little and of too much gas, and a field at fault, each as
// Anpassa-till-mataren-<what>.png.
bool save_meter_dialogs(Platform& platform, const FormInput& form, const SaveScreen& save);

}  // namespace varmkalk
