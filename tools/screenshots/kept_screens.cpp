// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/screenshots/kept_screens.h"

#include "frontend/app/input_form.h"
#include "frontend/charts/chart_export.h"
#include "frontend/compare/comparison_export.h"
#include "frontend/compare/comparison_window.h"
#include "frontend/compare/kept_list_dialog.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/platform/qt_platform.h"
#include "tools/screenshots/example_run.h"
#include "tools/screenshots/pdf_pages.h"
#include "tools/screenshots/swedish_desktop.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace varmkalk {

namespace {

// The worked example as typed on a Swedish system.
FormInput single_stage() {
  return testing::typed_in(testing::typed_worked_example(), kSwedish);
}

// The same boiler with a burner that modulates down to 4 kW and the lowest return temperature
// of a condensing boiler.
FormInput modulating() {
  FormInput input = single_stage();
  input.burner = Burner::Modulating;
  input.modulating_max_power_kw = QStringLiteral("15");
  input.modulating_min_power_kw = QStringLiteral("4");
  input.modulating_excess_air_percent = QStringLiteral("20");
  input.min_return_temp = MinReturnTemp::Indoor;
  return input;
}

// A calculation of earlier years, kept without an inputs file: an 80/60 °C system in Stockholm.
FormInput older() {
  FormInput input = single_stage();
  input.single_stage_power_kw = QStringLiteral("18");
  input.heating_system = core::HeatingSystem::radiators_80_60;
  input.climate = core::Place::stockholm;
  input.indoor_temp_c = QStringLiteral("21");
  return input;
}

// A dearer gas with a smaller fee, as another supplier might bill it.
core::CostInputs other_supplier() {
  core::CostInputs prices = core::default_cost_inputs();
  prices.gas_price_sek_per_kwh = 2.25;
  prices.fixed_fee_sek = 1200.0;
  return prices;
}

// Runs the engine beside this program on the input under `identity` in the working folder and
// keeps its files as "Ja" does, with an inputs file when `with_inputs`.
bool keep_calculation(const FormInput& input, const QString& identity, bool with_inputs,
                      const core::CostInputs& prices = core::default_cost_inputs(),
                      const std::optional<HeatPumpPlan>& heat_pump = std::nullopt) {
  if (!run_engine_here(input, identity, kSwedish)) {
    return false;
  }
  const QString folder = QDir::currentPath();
  const bool kept = !with_inputs || !keep_inputs_file(folder, {identity, input, kSwedish, prices, heat_pump},
                                                      QDateTime::currentDateTime());
  return kept && delete_files(folder, files_to_delete(KeepFiles::Yes, identity)).isEmpty();
}

// The same house kept with a typical air heat pump and with a certified ground-source one, in a
// folder of their own, compared: the heat pumps' rows at the end, as jamforelse-varmepump.png.
bool save_heat_pump_comparison(const SaveScreen& save) {
  const QString earlier = QDir::currentPath();
  const QTemporaryDir work_dir;
  if (!work_dir.isValid() || !QDir::setCurrent(work_dir.path())) {
    return false;
  }
  HeatPumpPlan air = default_heat_pump_plan();
  air.economy.investment_sek = 120'000.0;
  HeatPumpPlan ground = air;
  ground.choice.unit_file = "_Nibe_ABS1x55-12.csv";
  ground.choice.model = "S1155-12 3x400";
  ground.economy = {220'000.0, 40'000.0, true};
  bool ok = keep_calculation(single_stage(), QStringLiteral("luft"), true,
                             core::default_cost_inputs(), air) &&
            keep_calculation(single_stage(), QStringLiteral("berg"), true,
                             core::default_cost_inputs(), ground);
  const KeptCalculations kept = list_kept_calculations(work_dir.path());
  std::vector<KeptCalculation> compared(kept.calculations.rbegin(), kept.calculations.rend());
  QtPlatform platform(kSwedish);
  ComparisonWindow window(platform, work_dir.path(), QCoreApplication::applicationDirPath(),
                          compared);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.show();
  if (auto* rows = window.findChild<QAbstractItemView*>()) {
    rows->scrollToBottom();
  }
  ok &= save(window, QStringLiteral("jamforelse-varmepump"));
  QDir::setCurrent(earlier);
  return ok;
}

}  // namespace

bool save_kept_calculations(const QDir& dir, const SaveScreen& save) {
  // A working folder of its own with the three calculations.
  const QString earlier = QDir::currentPath();
  const QTemporaryDir work_dir;
  if (!work_dir.isValid() || !QDir::setCurrent(work_dir.path())) {
    return false;
  }
  QtPlatform platform(kSwedish);
  bool ok = keep_calculation(older(), QStringLiteral("2019"), false) &&
            keep_calculation(single_stage(), QStringLiteral("enst"), true) &&
            keep_calculation(modulating(), QStringLiteral("mod"), true, other_supplier());

  KeptListDialog fetch(platform, KeptListDialog::Purpose::fetch_inputs, work_dir.path(),
                       SessionCalculation{QStringLiteral("mod"), modulating(), kSwedish}, nullptr);
  fetch.setAttribute(Qt::WA_DeleteOnClose, false);
  ok &= save(fetch, QStringLiteral("hamtaindata"));

  InputForm form(platform, IdentityFormOpener{}, nullptr);
  form.setAttribute(Qt::WA_DeleteOnClose, false);
  const KeptCalculations kept = list_kept_calculations(work_dir.path());
  for (const KeptCalculation& calculation : kept.calculations) {
    if (calculation.shown_identity() == QStringLiteral("mod")) {
      form.set_form_input(restored_input(calculation, kSwedish).input);
    }
  }
  ok &= save(form, QStringLiteral("Inmatning-hamtad"));

  KeptListDialog marking(platform, KeptListDialog::Purpose::compare, work_dir.path(), std::nullopt,
                         nullptr);
  marking.setAttribute(Qt::WA_DeleteOnClose, false);
  for (int row = 0; row < marking.list()->topLevelItemCount(); ++row) {
    marking.list()->topLevelItem(row)->setCheckState(0, Qt::Checked);
  }
  ok &= save(marking, QStringLiteral("jamforberakningar"));

  // Compared with the single-stage burner: the modulating one and the old calculation.
  std::vector<KeptCalculation> compared;
  for (const char* identity : {"enst", "mod", "2019"}) {
    for (const KeptCalculation& calculation : kept.calculations) {
      if (calculation.shown_identity() == QLatin1String(identity)) {
        compared.push_back(calculation);
      }
    }
  }
  ComparisonWindow window(platform, work_dir.path(), QCoreApplication::applicationDirPath(),
                          compared);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  ok &= save(window, QStringLiteral("jamforelse"));
  // Its last rows: the year on the gas bill's terms, the differences in kronor and kilograms.
  if (auto* rows = window.findChild<QAbstractItemView*>()) {
    rows->scrollToBottom();
    ok &= save(window, QStringLiteral("jamforelse-kostnad"));
  }

  const QString pdf = dir.filePath(QStringLiteral("jamforelse.pdf"));
  ok &= !save_export(pdf, comparison_pdf(window.table(), window.compared(), window.notes(),
                                         QDateTime::currentDateTime()));
  const bool pages_saved = save_pdf_pages(pdf, dir.filePath(QStringLiteral("jamforelse")));
  ok &= save_heat_pump_comparison(save);
  QDir::setCurrent(earlier);
  return ok && pages_saved;
}

}  // namespace varmkalk
