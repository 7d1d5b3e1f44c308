// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the forms of varmkalk to PNG files in the folder given as the only argument:
//   varmkalk_screenshots DIR
// Run it with QT_QPA_PLATFORM=offscreen (scripts/screenshots.sh does). The main menu shows the
// summary of a real run of the engine kalvex, which must lie beside this program; the chart
// window shows that run's charts, one picture per tab, and its PDF report is turned into one
// picture per page by pdftoppm.

#include "frontend/app/climate_import_dialog.h"
#include "frontend/app/cost_dialog.h"
#include "frontend/app/folder_claim.h"
#include "frontend/app/identity_form.h"
#include "frontend/app/input_form.h"
#include "frontend/app/main_menu.h"
#include "frontend/app/save_question_form.h"
#include "frontend/charts/chart_export.h"
#include "frontend/charts/chart_window.h"
#include "frontend/examples/climate_table.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/logic/heatpump/heat_pump_days.h"
#include "frontend/logic/heatpump/heat_pump_units.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/folder_year.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/logic/sweep/sweep_base.h"
#include "frontend/platform/qt_platform.h"
#include "frontend/sweep/sweep_export.h"
#include "frontend/sweep/sweep_window.h"
#include "tools/screenshots/example_run.h"
#include "tools/screenshots/heat_pump_screens.h"
#include "tools/screenshots/kept_screens.h"
#include "tools/screenshots/meter_screens.h"
#include "tools/screenshots/pdf_pages.h"
#include "tools/screenshots/swedish_desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace {

using varmkalk::InputForm;
using varmkalk::testing::typed_worked_example;

// The widget as it is shown now.
bool save_shown(QWidget& widget, const QDir& dir, const QString& name) {
  QApplication::processEvents();
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  const bool saved = widget.grab().save(path);
  QTextStream(stdout) << (saved ? "skrev " : "kunde inte skriva ") << path << Qt::endl;
  return saved;
}

// The whole screen with the shown window at its place, the desktop dark around it: whether the
// window lies on the screen.
bool save_on_screen(QWidget& window, const QDir& dir, const QString& name) {
  QApplication::processEvents();
  const QRect screen = window.screen()->geometry();
  QImage picture(screen.size(), QImage::Format_RGB32);
  picture.fill(QColor(48, 48, 48));
  {
    QPainter painter(&picture);
    painter.drawPixmap(window.geometry().topLeft() - screen.topLeft(), window.grab());
  }
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  const bool saved = picture.save(path);
  QTextStream(stdout) << (saved ? "skrev " : "kunde inte skriva ") << path << Qt::endl;
  return saved;
}

bool save(QWidget& widget, const QDir& dir, const QString& name) {
  widget.show();
  const bool saved = save_shown(widget, dir, name);
  widget.hide();
  return saved;
}

// A fresh input form with the named options clicked in order.
bool save_input_form(varmkalk::Platform& platform, const QDir& dir, const QString& name,
                     const QStringList& clicks) {
  auto form = std::make_unique<InputForm>(platform, varmkalk::IdentityFormOpener{}, nullptr);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  for (const QString& option : clicks) {
    form->findChild<QAbstractButton*>(option)->click();
  }
  return save(*form, dir, name);
}

// "Importera klimatdata" after importing Stockholm's bundled year, written as a plain table of
// dates and temperatures, into the working folder.
bool save_climate_import(varmkalk::Platform& platform, const QDir& dir) {
  const QString table = QStringLiteral("Stockholm 2009.csv");
  const QDir climate_dir(varmkalk::engine_climate_dir(QCoreApplication::applicationDirPath()));
  if (!varmkalk::testing::write_climate_table(climate_dir.filePath(QStringLiteral("sthlm.dat")),
                                              table, QDate(2009, 1, 1))) {
    return false;
  }
  varmkalk::ClimateImportDialog dialog(platform, nullptr);
  dialog.setAttribute(Qt::WA_DeleteOnClose, false);
  dialog.findChild<QLineEdit*>(QStringLiteral("kallfil"))->setText(table);
  dialog.findChild<QLineEdit*>(QStringLiteral("malfil"))
      ->setText(QStringLiteral("stockholm2009.dat"));
  dialog.findChild<QAbstractButton*>(QStringLiteral("importknapp"))->click();
  return save(dialog, dir, QStringLiteral("klimatimport"));
}

// Saves the message box or question that `open` shows, then closes it unanswered.
bool save_message_box(const QDir& dir, const QString& name, const std::function<void()>& open) {
  bool saved = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      saved = save(*box, dir, name);
    }
  });
  open();
  return saved;
}

// A second VARMKALK on a folder that one already works in: the message that names the folder and
// the process and offers another folder.
bool save_folder_in_use(varmkalk::Platform& platform, const QDir& dir) {
  const QTemporaryDir folder;
  varmkalk::FolderLock first(folder.path());
  if (!std::holds_alternative<varmkalk::FolderLock::Taken>(first.take())) {
    return false;
  }
  return save_message_box(dir, QStringLiteral("Arbetsmappen-anvands"), [&] {
    varmkalk::claim_working_folder(platform, folder.path(), {folder.path(), QString(), QString()});
  });
}

// An input form with the input's options and texts, as the user would type them in `locale`.
std::unique_ptr<InputForm> filled_input_form(varmkalk::Platform& platform,
                                             const varmkalk::FormInput& input,
                                             const QLocale& locale) {
  auto form = std::make_unique<InputForm>(platform, varmkalk::IdentityFormOpener{}, nullptr);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  form->set_form_input(varmkalk::testing::typed_in(input, locale));
  return form;
}

// The worked example with a modulating burner of 3 to 15 kW, whose condensing gain the model
// counts at its mean power: it falls short on many days.
varmkalk::FormInput modulating_example() {
  varmkalk::FormInput input = typed_worked_example();
  input.burner = varmkalk::Burner::Modulating;
  input.modulating_max_power_kw = QStringLiteral("15");
  input.modulating_min_power_kw = QStringLiteral("3");
  input.modulating_excess_air_percent = QStringLiteral("20");
  return input;
}

// Runs the engine beside this program on the input in the working folder, from which the
// working files of an earlier run are deleted first, and returns the lines of its summary, or
// nothing when the run failed.
std::optional<QStringList> run_example(const varmkalk::FormInput& input, const QString& calc_id) {
  varmkalk::delete_files(QDir::currentPath(),
                         {varmkalk::control_file_name(), varmkalk::result_file_name()});
  if (!varmkalk::run_engine_here(input, calc_id, QLocale::c())) {
    return std::nullopt;
  }
  const auto summary = varmkalk::read_summary(QDir::currentPath());
  if (!std::holds_alternative<QStringList>(summary)) {
    return std::nullopt;
  }
  return std::get<QStringList>(summary);
}

// The year the engine has just computed in the working folder, run once in memory.
std::shared_ptr<const varmkalk::CalculationYear> calculated_year() {
  return std::make_shared<const varmkalk::CalculationYear>(varmkalk::folder_year(
      QDir::currentPath(), varmkalk::engine_climate_dir(QCoreApplication::applicationDirPath())));
}

// Each chart of the worked example as the window shows it, "diagram-<name>.png", and the PDF
// report's pages, "diagram-rapport-<page>.png".
bool save_charts(varmkalk::Platform& platform, const QDir& dir, const QStringList& summary,
                 const varmkalk::CalculationYear& year) {
  const auto cost = varmkalk::calculation_cost(year, varmkalk::core::default_cost_inputs());
  const auto* billed = std::get_if<varmkalk::core::YearCost>(&cost);
  varmkalk::ChartWindow* window = varmkalk::open_calculation_charts(
      platform, year, summary, nullptr, billed ? std::optional(*billed) : std::nullopt);
  if (window == nullptr) {
    return false;
  }
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  bool ok = true;
  for (int tab = 0; tab < window->tabs()->count(); ++tab) {
    window->tabs()->setCurrentIndex(tab);
    const auto* page = static_cast<const varmkalk::ChartPage*>(window->tabs()->widget(tab));
    ok &= save(*window, dir, QStringLiteral("diagram-") + page->info().file_stem);
  }
  const QString report = dir.filePath(QStringLiteral("diagram-rapport.pdf"));
  ok &= !varmkalk::save_export(
      report, varmkalk::report_pdf(window->year(), window->pages(), QDateTime::currentDateTime()));
  const bool pages_saved =
      varmkalk::save_pdf_pages(report, dir.filePath(QStringLiteral("diagram-rapport")));
  delete window;
  return ok && pages_saved;
}

// The charts with a heat pump beside the boiler: its own pages and the monthly one, as
// diagram-<page>.png and diagram-energi-per-manad-varmepump.png, and the report with its page
// of the two columns, diagram-rapport-varmepump.pdf.
bool save_heat_pump_charts(varmkalk::Platform& platform, const QDir& dir,
                           const QStringList& summary, const varmkalk::CalculationYear& year,
                           const varmkalk::HeatPumpPlan& plan) {
  const varmkalk::core::CostInputs prices = varmkalk::core::default_cost_inputs();
  const QString folder = varmkalk::heat_pump_folder(QCoreApplication::applicationDirPath());
  const auto sides = varmkalk::calculation_side_by_side(year, prices, plan, folder);
  const auto cost = varmkalk::calculation_cost(year, prices);
  if (!std::holds_alternative<varmkalk::core::SideBySide>(sides) ||
      !std::holds_alternative<varmkalk::core::YearCost>(cost)) {
    return false;
  }
  const varmkalk::ShownHeatPump shown{std::get<varmkalk::core::SideBySide>(sides),
                                      varmkalk::heat_pump_name(plan.choice, QLocale::c()), plan};
  varmkalk::ChartWindow* window = varmkalk::open_calculation_charts(
      platform, year, summary, nullptr, std::get<varmkalk::core::YearCost>(cost),
      varmkalk::heat_pump_chart(year, shown, folder));
  if (window == nullptr) {
    return false;
  }
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  bool ok = true;
  for (int tab = 0; tab < window->tabs()->count(); ++tab) {
    const auto* page = static_cast<const varmkalk::ChartPage*>(window->tabs()->widget(tab));
    const QString stem = page->info().file_stem;
    if (stem.startsWith(QStringLiteral("varmepump")) ||
        stem == QStringLiteral("energi-per-manad")) {
      window->tabs()->setCurrentIndex(tab);
      ok &= save(*window, dir,
                 QStringLiteral("diagram-") + stem +
                     (stem.startsWith(QStringLiteral("varmepump")) ? QString()
                                                                   : QStringLiteral("-varmepump")));
    }
  }
  const QString report = dir.filePath(QStringLiteral("diagram-rapport-varmepump.pdf"));
  ok &= !varmkalk::save_export(
      report, varmkalk::report_pdf(window->year(), window->pages(), QDateTime::currentDateTime()));
  const bool pages_saved =
      varmkalk::save_pdf_pages(report, dir.filePath(QStringLiteral("diagram-rapport-varmepump")));
  delete window;
  return ok && pages_saved;
}

// The run-time chart of a modulating burner whose part-load rule falls short,
// "diagram-gangtid-dellast.png": those days in grey, apart from the red of a burner too small.
bool save_part_load_chart(varmkalk::Platform& platform, const QDir& dir, const QStringList& summary,
                          const varmkalk::CalculationYear& year) {
  varmkalk::ChartWindow* window =
      varmkalk::open_calculation_charts(platform, year, summary, nullptr);
  if (window == nullptr) {
    return false;
  }
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  bool ok = false;
  for (int tab = 0; tab < window->tabs()->count(); ++tab) {
    const auto* page = static_cast<const varmkalk::ChartPage*>(window->tabs()->widget(tab));
    if (page->info().file_stem == QStringLiteral("gangtid")) {
      window->tabs()->setCurrentIndex(tab);
      ok = save(*window, dir, QStringLiteral("diagram-gangtid-dellast"));
    }
  }
  delete window;
  return ok;
}

// Sweeps the chosen input of the sensitivity analysis (over `from` to `to` when given) and waits
// for its results.
bool sweep(varmkalk::SweepWindow& window, varmkalk::SweepInput input, const QString& from = {},
           const QString& to = {}) {
  QEventLoop loop;
  QObject::connect(&window, &varmkalk::SweepWindow::sweep_finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
  window.choose(input);
  if (!from.isEmpty()) {
    window.findChild<QLineEdit*>(QStringLiteral("sweep_from"))->setText(from);
    window.findChild<QLineEdit*>(QStringLiteral("sweep_to"))->setText(to);
    window.run_sweep();
  }
  loop.exec();
  return window.shown() != nullptr && window.shown()->input == input;
}

// The sensitivity analysis of the worked example, "Kanslighetsanalys-<input>.png": the lowest
// return temperature, the burner's power, and an excess air high enough for the model to refuse.
bool save_sweeps(varmkalk::Platform& platform, const QDir& dir) {
  const auto base = varmkalk::sweep_base(typed_worked_example(), QLocale::c());
  if (!std::holds_alternative<varmkalk::SweepBase>(base)) {
    return false;
  }
  varmkalk::SweepWindow window(platform, std::get<varmkalk::SweepBase>(base),
                               QCoreApplication::applicationDirPath(), nullptr);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  using varmkalk::SweepInput;
  bool ok = sweep(window, SweepInput::min_return_temp) &&
            save(window, dir, QStringLiteral("Kanslighetsanalys-returtemperatur"));
  ok &= sweep(window, SweepInput::burner_max_power, QStringLiteral("4"), QStringLiteral("30")) &&
        save(window, dir, QStringLiteral("Kanslighetsanalys-brannareffekt"));
  // The chart as it is exported.
  ok &= !varmkalk::save_export(dir.filePath(QStringLiteral("Kanslighetsanalys-export.png")),
                               varmkalk::sweep_chart_png(window.shown()));
  ok &= sweep(window, SweepInput::excess_air, QStringLiteral("0"), QStringLiteral("400")) &&
        save(window, dir, QStringLiteral("Kanslighetsanalys-luftoverskott"));
  ok &= sweep(window, SweepInput::design_supply_temp) &&
        save(window, dir, QStringLiteral("Kanslighetsanalys-framledningstemperatur"));
  ok &= sweep(window, SweepInput::climate) &&
        save(window, dir, QStringLiteral("Kanslighetsanalys-klimat"));

  // Beside a typical air heat pump, gas cheap and electricity dear enough for the two costs to
  // cross within the supply temperatures a house's radiators run at.
  varmkalk::SweepBase with_heat_pump = std::get<varmkalk::SweepBase>(base);
  with_heat_pump.prices.gas_price_sek_per_kwh = 0.9;
  with_heat_pump.prices.electricity_price_sek_per_kwh = 3.0;
  with_heat_pump.heat_pump = varmkalk::default_heat_pump_plan();
  varmkalk::SweepWindow beside(platform, with_heat_pump, QCoreApplication::applicationDirPath(),
                               nullptr);
  beside.setAttribute(Qt::WA_DeleteOnClose, false);
  ok &= sweep(beside, SweepInput::design_supply_temp, QStringLiteral("35"), QStringLiteral("90")) &&
        save(beside, dir, QStringLiteral("Kanslighetsanalys-varmepump"));
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varmkalk"));
  if (argc != 2) {
    std::fputs("användning: varmkalk_screenshots KATALOG\n", stderr);
    return 2;
  }
  const QDir dir(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "kan inte skapa katalogen %s\n", argv[1]);
    return 1;
  }
  // A working folder of its own, with the summary files of two earlier calculations.
  const QTemporaryDir work_dir;
  if (!work_dir.isValid() || !QDir::setCurrent(work_dir.path())) {
    std::fputs("kan inte skapa en arbetsmapp\n", stderr);
    return 1;
  }
  for (const char* earlier : {"h122sum.dat", "villsum.dat"}) {
    QFile(QString::fromLatin1(earlier)).open(QIODevice::WriteOnly);
  }
  varmkalk::QtPlatform platform;
  bool ok = true;
  // Shown throughout, so that it stays the active window and its focus frame shows, on the button
  // of the next step.
  varmkalk::MainMenu menu(platform);
  menu.show();
  ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-start"));
  ok &= save_on_screen(menu, dir, QStringLiteral("Skarm-Huvudmeny"));
  menu.switch_to_input_ready();
  ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-indata-klara"));
  const std::optional<QStringList> summary =
      run_example(typed_worked_example(), QStringLiteral("h123"));
  if (!summary) {
    std::fputs("beräkningsprogrammet kalvex gav inget resultat\n", stderr);
    return 1;
  }
  menu.show_further_calculation();
  const auto year = calculated_year();
  menu.show_summary({}, *summary, year);
  // The summary came without the calculation run, which shows "Diagram" with it.
  menu.findChild<QPushButton*>(QStringLiteral("Command6"))->show();
  ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-resultat"));
  {
    // The same year beside a certified ground-source heat pump with its investment.
    varmkalk::HeatPumpPlan plan = varmkalk::default_heat_pump_plan();
    plan.choice.unit_file = "_Nibe_ABS1x55-12.csv";
    plan.choice.model = "S1155-12 3x400";
    plan.economy = {180'000.0, 40'000.0, true};
    menu.set_confirmed({QStringLiteral("h123"), typed_worked_example(), QLocale::c(),
                        varmkalk::core::default_cost_inputs(), plan});
    menu.show_summary({}, *summary, year);
    ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-resultat-varmepump"));
    // Scrolled to the two columns.
    if (auto* box = menu.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))) {
      const QTextBlock columns =
          box->document()->find(QStringLiteral("Gaspannan och värmepumpen")).block();
      box->verticalScrollBar()->setValue(columns.blockNumber());
      ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-resultat-varmepump-kolumner"));
    }
    ok &= save_heat_pump_charts(platform, dir, *summary, *year, plan);
    menu.set_confirmed({QStringLiteral("h123"), typed_worked_example(), QLocale::c()});
    menu.show_summary({}, *summary, year);
  }
  ok &= varmkalk::save_heat_pump_dialogs(
      platform, [&dir](QWidget& widget, const QString& name) { return save(widget, dir, name); });
  {
    varmkalk::CostDialog cost(platform, varmkalk::core::default_cost_inputs(), nullptr);
    cost.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= save(cost, dir, QStringLiteral("Kostnad-och-klimat"));
  }
  ok &= varmkalk::save_meter_dialogs(
      platform, typed_worked_example(),
      [&dir](QWidget& widget, const QString& name) { return save(widget, dir, name); });
  ok &= save_charts(platform, dir, *summary, *year);
  ok &= varmkalk::save_kept_calculations(
      dir, [&dir](QWidget& widget, const QString& name) { return save(widget, dir, name); });
  ok &= save_sweeps(platform, dir);
  menu.activateWindow();
  const std::optional<QStringList> short_summary =
      run_example(modulating_example(), QStringLiteral("h124"));
  if (!short_summary) {
    std::fputs("beräkningsprogrammet kalvex gav inget resultat\n", stderr);
    return 1;
  }
  // The shortfall's notice above the summary, as a Swedish desktop writes its numbers.
  const auto short_year = calculated_year();
  menu.show_summary(
      varmkalk::calculation_notices(*short_year, varmkalk::kSwedish).value_or(QStringList{}),
      *short_summary, short_year);
  ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-varning"));
  ok &= save_part_load_chart(platform, dir, *short_summary, *short_year);
  // After a run the engine refused: no result, and "Rätta indata" in the place of "Diagram",
  // which the refused run itself would show.
  menu.clear_result_text();
  menu.findChild<QPushButton*>(QStringLiteral("Command6"))->hide();
  menu.findChild<QPushButton*>(QStringLiteral("rattaindata"))->show();
  ok &= save_shown(menu, dir, QStringLiteral("Huvudmeny-ratta-indata"));
  menu.hide();
  ok &= save_folder_in_use(platform, dir);

  // "Indata färdigt" on a Swedish desktop: every bad number in one message, and the question
  // about values no house boiler has.
  varmkalk::QtPlatform swedish_platform(varmkalk::kSwedish);
  {
    varmkalk::FormInput input = typed_worked_example();
    input.design_heat_demand_kw = QStringLiteral("åtta");
    input.pump_power_w = QStringLiteral("1E39");
    const auto form = filled_input_form(swedish_platform, input, varmkalk::kSwedish);
    // Typed after the filling, which writes the locale's decimal separator.
    form->findChild<QLineEdit*>(QStringLiteral("enstegeff"))->setText(QStringLiteral("15.5"));
    form->findChild<QLineEdit*>(QStringLiteral("TempH"))->setText(QStringLiteral(" "));
    form->show();
    ok &= save_message_box(dir, QStringLiteral("Felaktigt-varde"), [&form] {
      form->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    });
    ok &= save(*form, dir, QStringLiteral("Inmatning-felaktiga-varden"));
  }
  {
    varmkalk::FormInput input = typed_worked_example();
    input.single_stage_power_kw = QStringLiteral("15000");
    input.flue_gas_temp_high_c = QStringLiteral("350");
    input.indoor_temp_c = QStringLiteral("5");
    const auto form = filled_input_form(swedish_platform, input, varmkalk::kSwedish);
    form->show();
    ok &= save_message_box(dir, QStringLiteral("Ovanliga-varden"), [&form] {
      form->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    });
  }

  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-ny"), {});
  {
    varmkalk::FormInput input = typed_worked_example();
    input.own_design_temps = true;
    input.own_supply_temp_c = QStringLiteral("45");
    input.own_return_temp_c = QStringLiteral("35");
    const auto form = filled_input_form(swedish_platform, input, varmkalk::kSwedish);
    ok &= save(*form, dir, QStringLiteral("Inmatning-egnatemperaturer"));
  }
  {
    InputForm form(platform, varmkalk::IdentityFormOpener{}, nullptr);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.show();
    ok &= save_on_screen(form, dir, QStringLiteral("Skarm-Inmatning"));
  }
  for (const char* option :
       {"enstegbr", "modbr", "vvja", "vvnej", "konvkonstant", "konveffekt", "sbkonst", "sbeff"}) {
    ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-%1").arg(option),
                          {QString::fromLatin1(option)});
  }
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-konstanter"),
                        {"enstegbr", "vvja", "konvkonstant", "sbkonst"});
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-effekter"),
                        {"modbr", "vvja", "konveffekt", "sbeff"});
  ok &= save_climate_import(platform, dir);
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-egenklimat"),
                        {"enstegbr", "vvja", "konvkonstant", "sbkonst", "Egenklimat"});

  {
    InputForm input_form(platform, varmkalk::IdentityFormOpener{}, nullptr);
    input_form.setAttribute(Qt::WA_DeleteOnClose, false);
    varmkalk::IdentityForm identity(platform, input_form);
    identity.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= save(identity, dir, QStringLiteral("inutdata"));
  }

  for (const auto question :
       {varmkalk::SaveQuestion::BeforeFurtherCalculation, varmkalk::SaveQuestion::AtExit}) {
    varmkalk::SaveQuestionForm form(question, {"h123.dat", "h123sum.dat", "h123sum_c.dat"},
                                    nullptr);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= save(form, dir, form.objectName());
  }

  for (const char* name :
       {"inmatningsord", "HelpBurn", "Form3", "Helpkonv", "stillestand", "Form1", "HelpHeat",
        "Matarhjalp", varmkalk::control::help::kOwnTempsDialog, "Varmepumphjalp"}) {
    const std::unique_ptr<QDialog> help(
        varmkalk::create_help_dialog(QString::fromLatin1(name), nullptr));
    ok &= help != nullptr && save(*help, dir, QString::fromLatin1(name));
  }
  const std::unique_ptr<QDialog> info(varmkalk::create_proginfo(nullptr));
  ok &= save(*info, dir, QStringLiteral("proginfo"));
  info->show();
  info->findChild<QPushButton*>(QStringLiteral("omknapp"))->click();
  ok &= save(*info->findChild<QDialog*>(QStringLiteral("omvarmkalk")), dir,
             QStringLiteral("omvarmkalk"));

  return ok ? 0 : 1;
}
