// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/main_menu.h"
#include "frontend/app/save_question_form.h"
#include "frontend/help/twips.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"
#include "frontend/tests/support/fake_engine.h"
#include "frontend/tests/support/read_only_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using varmkalk::MainMenu;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::touch;
using varmkalk::testing::working_files;

namespace {

// What the engine leaves after a run for an identity.
QStringList engine_files(const QString& padded_identity) {
  return {padded_identity + ".dat", padded_identity + "sum.dat", padded_identity + "sum_c.dat",
          "resultat.dat"};
}

// Files no answer may touch: an earlier cycle's results, and a file named like the unpadded
// short identity "ab", which the engine never makes.
const QStringList kEarlierCycle{"old1.dat", "old1sum.dat", "old1sum_c.dat", "ab.dat"};

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

// An engine that makes the files a run makes: the identity files of the control file's last
// line, padded to four characters, and a summary of one line in Windows-1252.
const QByteArray kFakeEngine(
    "id=$(sed -n '23p' styrfil.dat | tr -d '\\r' | cut -c1-4)\n"
    "id=$(printf '%-4s' \"$id\")\n"
    "for f in \"$id.dat\" \"${id}sum.dat\" \"${id}sum_c.dat\"; do : > \"$f\"; done\n"
    "printf '\\305rsverkningsgrad: 96.4 %%\\r\\n' > resultat.dat");

}  // namespace

// "Ytterligare beräkning" with `sparany` and "Avsluta programmet" with `spara`: which files the
// answers leave. The engine's files are stand-ins here; the cycle with the real engine is tested
// end to end elsewhere.
class SaveQuestionTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(programs_.isValid());
    varmkalk::testing::write_fake_engine(program_folder(), kFakeEngine);
  }

  void init() {
    work_dir_.enter();
    start_program(QLocale::c(), program_folder());
  }

  void cleanup() { end_program(); }

  void form_design_data() {
    QTest::addColumn<varmkalk::SaveQuestion>("question");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("sparany") << varmkalk::SaveQuestion::BeforeFurtherCalculation << "sparany"
                             << "Spara resultatfiler inför nya beräkningar"
                             << QPoint(varmkalk::twips(4695), varmkalk::twips(3630));
    QTest::newRow("spara") << varmkalk::SaveQuestion::AtExit << "spara"
                           << "Spara resultatfiler"
                           << QPoint(varmkalk::twips(4650), varmkalk::twips(3540));
  }
  void form_design() {
    QFETCH(varmkalk::SaveQuestion, question);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, position);
    varmkalk::SaveQuestionForm form(question, {}, nullptr);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(form.objectName(), name);
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(form.pos(), position);
    QCOMPARE(form.size(), varmkalk::twips_size(5460, 1605));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(128, 128, 128));
    auto* label = child<QLabel>(form, "Label1");
    QCOMPARE(label->text(), QStringLiteral("Skall indata- och resultatfiler sparas?"));
    QVERIFY(label->font().bold());
    QVERIFY(label->alignment() & Qt::AlignHCenter);
    QCOMPARE(child<QPushButton>(form, "Command1")->text(), QStringLiteral("&Ja"));
    QCOMPARE(child<QPushButton>(form, "Command2")->text(), QStringLiteral("&Nej"));
    QCOMPARE(child(form, "Command1")->geometry(), varmkalk::twips_rect(855, 780, 1695, 495));
    QCOMPARE(child(form, "Command2")->geometry(), varmkalk::twips_rect(3000, 780, 1695, 495));
    QCOMPARE(child(form, "Command1")->nextInFocusChain(), child(form, "Command2"));
  }

  void further_calculation_settles_the_files_data() {
    QTest::addColumn<QString>("calc_id");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Ja keeps the identity files and the inputs")
        << "h123"
        << "Command1"
        << sorted(kEarlierCycle +
                  QStringList{"h123.dat", "h123sum.dat", "h123sum_c.dat", "h123indata.json"});
    QTest::newRow("Nej deletes them") << "h123"
                                      << "Command2" << sorted(kEarlierCycle);
    // The engine named the files of a short identity with blanks; an unpadded namesake is
    // another calculation's.
    QTest::newRow("Nej, short identity: the padded names") << "ab"
                                                           << "Command2" << sorted(kEarlierCycle);
  }
  void further_calculation_settles_the_files() {
    QFETCH(QString, calc_id);
    QFETCH(QString, answer);
    QFETCH(QStringList, left);
    confirm_identity_and_fake_run(calc_id);

    click(*menu_, "Command5");
    QCOMPARE(menu_->result_text(), QString());
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("sparany"));
    QPointer<QDialog> question = platform_->last_modal();
    click(*question, answer.toLatin1().constData());

    QCOMPARE(working_files(), left);
    varmkalk::testing::flush_deletions();
    QVERIFY(question.isNull());
    QVERIFY(!menu_->isVisible());
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("Inmatning"));
    QVERIFY(platform_->messages.empty());
    QCOMPARE(menu_->result_text(), QString());
  }

  // The question left through its frame or with Escape answers nothing: no file goes, the result
  // box stays empty, and "Diagram" still shows the calculation whose files are in the folder.
  void closing_sparany_without_an_answer_deletes_nothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("close control") << false;
    QTest::newRow("Escape") << true;
  }
  void closing_sparany_without_an_answer_deletes_nothing() {
    QFETCH(bool, escape);
    const QStringList made = confirm_identity_and_fake_run(QStringLiteral("h123"));
    QVERIFY(child(*menu_, "Command6")->isVisible());
    click(*menu_, "Command5");
    QPointer<QDialog> question = platform_->last_modal();
    QVERIFY(child(*menu_, "Command6")->isHidden());
    if (escape) {
      QTest::keyClick(question, Qt::Key_Escape);
    } else {
      QVERIFY(question->close());
    }
    varmkalk::testing::flush_deletions();
    QVERIFY(question.isNull());
    QCOMPARE(working_files(), made);
    QVERIFY(menu_->isVisible());
    QCOMPARE(menu_->result_text(), QString());
    for (const char* name : {"Command2", "Command5", "Label1", "Text1", "Command6"}) {
      QVERIFY2(child(*menu_, name)->isVisible(), name);
    }
    QVERIFY(child(*menu_, "Command6")->isEnabled());
    QVERIFY(child(*menu_, "Command1")->isHidden());
    QVERIFY(platform_->messages.empty());
  }

  // Alt with the underlined letter answers as the button does.
  void sparany_answers_by_its_mnemonics_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Alt+J keeps") << int(Qt::Key_J)
                                 << sorted(kEarlierCycle + QStringList{"h123.dat", "h123sum.dat",
                                                                       "h123sum_c.dat",
                                                                       "h123indata.json"});
    QTest::newRow("Alt+N deletes") << int(Qt::Key_N) << sorted(kEarlierCycle);
  }
  void sparany_answers_by_its_mnemonics() {
    QFETCH(int, key);
    QFETCH(QStringList, left);
    confirm_identity_and_fake_run(QStringLiteral("h123"));
    click(*menu_, "Command5");
    QDialog* question = platform_->last_modal();
    question->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), question);
    QTest::keyClick(question, static_cast<Qt::Key>(key), Qt::AltModifier);
    QTRY_COMPARE(working_files(), left);
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("Inmatning"));
  }

  void exit_with_unsettled_results_asks_and_ends_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Ja") << "Command1"
                        << sorted(kEarlierCycle + QStringList{"h123.dat", "h123sum.dat",
                                                              "h123sum_c.dat", "h123indata.json"});
    QTest::newRow("Nej") << "Command2" << sorted(kEarlierCycle);
    QTest::newRow("closed through its frame") << "" << QStringList{};
  }
  void exit_with_unsettled_results_asks_and_ends() {
    QFETCH(QString, answer);
    QFETCH(QStringList, left);
    const QStringList made = confirm_identity_and_fake_run(QStringLiteral("h123"));
    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    click(*menu_, "Command3");
    QCOMPARE(platform_->modal_names.last(), QStringLiteral("spara"));
    QVERIFY(ended.isEmpty());

    QDialog* question = platform_->last_modal();
    if (answer.isEmpty()) {
      // Nothing deleted, and what stays is whole: the inputs file beside the result files.
      QVERIFY(question->close());
      left = sorted(made + QStringList{"h123indata.json"});
    } else {
      click(*question, answer.toLatin1().constData());
    }
    QCOMPARE(ended.count(), 1);
    QCOMPARE(working_files(), left);
    QVERIFY(platform_->messages.empty());
  }

  // Files that cannot be deleted are named with the reason; what is gone stays gone and what is
  // left is never lost. A working file left behind stops the next cycle, an identity file does
  // not (the next cycle takes a new identity anyway).
  void undeletable_files_are_named_data() {
    QTest::addColumn<bool>("at_exit");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("in_the_way");
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<bool>("input_form_opens");
    const QStringList all_five{"styrfil.dat", "resultat.dat", "h123.dat", "h123sum.dat",
                               "h123sum_c.dat"};
    QTest::newRow("sparany Ja, folder named resultat.dat")
        << false << "Command1"
        << "resultat.dat" << QStringList{"resultat.dat"} << false;
    QTest::newRow("sparany Nej, folder named h123sum.dat")
        << false << "Command2"
        << "h123sum.dat" << QStringList{"h123sum.dat"} << true;
    QTest::newRow("sparany Nej, read-only folder") << false << "Command2"
                                                   << "" << all_five << false;
    QTest::newRow("spara Ja, read-only folder")
        << true << "Command1"
        << "" << QStringList{"styrfil.dat", "resultat.dat"} << false;
    QTest::newRow("spara Nej, folder named h123.dat")
        << true << "Command2"
        << "h123.dat" << QStringList{"h123.dat"} << false;
  }
  void undeletable_files_are_named() {
    QFETCH(bool, at_exit);
    QFETCH(QString, answer);
    QFETCH(QString, in_the_way);
    QFETCH(QStringList, named);
    QFETCH(bool, input_form_opens);
    const QStringList made = confirm_identity_and_fake_run(QStringLiteral("h123"));
    std::optional<varmkalk::testing::ReadOnlyFolder> locked;
    if (in_the_way.isEmpty()) {
      locked.emplace(work_dir_.path());
      if (!locked->holds()) {
        QSKIP("no way to stop this user from writing into a folder");
      }
    } else {
      QVERIFY(QFile::remove(in_the_way));
      QVERIFY(QDir().mkpath(in_the_way + QStringLiteral("/inre")));
    }
    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    click(*menu_, at_exit ? "Command3" : "Command5");
    click(*platform_->last_modal(), answer.toLatin1().constData());

    // "Ja" in a folder that takes no file cannot keep the inputs either, and says so first.
    const bool keeps = answer == QStringLiteral("Command1");
    const bool inputs_refused = keeps && locked;
    QCOMPARE(platform_->messages.size(), std::size_t{inputs_refused ? 2u : 1u});
    if (inputs_refused) {
      QCOMPARE(platform_->messages.front().title, QStringLiteral("Indata kunde inte sparas"));
      QVERIFY(platform_->messages.front().text.contains(QStringLiteral("h123indata.json")));
    }
    QCOMPARE(platform_->messages.back().title, QStringLiteral("Filer kunde inte tas bort"));
    const QString text = platform_->messages.back().text;
    QStringList listed;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      if (line.startsWith(QStringLiteral("   "))) {
        listed += line.mid(3).section(QStringLiteral(": "), 0, 0);
      }
    }
    QCOMPARE(listed, named);
    QCOMPARE(text.contains(QStringLiteral("En ny beräkning kan inte börja")),
             !at_exit && !input_form_opens);
    QCOMPARE(ended.count(), at_exit ? 1 : 0);
    QCOMPARE(platform_->modal_names.last() == QStringLiteral("Inmatning"), input_form_opens);
    if (!at_exit && !input_form_opens) {
      QVERIFY(menu_->isVisible());
      QVERIFY(child(*menu_, "Command5")->isVisible());
    }
    // Whatever was not deleted is there as before; the folder in the way is no file.
    const QStringList to_delete = varmkalk::files_to_delete(
        answer == QStringLiteral("Command1") ? varmkalk::KeepFiles::Yes : varmkalk::KeepFiles::No,
        QStringLiteral("h123"));
    QStringList expected_left;
    for (const QString& name : made) {
      if ((!to_delete.contains(name) || named.contains(name)) && name != in_the_way) {
        expected_left += name;
      }
    }
    if (keeps && !inputs_refused) {
      expected_left += QStringLiteral("h123indata.json");
    }
    QCOMPARE(working_files(), sorted(expected_left));
    if (!in_the_way.isEmpty()) {
      QVERIFY(QFileInfo(in_the_way).isDir());
    }
  }

  // Files once kept are never deleted by a later answer: going back and on to a further
  // calculation asks nothing, and the next question names only the next calculation's files,
  // which its "Nej" deletes.
  void kept_files_outlive_every_later_answer() {
    confirm_identity_and_fake_run(QStringLiteral("h123"));
    click(*menu_, "Command5");
    QCOMPARE(child<QLabel>(*platform_->last_modal(), "filnamn")->text(),
             QStringLiteral("Gäller \"h123.dat\", \"h123sum.dat\" och \"h123sum_c.dat\""));
    click(*platform_->last_modal(), "Command1");
    click(*platform_->last_modal(), "returtillstart");
    const QStringList kept = working_files();

    platform_->modal_names.clear();
    click(*menu_, "Command5");
    QCOMPARE(platform_->modal_names, QStringList{"Inmatning"});
    run_cycle(QStringLiteral("ab"));
    click(*menu_, "Command5");
    QCOMPARE(child<QLabel>(*platform_->last_modal(), "filnamn")->text(),
             QStringLiteral("Gäller \"ab  .dat\", \"ab  sum.dat\" och \"ab  sum_c.dat\""));
    click(*platform_->last_modal(), "Command2");
    QCOMPARE(working_files(), kept);
    QVERIFY(platform_->messages.empty());
  }

  void exit_with_a_stale_result_file_asks_nothing_and_deletes_nothing() {
    // resultat.dat left behind by an earlier run of the program: no calculation of this one
    // awaits an answer.
    touch(QStringLiteral("resultat.dat"));
    touch(QStringLiteral("styrfil.dat"));
    for (const QString& name : kEarlierCycle) {
      touch(name);
    }
    const QStringList before = working_files();
    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    click(*menu_, "Command3");
    QCOMPARE(ended.count(), 1);
    QVERIFY(platform_->modal_names.isEmpty());
    QCOMPARE(working_files(), before);
  }

 private:
  // The earlier cycle's files and a first cycle through the stand-in engine. Returns the working
  // folder's files.
  QStringList confirm_identity_and_fake_run(const QString& calc_id) {
    for (const QString& name : kEarlierCycle) {
      touch(name);
    }
    click(*menu_, "Command1");
    run_cycle(calc_id);
    return working_files();
  }

  // The input form is open: the worked example, the identity and the engine's run, which leaves
  // the menu in its results state.
  void run_cycle(const QString& calc_id) {
    confirm(varmkalk::testing::complete_input(*platform_, QLocale::c()), calc_id);
    run_engine();
    // Below the reason why the year's cost is missing: the stand-in has no climate files.
    const QString shown = menu_->result_text();
    if (!shown.startsWith(QStringLiteral("Året på gasräkningens villkor kan inte visas: ")) ||
        !shown.endsWith(QStringLiteral("\r\nÅrsverkningsgrad: 96.4 %\r\n"))) {
      qFatal("the stand-in engine's summary is not shown: %s", qPrintable(shown));
    }
    const QString padded = calc_id.leftJustified(4, QLatin1Char(' '));
    for (const QString& name : engine_files(padded)) {
      if (!QFile::exists(name)) {
        qFatal("the stand-in engine made no %s", qPrintable(name));
      }
    }
  }

  QString program_folder() const { return varmkalk::testing::own_program_folder(programs_.path()); }

  QTemporaryDir programs_;
};

QTEST_MAIN(SaveQuestionTest)
#include "save_question_test.moc"
