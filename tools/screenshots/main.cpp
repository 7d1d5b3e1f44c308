// Renders the forms of varmkalk to PNG files in the folder given as the only argument:
//   varmkalk_screenshots DIR
// Run it with QT_QPA_PLATFORM=offscreen (scripts/screenshots.sh does). The main menu shows the
// summary of a real run of the engine kalvex, which must lie beside this program.

#include "frontend/app/identity_form.h"
#include "frontend/app/input_form.h"
#include "frontend/app/main_menu.h"
#include "frontend/app/platform/qt_platform.h"
#include "frontend/app/save_question_form.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/logic/engine_run.h"
#include "frontend/logic/file_names.h"
#include "frontend/logic/form_case.h"
#include "frontend/logic/result_files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <optional>
#include <variant>

namespace {

using varmkalk::InputForm;

bool save(QWidget& widget, const QDir& dir, const QString& name) {
  widget.show();
  QApplication::processEvents();
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  const bool saved = widget.grab().save(path);
  QTextStream(stdout) << (saved ? "skrev " : "kunde inte skriva ") << path << Qt::endl;
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

// The worked example as typed on an English system.
varmkalk::FormInput worked_example() {
  varmkalk::FormInput input;
  input.burner = varmkalk::Burner::SingleStage;
  input.hot_water_heater = varmkalk::HotWaterHeater::Yes;
  input.convection_source = varmkalk::ConvectionSource::Constant;
  input.standby_source = varmkalk::StandbySource::Constants;
  input.single_stage_power_kw = QStringLiteral("15");
  input.single_stage_excess_air_percent = QStringLiteral("20");
  input.hot_water_kwh_per_year = QStringLiteral("5000");
  input.heater_loss_kwh_per_day = QStringLiteral("1.08");
  input.convection_constant = QStringLiteral("1");
  input.standby_constant = QStringLiteral("1");
  input.standby_exponent = QStringLiteral("1.25");
  input.flue_gas_temp_low_c = QStringLiteral("60");
  input.supply_temp_low_c = QStringLiteral("40");
  input.return_temp_low_c = QStringLiteral("30");
  input.flue_gas_temp_high_c = QStringLiteral("80");
  input.supply_temp_high_c = QStringLiteral("70");
  input.return_temp_high_c = QStringLiteral("60");
  input.design_heat_demand_kw = QStringLiteral("8");
  input.pump_power_w = QStringLiteral("60");
  return input;
}

// Runs the engine beside this program on the worked example in the working folder and returns
// the lines of its summary, or nothing when the run failed.
std::optional<QStringList> run_worked_example() {
  const auto derived =
      varmkalk::derive_case(worked_example(), QStringLiteral("h123"), QLocale::c());
  if (!std::holds_alternative<varmkalk::core::BoilerCase>(derived) ||
      varmkalk::write_control_file(QDir::currentPath(),
                                   std::get<varmkalk::core::BoilerCase>(derived))) {
    return std::nullopt;
  }
  varmkalk::EngineRun run;
  varmkalk::EngineOutcome outcome;
  QEventLoop loop;
  QObject::connect(&run, &varmkalk::EngineRun::finished, &loop,
                   [&](const varmkalk::EngineOutcome& ended) {
                     outcome = ended;
                     loop.quit();
                   });
  run.start(QDir::currentPath());
  loop.exec();
  if (outcome.status != varmkalk::EngineOutcome::Status::Succeeded) {
    QTextStream(stderr) << outcome.message << '\n' << outcome.engine_messages;
    return std::nullopt;
  }
  const auto summary = varmkalk::read_summary(QDir::currentPath());
  if (!std::holds_alternative<QStringList>(summary)) {
    return std::nullopt;
  }
  return std::get<QStringList>(summary);
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

  varmkalk::MainMenu menu(platform);
  ok &= save(menu, dir, QStringLiteral("Huvudmeny-start"));
  menu.switch_to_input_ready();
  const std::optional<QStringList> summary = run_worked_example();
  if (!summary) {
    std::fputs("beräkningsprogrammet kalvex gav inget resultat\n", stderr);
    return 1;
  }
  menu.show_further_calculation();
  for (const QString& line : *summary) {
    menu.append_result_line(line);
  }
  ok &= save(menu, dir, QStringLiteral("Huvudmeny-resultat"));

  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-ny"), {});
  for (const char* option :
       {"enstegbr", "modbr", "vvja", "vvnej", "konvkonstant", "konveffekt", "sbkonst", "sbeff"}) {
    ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-%1").arg(option),
                          {QString::fromLatin1(option)});
  }
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-konstanter"),
                        {"enstegbr", "vvja", "konvkonstant", "sbkonst"});
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-effekter"),
                        {"modbr", "vvja", "konveffekt", "sbeff"});

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
       {"inmatningsord", "HelpBurn", "Form3", "Helpkonv", "stillestand", "Form1", "HelpHeat"}) {
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
