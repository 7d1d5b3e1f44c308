// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/screenshots/heat_pump_screens.h"

#include "frontend/app/heat_pump_dialog.h"
#include "frontend/logic/heatpump/heat_pump_units.h"

#include <QCoreApplication>

namespace varmkalk {

bool save_heat_pump_dialogs(Platform& platform, const SaveScreen& save) {
  const QString folder = heat_pump_folder(QCoreApplication::applicationDirPath());
  bool ok = true;
  {
    HeatPumpDialog dialog(platform, std::nullopt, folder, nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= save(dialog, QStringLiteral("Varmepump-typisk"));
  }
  HeatPumpPlan certified = default_heat_pump_plan();
  certified.choice.unit_file = "_Nibe_ABS1x55-12.csv";
  certified.choice.model = "S1155-12 3x400";
  certified.economy = {180'000.0, 40'000.0, true};
  HeatPumpDialog dialog(platform, certified, folder, nullptr);
  dialog.setAttribute(Qt::WA_DeleteOnClose, false);
  ok &= save(dialog, QStringLiteral("Varmepump-certifierad"));
  return ok;
}

}  // namespace varmkalk
