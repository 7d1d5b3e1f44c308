// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/tests/support/fake_engine.h"
#include "frontend/tests/support/path_override.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using varmkalk::EngineOutcome;
using varmkalk::EngineRun;

namespace {

using varmkalk::testing::PathOverride;
using varmkalk::testing::write_fake_engine;

// Generous, so that a loaded machine never fails a test; a run normally ends at once.
constexpr int kWaitMs = 30'000;

// Runs the engine of the program folder in the working folder and waits for its end.
EngineOutcome run_engine(EngineRun& run, const QString& working_folder) {
  QSignalSpy finished(&run, &EngineRun::finished);
  run.start(working_folder);
  if (!finished.wait(kWaitMs) || finished.size() != 1) {
    return {EngineOutcome::Status::NotStarted, {}, QStringLiteral("no end reported")};
  }
  return finished.first().first().value<EngineOutcome>();
}

}  // namespace

class EngineRunTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    QVERIFY(programs_.isValid());
    QVERIFY(work_.isValid());
    QVERIFY(empty_.isValid());
  }

  void successful_run_reports_warnings_and_leaves_a_readable_summary() {
    // The summary in Windows-1252: \305 is Å, \344 ä and \366 ö. The script also records its
    // arguments, to show that it got none and ran in the working folder.
    write_fake_engine(programs_.path(),
                      "printf '\\305rsverkningsgrad\\r\\nV\\344rmef\\366rlust\\r\\n' > "
                      "resultat.dat\n"
                      "echo \"$#\" > argument.txt\n"
                      "echo 'varning: kort klimatfil' >&2\n"
                      "exit 0");
    EngineRun run;
    run.set_program_folder(programs_.path());
    const EngineOutcome outcome = run_engine(run, work_.path());
    QCOMPARE(outcome.status, EngineOutcome::Status::Succeeded);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(outcome.engine_messages, QStringLiteral("varning: kort klimatfil\n"));
    QVERIFY(!run.is_running());

    QFile arguments(QDir(work_.path()).filePath(QStringLiteral("argument.txt")));
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    QCOMPARE(arguments.readAll(), QByteArray("0\n"));
    const auto summary = varmkalk::read_summary(work_.path());
    QCOMPARE(std::get<QStringList>(summary),
             (QStringList{QStringLiteral("Årsverkningsgrad"), QStringLiteral("Värmeförlust")}));
  }

  void failed_run_reports_the_engines_error_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("engine_messages");
    QTest::newRow("non-zero exit")
        << QByteArray("echo 'styrfil.dat saknas' >&2\nexit 1") << "styrfil.dat saknas\n";
    QTest::newRow("crash") << QByteArray("echo 'avbrott' >&2\nkill -SEGV $$") << "avbrott\n";
  }
  void failed_run_reports_the_engines_error() {
    QFETCH(QByteArray, script);
    QFETCH(QString, engine_messages);
    write_fake_engine(programs_.path(), script);
    EngineRun run;
    run.set_program_folder(programs_.path());
    const EngineOutcome outcome = run_engine(run, work_.path());
    QCOMPARE(outcome.status, EngineOutcome::Status::Failed);
    QCOMPARE(outcome.engine_messages, engine_messages);
    QVERIFY(!outcome.message.isEmpty());
  }

  void tells_the_caller_at_the_time_limit_and_can_be_stopped() {
    write_fake_engine(programs_.path(), "exec sleep 600");
    EngineRun run;
    run.set_program_folder(programs_.path());
    run.set_time_limit(std::chrono::milliseconds(50));
    QSignalSpy time_limit(&run, &EngineRun::time_limit_reached);
    QSignalSpy finished(&run, &EngineRun::finished);
    run.start(work_.path());
    QVERIFY(time_limit.wait(kWaitMs));
    QVERIFY(finished.isEmpty());
    QVERIFY(run.is_running());
    // The user chose to go on waiting: the limit applies once more.
    run.restart_time_limit();
    QVERIFY(time_limit.wait(kWaitMs));
    QCOMPARE(time_limit.size(), 2);
    QVERIFY(finished.isEmpty());
    run.stop();
    QVERIFY(finished.wait(kWaitMs));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().value<EngineOutcome>().status,
             EngineOutcome::Status::Stopped);
    QVERIFY(!run.is_running());
  }

  void missing_engine_is_reported_not_started() {
    const PathOverride path(empty_.path());
    EngineRun run;
    run.set_program_folder(empty_.path());
    const EngineOutcome outcome = run_engine(run, work_.path());
    QCOMPARE(outcome.status, EngineOutcome::Status::NotStarted);
    QVERIFY(outcome.message.contains(QStringLiteral("kalvex")));
  }

  void engine_that_cannot_be_run_is_named_not_missing_data() {
    QTest::addColumn<bool>("folder");
    QTest::newRow("file without execute rights") << false;
    QTest::newRow("folder of the engine's name") << true;
  }
  void engine_that_cannot_be_run_is_named_not_missing() {
    QFETCH(bool, folder);
    const PathOverride path(empty_.path());
    const QString engine = QDir(programs_.path()).filePath(QStringLiteral("kalvex"));
    QFile::remove(engine);
    if (folder) {
      QVERIFY(QDir().mkdir(engine));
    } else {
      write_fake_engine(programs_.path(), "exit 0");
      QVERIFY(QFile::setPermissions(engine, QFile::ReadOwner | QFile::WriteOwner));
    }
    EngineRun run;
    run.set_program_folder(programs_.path());
    const EngineOutcome outcome = run_engine(run, work_.path());
    QCOMPARE(outcome.status, EngineOutcome::Status::NotStarted);
    QVERIFY2(outcome.message.contains(engine) &&
                 outcome.message.contains(QStringLiteral("kan inte köras")),
             qPrintable(outcome.message));
    QVERIFY(folder ? QDir().rmdir(engine) : QFile::remove(engine));
  }

  void missing_working_folder_is_reported_not_started() {
    write_fake_engine(programs_.path(), "exit 0");
    EngineRun run;
    run.set_program_folder(programs_.path());
    const EngineOutcome outcome =
        run_engine(run, QDir(empty_.path()).filePath(QStringLiteral("saknas")));
    QCOMPARE(outcome.status, EngineOutcome::Status::NotStarted);
    QVERIFY(!outcome.message.isEmpty());
  }

  void finds_the_engine_beside_the_front_end_before_the_path() {
    QTemporaryDir on_path;
    QVERIFY(on_path.isValid());
    write_fake_engine(on_path.path(), "exit 3");
    const PathOverride path(on_path.path());

    QCOMPARE(varmkalk::find_engine_program(empty_.path()),
             QDir(on_path.path()).filePath(QStringLiteral("kalvex")));
    write_fake_engine(programs_.path(), "exit 0");
    QCOMPARE(varmkalk::find_engine_program(programs_.path()),
             QDir(programs_.path()).filePath(QStringLiteral("kalvex")));

    EngineRun run;
    run.set_program_folder(programs_.path());
    QCOMPARE(run_engine(run, work_.path()).status, EngineOutcome::Status::Succeeded);
  }

 private:
  QTemporaryDir programs_;
  QTemporaryDir work_;
  QTemporaryDir empty_;
};

QTEST_GUILESS_MAIN(EngineRunTest)
#include "engine_run_test.moc"
