// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/screenshots/meter_screens.h"

#include "core/cost/cost_inputs.h"
#include "frontend/app/meter_dialog.h"

namespace varmkalk {

bool save_meter_dialogs(Platform& platform, const FormInput& form, const SaveScreen& save) {
  struct Screen {
    const char* name;
    const char* amount;
    MeterUnit unit;
    core::Place place;
    const char* burner_kw;
    bool hot_water = true;
  };
  const Screen screens[] = {
      {"resultat", "2400", MeterUnit::m3, core::Place::stockholm, nullptr},
      {"underskott", "52000", MeterUnit::kwh, core::Place::kiruna, "12"},
      {"for-lite-gas", "3000", MeterUnit::kwh, core::Place::malmo, nullptr},
      {"for-mycket-gas", "5e8", MeterUnit::kwh, core::Place::malmo, nullptr},
      {"fel-i-faltet", "", MeterUnit::kwh, core::Place::malmo, nullptr},
      // A house without hot water on the form's own climate: "Använd" takes the demand as found.
      {"litet-hus", "100", MeterUnit::kwh, core::Place::malmo, nullptr, false},
  };
  bool ok = true;
  for (const Screen& screen : screens) {
    FormInput house = form;
    if (screen.burner_kw != nullptr) {
      house.single_stage_power_kw = QString::fromLatin1(screen.burner_kw);
    }
    if (!screen.hot_water) {
      house.hot_water_heater = HotWaterHeater::No;
    }
    MeterDialog dialog(
        platform, house, core::default_cost_inputs(), [](const QString&) {}, nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    MeterInput typed;
    typed.amount = QString::fromLatin1(screen.amount);
    typed.unit = screen.unit;
    typed.place = screen.place;
    dialog.set_meter_input(typed);
    dialog.fit();
    ok &= save(dialog, QStringLiteral("Anpassa-till-mataren-%1").arg(QLatin1String(screen.name)));
  }
  return ok;
}

}  // namespace varmkalk
