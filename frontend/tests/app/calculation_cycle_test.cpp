// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/main_menu.h"

#include "core/formats/control_file.h"
#include "core/formats/daily_line.h"
#include "core/model/year.h"
#include "core/tests/support/climate_year.h"
#include "frontend/examples/climate_table.h"
#include "frontend/logic/kept/cost_figures.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/windows1252_text.h"
#include "frontend/tests/app/engine_folder.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"
#include "frontend/tests/support/fake_engine.h"
#include "frontend/tests/support/path_override.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>
#include <variant>

#include <signal.h>

using varmkalk::EngineOutcome;
using varmkalk::EngineRun;
using varmkalk::MainMenu;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::FormChanges;
using varmkalk::testing::kEngineWaitMs;
using varmkalk::testing::touch;
using varmkalk::testing::working_files;

namespace {

using varmkalk::testing::PathOverride;

// The engine's summary report has 45 lines.
constexpr qsizetype kSummaryLineCount = 45;

const QString kClimateFile = QStringLiteral("malmo.dat");
const QStringList kEarlierCycle{"old1.dat", "old1sum.dat", "old1sum_c.dat"};

// A non-finite number as C, C++ or Qt would print it.
const QRegularExpression kNonFinite(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                    QRegularExpression::CaseInsensitiveOption);

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

// resultat.dat as the user should read it: decoded from Windows-1252, lines ending in CR LF.
QString summary_on_disk() {
  QFile file(QStringLiteral("resultat.dat"));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return varmkalk::from_windows1252(file.readAll());
}

}  // namespace

Q_DECLARE_METATYPE(FormChanges)

// Whole calculation cycles through the real forms with the real engine kalvex, from the input
// to the files that are kept. Message boxes and modal forms go through the recording platform,
// so nothing blocks; the engine runs as the program runs it, as a child process.
class CalculationCycleTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() {
    work_dir_.enter();
    QVERIFY(QFile::copy(QDir(QStringLiteral(VARMKALK_TEST_CLIMATE_DIR)).filePath(kClimateFile),
                        kClimateFile));
    start_program(swedish_, varmkalk::testing::engine_folder());
  }

  void cleanup() { end_program(); }

  void further_calculation_keeps_or_deletes_the_real_results() {
    for (const QString& name : kEarlierCycle) {
      touch(name);
    }
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    expect_summary_shown();
    QCOMPARE(working_files(),
             sorted(kEarlierCycle + QStringList{kClimateFile, "h123.dat", "h123sum.dat",
                                                "h123sum_c.dat", "resultat.dat", "styrfil.dat"}));

    // "Ytterligare beräkning", "Ja": the identity's files stay, and its inputs are kept.
    click(*menu_, "Command5");
    QCOMPARE(menu_->result_text(), QString());
    click(*platform_->last_modal(), "Command1");
    const QStringList kept =
        sorted(kEarlierCycle + QStringList{kClimateFile, "h123.dat", "h123sum.dat", "h123sum_c.dat",
                                           "h123indata.json"});
    QCOMPARE(working_files(), kept);
    QVERIFY(!menu_->isVisible());

    // The next cycle cannot take the same identity; a short one is padded by the engine.
    QDialog* identity_form = complete_input();
    varmkalk::testing::confirm_identity(*identity_form, QStringLiteral("h123"));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY(identity_form->isVisible());
    confirm(identity_form, QStringLiteral("ab"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    expect_summary_shown();
    QVERIFY(QFile::exists(QStringLiteral("ab  sum.dat")));

    // "Ytterligare beräkning", "Nej": this identity's files go, earlier ones stay.
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command2");
    QCOMPARE(working_files(), kept);
    QCOMPARE(platform_->messages.size(), std::size_t{1});
  }

  void exit_after_a_real_run_asks_with_spara() {
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("x9"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    click(*menu_, "Command3");
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("spara"));
    click(*platform_->last_modal(), "Command1");
    QCOMPARE(ended.count(), 1);
    QCOMPARE(working_files(), sorted(QStringList{kClimateFile, "x9  .dat", "x9  sum.dat",
                                                 "x9  sum_c.dat", "x9  indata.json"}));
  }

  void second_press_shows_the_same_summary_without_running_again() {
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    const QString summary = menu_->result_text();
    const QStringList files = working_files();

    menu_->set_result_text(QStringLiteral("skrivet av användaren"));
    click(*menu_, "Command2");
    QVERIFY2(!menu_->engine_run().is_running(), "the engine would refuse its own files");
    QCOMPARE(menu_->result_text(), summary);
    QCOMPARE(working_files(), files);
    QVERIFY(platform_->messages.empty());
    QVERIFY(child(*menu_, "Command2")->isEnabled());
  }

  // "Tillbaka" left no control file: the press opens the input form for a new one, with no fault
  // to tell.
  void press_without_control_file_opens_the_input_form() {
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");
    click(*platform_->last_modal(), "returtillstart");
    QVERIFY(menu_->isVisible());
    QVERIFY(!QFile::exists(QStringLiteral("styrfil.dat")));

    const qsizetype forms = platform_->modal_names.size();
    click(*menu_, "Command2");
    QVERIFY(!menu_->engine_run().is_running());
    QCOMPARE(platform_->modal_names.size(), forms + 1);
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("Inmatning"));
    QVERIFY(!platform_->events.contains(QStringLiteral("beep")));
    QVERIFY(platform_->messages.empty());
    QCOMPARE(menu_->result_text(), QString());
  }

  void failed_engine_run_shows_no_result_data() {
    QTest::addColumn<QByteArray>("control_file");
    QTest::addColumn<QString>("named_file");
    // The engine never overwrites a result file.
    QTest::newRow("result file already present") << QByteArray() << "resultat.dat";
    QTest::newRow("control file the engine rejects") << QByteArray(" 1\r\n 1\r\n") << "styrfil.dat";
  }
  void failed_engine_run_shows_no_result() {
    QFETCH(QByteArray, control_file);
    QFETCH(QString, named_file);
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    if (control_file.isEmpty()) {
      touch(QStringLiteral("resultat.dat"));
    } else {
      QFile file(QStringLiteral("styrfil.dat"));
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(control_file);
    }

    const EngineOutcome outcome = run_engine();
    QCOMPARE(outcome.status, EngineOutcome::Status::Failed);
    const QString engine_text = outcome.engine_messages.trimmed();
    QVERIFY2(engine_text.contains(named_file), qPrintable(engine_text));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(platform_->messages.front().title, QStringLiteral("Beräkningen misslyckades"));
    QVERIFY2(platform_->messages.front().text.contains(engine_text),
             qPrintable(platform_->messages.front().text));
    QCOMPARE(menu_->result_text(), QString());
    expect_run_over();
    QVERIFY2(child(*menu_, "Command5")->isVisible(), "the way to a new calculation");
  }

  void missing_engine_is_reported() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const PathOverride path(empty.path());
    menu_->engine_run().set_program_folder(empty.path());
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));

    QCOMPARE(run_engine().status, EngineOutcome::Status::NotStarted);
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(platform_->messages.front().title, QStringLiteral("Beräkningen kunde inte startas"));
    QVERIFY(platform_->messages.front().text.contains(QStringLiteral("kalvex")));
    QCOMPARE(menu_->result_text(), QString());
    expect_run_over();
    QVERIFY(menu_->isVisible());
  }

  // A single-stage burner typed with more digits than a float holds: the form writes its one
  // power on both power lines, and the engine computes the year of a single-stage burner.
  void single_stage_burner_of_many_digits_runs_single_stage() {
    click(*menu_, "Command1");
    complete(QStringLiteral("h123"), {{"enstegeff", QStringLiteral("18,1234519")}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);

    QFile control(QStringLiteral("styrfil.dat"));
    QVERIFY(control.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = control.readAll().split('\n');
    QCOMPARE(lines.at(3), lines.at(4));
    const varmkalk::core::BoilerCase engine_case = varmkalk::core::read_control_file(".");
    QCOMPARE(engine_case.burner.kind(), varmkalk::core::BurnerKind::single_stage);

    // The engine's daily lines are those of the single-stage year in memory.
    const varmkalk::core::YearResult year =
        varmkalk::testing::year_on_climate_file(engine_case, ".", {});
    std::string expected;
    for (const varmkalk::core::DayBalance& day : year.days) {
      expected += varmkalk::core::format_daily_line(day, day.with_pump);
    }
    QFile daily(QStringLiteral("h123.dat"));
    QVERIFY(daily.open(QIODevice::ReadOnly));
    QCOMPARE(daily.readAll().toStdString(), expected);
  }

  // The engine's warning stands above the summary, broken to the box's width, with the decimal
  // comma of a Swedish desktop; where the modulating burner had power left, it says why.
  // Stockholm's year imported from a plain table as a climate file of the user's own, with
  // Stockholm's design outdoor temperature: the same daily files and summary as the place itself,
  // but for the climate line and the identity's file names.
  void own_climate_imported_through_the_form_gives_the_places_year() {
    const QString bundled = QDir(QStringLiteral(VARMKALK_TEST_CLIMATE_DIR)).filePath("sthlm.dat");
    QTemporaryDir sources;
    const QString table = sources.filePath(QStringLiteral("Stockholm 2009.csv"));
    QVERIFY(varmkalk::testing::write_climate_table(bundled, table, QDate(2009, 1, 1)));
    QVERIFY(QFile::copy(bundled, QStringLiteral("sthlm.dat")));

    click(*menu_, "Command1");
    complete(QStringLiteral("st"), {{"Stockholm", QString()}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    const QStringList place_summary = summary_on_disk().split(QStringLiteral("\r\n"));
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");

    QDialog* form = platform_->last_modal();
    varmkalk::testing::fill_worked_example(*form, swedish_);
    click(*form, "Egenklimat");
    platform_->open_answers.push_back(table);
    click(*form, "importera");
    QDialog* import = platform_->last_modal();
    QCOMPARE(import->objectName(), QStringLiteral("klimatimport"));
    click(*import, "valjkalla");
    QCOMPARE(child<QLineEdit>(*import, "malfil")->text(), QStringLiteral("stockholm2009.dat"));
    click(*import, "importknapp");
    click(*import, "anvand");
    QCOMPARE(child<QLineEdit>(*form, "klimatfil")->text(), QStringLiteral("stockholm2009.dat"));
    // Suggested from the year: the lowest mean over three days in a row.
    QVERIFY(!child<QLineEdit>(*form, "dut")->text().isEmpty());
    child<QLineEdit>(*form, "dut")->setText(QStringLiteral("-18"));
    click(*form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("eg"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);

    for (const auto& [place_file, own_file] :
         {std::pair{"st  .dat", "eg  .dat"}, std::pair{"st  sum_c.dat", "eg  sum_c.dat"}}) {
      QFile place(QString::fromLatin1(place_file));
      QFile own(QString::fromLatin1(own_file));
      QVERIFY(place.open(QIODevice::ReadOnly) && own.open(QIODevice::ReadOnly));
      QCOMPARE(own.readAll(), place.readAll());
    }
    QStringList own_summary = summary_on_disk().split(QStringLiteral("\r\n"));
    QCOMPARE(own_summary.at(36), QStringLiteral(" - Klimatfilen stockholm2009.dat har använts"));
    own_summary[36] = place_summary.at(36);
    own_summary.replaceInStrings(QStringLiteral("eg  "), QStringLiteral("st  "));
    QCOMPARE(own_summary, place_summary);
  }

  void engine_warning_is_shown_above_the_summary_data() {
    QTest::addColumn<FormChanges>("changes");
    QTest::addColumn<bool>("power_left");
    // 5 kW cannot heat a house that needs 8 kW on Malmö's coldest days.
    QTest::newRow("single stage, too small")
        << FormChanges{{"enstegbr", QString()}, {"enstegeff", QStringLiteral("5")}} << false;
    QTest::newRow("modulating, condensing below its mean power")
        << FormChanges{{"modbr", QString()},
                       {"modmax", QStringLiteral("15")},
                       {"modmin", QStringLiteral("3")},
                       {"modluft", QStringLiteral("20")}}
        << true;
  }
  void engine_warning_is_shown_above_the_summary() {
    QFETCH(FormChanges, changes);
    QFETCH(bool, power_left);
    click(*menu_, "Command1");
    complete(QStringLiteral("h123"), changes);

    const EngineOutcome outcome = run_engine();
    QCOMPARE(outcome.status, EngineOutcome::Status::Succeeded);
    const QString warning = outcome.engine_messages.trimmed();
    QVERIFY2(warning.startsWith(QStringLiteral("Varning: pannan räckte inte till")),
             qPrintable(warning));
    const QString shown = menu_->result_text();
    QVERIFY(shown.endsWith(QStringLiteral("\r\n\r\n") + summary_on_disk()));
    const QStringList notice_lines =
        shown.left(shown.size() - summary_on_disk().size()).trimmed().split(QStringLiteral("\r\n"));
    // The engine's line with decimal commas, then the reason where there is one.
    QString expected = warning;
    expected.replace(QRegularExpression(QStringLiteral("(\\d)\\.(\\d)")),
                     QStringLiteral("\\1,\\2"));
    const QString notice = notice_lines.join(QLatin1Char(' '));
    QVERIFY2(notice.startsWith(expected), qPrintable(notice));
    QCOMPARE(notice.contains(QStringLiteral("medeleffekten")), power_left);
    // Every line of it is read without scrolling sideways.
    auto* box = child<QPlainTextEdit>(*menu_, "Text1");
    for (const QString& line : notice_lines) {
      QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(line) <= box->viewport()->width(),
               qPrintable(line));
    }
    QVERIFY(platform_->messages.empty());
  }

  // Every way the engine's run can go wrong ends the wait with one message that says what
  // happened; the result box shows nothing that could be taken for a result.
  void engine_failure_is_told_and_nothing_shown_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("says");
    const QString failed = QStringLiteral("Beräkningen misslyckades");
    const QString unreadable = QStringLiteral("Resultatet kunde inte läsas");
    QTest::newRow("non-zero exit with a message")
        << QByteArray("echo 'styrfil.dat, rad 4: \"x\" är inget tal' >&2\nexit 2") << failed
        << "felkod 2";
    QTest::newRow("crash by a signal")
        << QByteArray("echo 'avbrott' >&2\nkill -SEGV $$") << failed << "avbröts oväntat";
    QTest::newRow("success without resultat.dat")
        << QByteArray("exit 0") << unreadable << "resultat.dat";
    QTest::newRow("resultat.dat a folder")
        << QByteArray("mkdir resultat.dat") << unreadable << "ingen vanlig fil";
    // Opening a pipe for reading would wait for a writer for ever.
    QTest::newRow("resultat.dat a named pipe")
        << QByteArray("mkfifo resultat.dat") << unreadable << "ingen vanlig fil";
    QTest::newRow("resultat.dat with control bytes")
        << QByteArray("printf 'rad 1\\r\\nrad\\0012\\r\\n' > resultat.dat") << unreadable
        << "rad 2";
    QTest::newRow("resultat.dat in UTF-8")
        << QByteArray("printf '\\303\\205rsverkningsgrad\\r\\n' > resultat.dat") << unreadable
        << "UTF-8";
    QTest::newRow("endless console output")
        << QByteArray("yes 'fel i indata' | head -n 100000 >&2\nexit 1") << failed
        << "ytterligare 99980 rader visas inte";
  }
  void engine_failure_is_told_and_nothing_shown() {
    QFETCH(QByteArray, script);
    QFETCH(QString, title);
    QFETCH(QString, says);
    use_fake_engine(script);
    menu_->engine_run().set_time_limit(std::chrono::minutes(10));
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    run_engine();

    QCOMPARE(platform_->messages.size(), std::size_t{1});
    const FakePlatform::Message& message = platform_->messages.front();
    QCOMPARE(message.title, title);
    QVERIFY2(message.text.contains(says), qPrintable(message.text));
    QVERIFY2(message.text.count(QLatin1Char('\n')) < 40, "a message box shows all of it");
    QVERIFY(!message.text.contains(kNonFinite));
    QCOMPARE(menu_->result_text(), QString());
    expect_run_over();
    QVERIFY(child(*menu_, "Command5")->isVisible());
  }

  void closing_the_menu_during_a_run_stops_the_engine() {
    use_fake_engine("echo $$ > pid.txt\nexec sleep 600");
    menu_->engine_run().set_time_limit(std::chrono::minutes(10));
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    click(*menu_, "Command2");
    // The shell creates the file before it writes the number: wait for the number itself.
    const auto written_pid = [] {
      QFile pid_file(QStringLiteral("pid.txt"));
      return pid_file.open(QIODevice::ReadOnly) ? pid_t(pid_file.readAll().trimmed().toInt())
                                                : pid_t(0);
    };
    QTRY_VERIFY_WITH_TIMEOUT(written_pid() > 0, kEngineWaitMs);
    const pid_t engine = written_pid();

    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    QVERIFY(menu_->close());
    QCOMPARE(ended.count(), 1);
    // The program ends with its main menu; the engine does not outlive it.
    menu_.reset();
    QCOMPARE(::kill(engine, 0), -1);
  }

  // Values the front end accepts but the model may not: the engine computes a year or refuses
  // with its own message, and neither the result box nor a message shows a non-finite number.
  void extreme_input_never_shows_nan_or_inf_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("house of 3E35 kW") << "huseff"
                                      << "3E35";
    QTest::newRow("house of 1E-30 kW") << "huseff"
                                       << "1E-30";
    QTest::newRow("negative house") << "huseff"
                                    << "-8";
    QTest::newRow("burner of 1E-30 kW") << "enstegeff"
                                        << "1E-30";
    QTest::newRow("burner of 3E35 kW") << "enstegeff"
                                       << "3E35";
    QTest::newRow("excess air of 1E37 %") << "enstegluft"
                                          << "1E37";
    QTest::newRow("no air at all") << "enstegluft"
                                   << "-100";
    QTest::newRow("flue gas below zero") << "TempL"
                                         << "-99";
    QTest::newRow("flue gas of 999 °C") << "TempH"
                                        << "999";
    QTest::newRow("indoor 1E30 °C") << "intemp"
                                    << "1E30";
    QTest::newRow("pump of 3E38 W") << "cirkpump"
                                    << "3E38";
    QTest::newRow("heater loss of 1E30 kWh a day") << "Text5"
                                                   << "1E30";
    QTest::newRow("negative hot water") << "vvbehov"
                                        << "-5000";
    QTest::newRow("standby exponent 30") << "sbexponent"
                                         << "30";
    QTest::newRow("convection constant 1E30") << "konvkonst"
                                              << "1E30";
  }
  void extreme_input_never_shows_nan_or_inf() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    // An engine that does not end is stopped at the time limit. Values far from a house boiler's
    // are asked about first, and meant.
    menu_->engine_run().set_time_limit(std::chrono::seconds(20));
    platform_->answers = {true, true};
    click(*menu_, "Command1");
    QDialog* input_form = platform_->last_modal();
    varmkalk::testing::fill_worked_example(*input_form, swedish_);
    child<QLineEdit>(*input_form, field.toLatin1().constData())->setText(text);
    click(*input_form, "Command1");
    if (platform_->last_modal() == input_form) {
      // Refused before the identity, with the field named.
      QCOMPARE(platform_->messages.size(), std::size_t{1});
      QCOMPARE(platform_->messages.front().title, QStringLiteral("Felaktigt värde"));
    } else {
      varmkalk::testing::confirm_identity(*platform_->last_modal(), QStringLiteral("h123"));
      const EngineOutcome outcome = run_engine();
      QVERIFY2(outcome.status != EngineOutcome::Status::Stopped, "the engine ends by itself");
      QCOMPARE(platform_->messages.empty(), outcome.status == EngineOutcome::Status::Succeeded);
      expect_run_over();
    }
    QVERIFY2(!menu_->result_text().contains(kNonFinite), qPrintable(menu_->result_text()));
    for (const FakePlatform::Message& message : platform_->messages) {
      QVERIFY2(!message.text.contains(kNonFinite), qPrintable(message.text));
    }
  }

  void dot_dot_identity_keeps_its_files_in_the_working_folder() {
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral(".."));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    expect_summary_shown();
    // Padded to four characters, ".." names files of this folder, never the folder above.
    for (const char* name : {"..  .dat", "..  sum.dat", "..  sum_c.dat"}) {
      QVERIFY2(QFileInfo(QString::fromLatin1(name)).isFile(), name);
    }
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command2");
    QCOMPARE(working_files(), QStringList{kClimateFile});
  }

  void slow_engine_can_be_stopped_after_the_time_limit() {
    use_fake_engine("exec sleep 600");
    // "Nej" goes on waiting and is asked again; "Ja" stops the engine.
    platform_->answers = {false, true};
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));

    QCOMPARE(run_engine().status, EngineOutcome::Status::Stopped);
    QCOMPARE(platform_->questions.size(), std::size_t{2});
    QCOMPARE(platform_->questions.front().title, QStringLiteral("Beräkningen tar lång tid"));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(platform_->messages.front().title, QStringLiteral("Beräkningen avbröts"));
    QCOMPARE(menu_->result_text(), QString());
    expect_run_over();
  }

  void engine_ending_while_the_question_is_open_counts_over_the_answer() {
    // An engine slower than the time limit that then ends well, with a summary of one line.
    use_fake_engine("sleep 0.5\nprintf '\\305rsverkningsgrad\\r\\n' > resultat.dat");
    platform_->answers = {true};
    platform_->on_question = [this] {
      QSignalSpy finished(&menu_->engine_run(), &EngineRun::finished);
      QVERIFY(finished.wait(kEngineWaitMs));
    };
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));

    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    QCOMPARE(platform_->questions.size(), std::size_t{1});
    QVERIFY(platform_->messages.empty());
    QVERIFY(menu_->result_text().endsWith(QStringLiteral("\r\nÅrsverkningsgrad\r\n")));
    expect_run_over();
  }

 private:
  QDialog* complete_input() { return varmkalk::testing::complete_input(*platform_, swedish_); }

  // An engine of a shell script in a program folder of its own, with a short time limit.
  void use_fake_engine(const QByteArray& script_body) {
    QVERIFY(programs_.isValid());
    const QString folder = varmkalk::testing::own_program_folder(programs_.path());
    varmkalk::testing::write_fake_engine(folder, script_body);
    menu_->engine_run().set_program_folder(folder);
    menu_->engine_run().set_time_limit(std::chrono::milliseconds(20));
  }

  void expect_summary_shown() {
    const QString summary = summary_on_disk();
    QCOMPARE(summary.count(QStringLiteral("\r\n")), kSummaryLineCount);
    QVERIFY(summary.contains(QStringLiteral("Årsverkningsgrad")));
    // The year on the gas bill's terms above the engine's summary, which is as the engine wrote
    // it.
    const auto billed =
        varmkalk::calculation_cost(varmkalk::folder_year(QDir::currentPath(), QString()),
                                   varmkalk::core::default_cost_inputs());
    const auto* cost = std::get_if<varmkalk::core::YearCost>(&billed);
    QVERIFY(cost);
    QCOMPARE(
        menu_->result_text(),
        varmkalk::cost_lines(*cost, swedish_, varmkalk::core::default_cost_inputs().fuel_hhv_ratio)
                .join(QStringLiteral("\r\n")) +
            QStringLiteral("\r\n") + summary);
    // One line between the bill's gas and the summary's efficiencies says which heating value
    // each counts.
    const QString shown = menu_->result_text();
    const qsizetype basis = shown.indexOf(QStringLiteral("undre värmevärdet; gasräkningen: övre"));
    QVERIFY(shown.indexOf(QStringLiteral("Gas enligt gasräkningen")) < basis);
    QVERIFY(basis < shown.indexOf(QStringLiteral("Årsverkningsgrad")));
    QVERIFY(child(*menu_, "Command5")->isVisible());
    expect_run_over();
  }

  void expect_run_over() {
    QVERIFY(!menu_->engine_run().is_running());
    for (const char* name : {"Command2", "Command3", "Command5"}) {
      QVERIFY2(child(*menu_, name)->isEnabled(), name);
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  QTemporaryDir programs_;
  QLocale swedish_{QLocale::Swedish, QLocale::Sweden};
};

QTEST_MAIN(CalculationCycleTest)
#include "calculation_cycle_test.moc"
