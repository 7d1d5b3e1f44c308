#include "engine_run.h"
#include "fake_platform.h"
#include "form_driver.h"
#include "main_menu.h"
#include "windows1252.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>

using varmkalk::EngineOutcome;
using varmkalk::EngineRun;
using varmkalk::MainMenu;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::touch;
using varmkalk::testing::working_files;

namespace {

// Generous, so that a loaded machine never fails a test; a year's run takes well under a second.
constexpr int kEngineWaitMs = 60'000;

// The engine's summary report has 45 lines.
constexpr qsizetype kSummaryLineCount = 45;

const QString kClimateFile = QStringLiteral("malmo.dat");
const QStringList kEarlierCycle{"old1.dat", "old1sum.dat", "old1sum_c.dat"};

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
  return varmkalk::decode_windows1252(file.readAll());
}

// Sets PATH for the life of the object.
class PathOverride {
 public:
  explicit PathOverride(const QString& path) : saved_(qgetenv("PATH")) {
    qputenv("PATH", QFile::encodeName(path));
  }
  ~PathOverride() { qputenv("PATH", saved_); }
  PathOverride(const PathOverride&) = delete;
  PathOverride& operator=(const PathOverride&) = delete;

 private:
  QByteArray saved_;
};

}  // namespace

// Whole calculation cycles through the real forms with the real engine kalvex, from the input
// to the files that are kept. Message boxes and modal forms go through the recording platform,
// so nothing blocks; the engine runs as the program runs it, as a child process.
class CalculationCycleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(work_dir_.isValid());
    QVERIFY(QDir::setCurrent(work_dir_.path()));
    for (const QString& name : working_files()) {
      QVERIFY(QFile::remove(name));
    }
    QVERIFY(QFile::copy(QDir(QStringLiteral(VARMKALK_TEST_CLIMATE_DIR)).filePath(kClimateFile),
                        kClimateFile));
    platform_ = std::make_unique<FakePlatform>();
    platform_->user_locale = swedish_;
    menu_ = std::make_unique<MainMenu>(*platform_);
    menu_->engine_run().set_program_folder(
        QFileInfo(QStringLiteral(VARMKALK_TEST_ENGINE)).absolutePath());
    menu_->show();
  }

  void cleanup() {
    menu_.reset();
    platform_.reset();
    varmkalk::testing::flush_deletions();
  }

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

    // "Ytterligare beräkning", "Ja": the identity's files stay.
    click(*menu_, "Command5");
    QCOMPARE(menu_->result_text(), QString());
    click(*platform_->last_modal(), "Command1");
    const QStringList kept = sorted(
        kEarlierCycle + QStringList{kClimateFile, "h123.dat", "h123sum.dat", "h123sum_c.dat"});
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
    QCOMPARE(working_files(),
             sorted(QStringList{kClimateFile, "x9  .dat", "x9  sum.dat", "x9  sum_c.dat"}));
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

  void press_without_control_file_asks_for_a_new_calculation() {
    click(*menu_, "Command1");
    confirm(complete_input(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");
    click(*platform_->last_modal(), "returtillstart");
    QVERIFY(menu_->isVisible());
    QVERIFY(!QFile::exists(QStringLiteral("styrfil.dat")));

    click(*menu_, "Command2");
    QVERIFY(!menu_->engine_run().is_running());
    QCOMPARE(platform_->events.mid(platform_->events.indexOf("beep")),
             (QStringList{"beep", "message Indata saknas"}));
    QVERIFY(platform_->messages.back().text.contains(QStringLiteral("\"Ytterligare beräkning\"")));
    QCOMPARE(menu_->result_text(), QString());
    QVERIFY(child(*menu_, "Command5")->isVisible());
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

  void engine_warnings_follow_the_summary() {
    click(*menu_, "Command1");
    QDialog* input_form = platform_->last_modal();
    varmkalk::testing::fill_worked_example(*input_form, swedish_);
    // 5 kW cannot heat a house that needs 8 kW on Malmö's coldest days.
    child<QLineEdit>(*input_form, "enstegeff")->setText(QStringLiteral("5"));
    click(*input_form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("h123"));

    const EngineOutcome outcome = run_engine();
    QCOMPARE(outcome.status, EngineOutcome::Status::Succeeded);
    const QString warning = outcome.engine_messages.trimmed();
    QVERIFY2(warning.startsWith(QStringLiteral("Varning: pannan räckte inte till")),
             qPrintable(warning));
    QCOMPARE(menu_->result_text(),
             summary_on_disk() + QStringLiteral("\r\n") + warning + QStringLiteral("\r\n"));
    QVERIFY(platform_->messages.empty());
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
    QCOMPARE(menu_->result_text(), QStringLiteral("Årsverkningsgrad\r\n"));
    expect_run_over();
  }

 private:
  QDialog* complete_input() { return varmkalk::testing::complete_input(*platform_, swedish_); }

  void confirm(QDialog* identity_form, const QString& calc_id) {
    varmkalk::testing::confirm_identity(*identity_form, calc_id);
    if (menu_->calc_id() != calc_id || !menu_->isVisible()) {
      qFatal("identity %s not confirmed", qPrintable(calc_id));
    }
  }

  // Presses "Beräkna och visa resultat" and waits for the engine's end, which the menu has
  // handled when the spy sees it.
  EngineOutcome run_engine() {
    QSignalSpy finished(&menu_->engine_run(), &EngineRun::finished);
    click(*menu_, "Command2");
    if (child(*menu_, "Command2")->isEnabled() || QApplication::overrideCursor() == nullptr) {
      qFatal("no sign of a running calculation");
    }
    if (!finished.wait(kEngineWaitMs) || finished.size() != 1) {
      qFatal("the engine's end was not reported");
    }
    return finished.first().first().value<EngineOutcome>();
  }

  // An engine of a shell script in a program folder of its own, with a short time limit.
  void use_fake_engine(const QByteArray& script_body) {
    QVERIFY(programs_.isValid());
    QFile script(QDir(programs_.path()).filePath(QStringLiteral("kalvex")));
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("#!/bin/sh\n" + script_body + "\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    menu_->engine_run().set_program_folder(programs_.path());
    menu_->engine_run().set_time_limit(std::chrono::milliseconds(20));
  }

  void expect_summary_shown() {
    const QString summary = summary_on_disk();
    QCOMPARE(summary.count(QStringLiteral("\r\n")), kSummaryLineCount);
    QVERIFY(summary.contains(QStringLiteral("Årsverkningsgrad")));
    QCOMPARE(menu_->result_text(), summary);
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

  QTemporaryDir work_dir_;
  QTemporaryDir programs_;
  QLocale swedish_{QLocale::Swedish, QLocale::Sweden};
  std::unique_ptr<FakePlatform> platform_;
  std::unique_ptr<MainMenu> menu_;
};

QTEST_MAIN(CalculationCycleTest)
#include "calculation_cycle_test.moc"
