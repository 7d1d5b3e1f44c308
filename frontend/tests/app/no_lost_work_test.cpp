// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/folder_claim.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/main_menu.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/tests/app/engine_folder.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sys/wait.h>
#include <unistd.h>

using varmkalk::EngineOutcome;
using varmkalk::FormInput;
using varmkalk::MainMenu;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::engine_folder;
using varmkalk::testing::working_files;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);
const QColor kYellow{255, 255, 0};

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

// The texts of every field of the form.
QStringList field_texts(const QDialog& form) {
  QStringList texts;
  for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
    texts += child<QLineEdit>(form, entry.name)->text();
  }
  return texts;
}

}  // namespace

// Work the front end once lost, shown through the real forms with the real engine, one window
// after the other: the main menu (the keep question left unanswered, a case the engine refuses),
// a second VARMKALK on the same folder, and the input form refilled from kept values too long for
// their fields.
class NoLostWorkTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() {
    work_dir_.enter();
    start_program(kSwedish, engine_folder());
  }

  void cleanup() { end_program(); }

  // Escape on the keep question after "Avsluta programmet" ends the program and deletes nothing;
  // the calculation stays whole, with its inputs file, and a later run of the program refills
  // the form from it exactly.
  void menu_keep_question_unanswered_keeps_the_inputs_file() {
    click(*menu_, "Command1");
    QDialog* typed_form = platform_->last_modal();
    varmkalk::testing::fill_worked_example(*typed_form, kSwedish);
    varmkalk::testing::apply_changes(
        *typed_form, {{"enstegeff", QStringLiteral("16,5")}, {"intemp", QStringLiteral("21")}});
    const QStringList typed = field_texts(*typed_form);
    click(*typed_form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    QSignalSpy ended(menu_.get(), &MainMenu::program_ended);
    click(*menu_, "Command3");
    QCOMPARE(platform_->last_modal()->objectName(), QStringLiteral("spara"));
    QTest::keyClick(platform_->last_modal(), Qt::Key_Escape);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(working_files(), sorted({"h123.dat", "h123sum.dat", "h123sum_c.dat", "h123indata.json",
                                      "resultat.dat", "styrfil.dat"}));
    end_program();

    start_program(kSwedish, engine_folder());
    click(*menu_, "Command1");
    QDialog* form = platform_->last_modal();
    click(*form, "hamtaindata");
    QDialog* list = platform_->last_modal();
    QCOMPARE(child<QTreeWidget>(*list, "kept_list")->topLevelItem(0)->text(6),
             QStringLiteral("indatafil"));
    click(*list, "pick");
    QVERIFY(platform_->messages.empty());
    QCOMPARE(field_texts(*form), typed);
  }

  // A case the engine refuses (a burner of 0 kW): its empty files go without a question, and
  // "Rätta indata" opens the form filled with the refused case; corrected, it runs under the same
  // identity.
  void menu_refused_case_is_offered_for_correction() {
    click(*menu_, "Command1");
    complete(QStringLiteral("h123"), {{"enstegeff", QStringLiteral("0")}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Failed);
    QCOMPARE(platform_->messages.back().title, QStringLiteral("Beräkningen misslyckades"));
    QVERIFY(platform_->messages.back().text.contains(QStringLiteral("\"Rätta indata\"")));
    QCOMPARE(working_files(), sorted({"resultat.dat", "styrfil.dat"}));
    QVERIFY(child(*menu_, "rattaindata")->isVisible());

    click(*menu_, "rattaindata");
    QDialog* form = platform_->last_modal();
    QCOMPARE(form->objectName(), QStringLiteral("Inmatning"));
    QVERIFY(!platform_->modal_names.contains(QStringLiteral("sparany")));
    QCOMPARE(child<QLineEdit>(*form, "enstegeff")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLineEdit>(*form, "Text5")->text(), QStringLiteral("1,08"));
    QVERIFY(working_files().isEmpty());

    child<QLineEdit>(*form, "enstegeff")->setText(QStringLiteral("15"));
    click(*form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("h123"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    QVERIFY(child(*menu_, "rattaindata")->isHidden());
  }

  // "Rätta indata" names the refused fields in the form's words, not the engine's ("fall 2" is
  // the row "Hög"), marks them yellow, and offers the identity typed before.
  void corrected_case_names_and_marks_the_refused_fields_data() {
    QTest::addColumn<QStringList>("changes");  // field, text, field, text, …
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<QStringList>("named");
    QTest::newRow("no burner") << QStringList{"enstegeff", "0"} << QStringList{"enstegeff"}
                               << QStringList{"\"Brännareffekt (kW)\""};
    QTest::newRow("flue gas below its return, modulating")
        << QStringList{"modbr",   "",   "modmax", "15", "modmin", "4",
                       "modluft", "20", "TempH",  "60", "ReturH", "65"}
        << QStringList{"TempH", "ReturH"}
        << QStringList{"\"Temp (°C), Hög\" och \"Retur (°C), Hög\""};
  }
  void corrected_case_names_and_marks_the_refused_fields() {
    QFETCH(QStringList, changes);
    QFETCH(QStringList, marked);
    QFETCH(QStringList, named);
    // The changes name their fields by pointers into `names`, which outlives them.
    std::vector<QByteArray> names;
    names.reserve(static_cast<std::size_t>(changes.size()));
    varmkalk::testing::FormChanges typed;
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
      names.push_back(changes[i].toLatin1());
      typed.emplace_back(names.back().constData(), changes[i + 1]);
    }
    click(*menu_, "Command1");
    complete(QStringLiteral("rf"), typed);
    QCOMPARE(run_engine().status, EngineOutcome::Status::Failed);
    const std::size_t told = platform_->messages.size();

    click(*menu_, "rattaindata");
    QDialog* form = platform_->last_modal();
    QCOMPARE(form->objectName(), QStringLiteral("Inmatning"));
    QTRY_COMPARE(platform_->messages.size(), told + 1);
    const auto& message = platform_->messages.back();
    QCOMPARE(message.title, QStringLiteral("Rätta indata"));
    for (const QString& said : named) {
      QVERIFY2(message.text.contains(said), qPrintable(message.text));
    }
    QVERIFY2(message.text.contains(QStringLiteral("rf")), qPrintable(message.text));
    for (const QString& name : marked) {
      QCOMPARE(varmkalk::field_background(child<QLineEdit>(*form, name.toLatin1().constData())),
               kYellow);
    }
    QCOMPARE(varmkalk::field_background(child<QLineEdit>(*form, "intemp")), varmkalk::kWhite);

    // Corrected, it runs under the identity typed before, offered as it was.
    child<QLineEdit>(*form, marked.front().toLatin1().constData())
        ->setText(marked.front() == QStringLiteral("TempH") ? QStringLiteral("180")
                                                            : QStringLiteral("15"));
    click(*form, "Command1");
    QDialog* identity = platform_->last_modal();
    QCOMPARE(identity->objectName(), QStringLiteral("inutdata"));
    auto* identity_field = child<QLineEdit>(*identity, "utdatafil");
    QCOMPARE(identity_field->text(), QStringLiteral("rf"));
    QCOMPARE(identity_field->selectedText(), QStringLiteral("rf"));
    click(*identity, "Command1");
    QCOMPARE(menu_->calc_id(), QStringLiteral("rf"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
  }

  // A second VARMKALK on a folder another one works in is told which folder and which process,
  // and ends or takes another folder; a lock left by a program that has ended is taken over.
  void second_window_on_the_same_folder() {
    const QString folder = work_dir_.path();
    const varmkalk::StartFolders start{folder, QDir::homePath(), QString()};
    std::optional<varmkalk::ClaimedFolder> first =
        varmkalk::claim_working_folder(*platform_, folder, start);
    QVERIFY(first);
    QVERIFY(platform_->questions.empty());

    // "Avsluta".
    QVERIFY(!varmkalk::claim_working_folder(*platform_, folder, start));
    QCOMPARE(platform_->events.last(), QStringLiteral("choice Arbetsmappen används"));
    const QString text = platform_->questions.back().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(folder)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("process %1").arg(QCoreApplication::applicationPid())),
             qPrintable(text));

    // "Välj en annan mapp…": a cancelled choice asks again; a free folder is taken.
    QTemporaryDir other;
    QVERIFY(other.isValid());
    platform_->choices = {0, 0};
    platform_->folder_answers = {QString(), other.path()};
    const std::optional<varmkalk::ClaimedFolder> second =
        varmkalk::claim_working_folder(*platform_, folder, start);
    QVERIFY(second);
    QCOMPARE(second->path, QDir(other.path()).absolutePath());
    QCOMPARE(platform_->events.count(QStringLiteral("choice Arbetsmappen används")), 3);

    // The first program ends: its folder is free again.
    first.reset();
    QVERIFY(varmkalk::claim_working_folder(*platform_, folder, start));

    // A program that took the lock and was killed before it could remove it.
    const pid_t dead = fork();
    if (dead == 0) {
      varmkalk::FolderLock lock(folder);
      _exit(std::holds_alternative<varmkalk::FolderLock::Taken>(lock.take()) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(dead, &status, 0), dead);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral(".varmkalk.lock"))));
    const auto asked = platform_->questions.size();
    QVERIFY(varmkalk::claim_working_folder(*platform_, folder, start));
    QCOMPARE(platform_->questions.size(), asked);
  }

  // "Hämta indata…" never cuts a kept value to the field's length: a value the field takes as
  // kept ("1E3") goes in as it is; one it cannot take (62.5 from an inputs file, 38.5 from a
  // summary, in a field of three characters) leaves the field empty and marked, and the message
  // names it with its value.
  void input_form_refills_without_cutting_data() {
    QTest::addColumn<QStringList>("kept");  // identity, TempH as refilled, TempL's kept value
    QTest::newRow("inputs file") << QStringList{"gas", "1E3", "62,5"};
    QTest::newRow("summary") << QStringList{"old", "180", "38,5"};
  }
  void input_form_refills_without_cutting() {
    QFETCH(QStringList, kept);
    keep_calculation_with_long_values();
    click(*menu_, "Command5");
    QDialog* form = platform_->last_modal();
    click(*form, "hamtaindata");
    QDialog* list = platform_->last_modal();
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
      if (rows->topLevelItem(i)->text(0).startsWith(kept[0])) {
        rows->setCurrentItem(rows->topLevelItem(i));
      }
    }
    click(*list, "pick");
    QCOMPARE(child<QLineEdit>(*form, "TempH")->text(), kept[1]);
    QCOMPARE(child<QLineEdit>(*form, "TempL")->text(), QString());
    QCOMPARE(varmkalk::field_background(child<QLineEdit>(*form, "TempL")), kYellow);
    QVERIFY(varmkalk::field_background(child<QLineEdit>(*form, "TempH")) != kYellow);
    const QString message = platform_->messages.back().text;
    QVERIFY2(message.contains(QStringLiteral("\"Temp (°C), Låg\": %1").arg(kept[2])),
             qPrintable(message));

    // The empty field is asked for before any identity.
    click(*form, "Command1");
    QCOMPARE(platform_->messages.back().title, QStringLiteral("Data saknas"));
  }

 private:
  // Two kept calculations with flue-gas temperatures longer than their field: "gas" with an
  // inputs file that keeps 1E3 and 62.5 °C as typed on an English system, "old" with a summary
  // alone whose low flue-gas temperature is 38.5 °C. The menu is then ready for its next cycle.
  void keep_calculation_with_long_values() {
    FormInput gas =
        varmkalk::testing::typed_in(varmkalk::testing::complete_swedish_input(), kEnglish);
    gas.flue_gas_temp_high_c = QStringLiteral("1E3");
    gas.flue_gas_temp_low_c = QStringLiteral("62.5");
    QVERIFY(!varmkalk::write_inputs_file(varmkalk::inputs_file_name(QStringLiteral("gas")),
                                         varmkalk::kept_inputs(QStringLiteral("gas"), gas, kEnglish,
                                                               {}, QDateTime::currentDateTime())));

    click(*menu_, "Command1");
    complete(QStringLiteral("old"));
    FormInput old = varmkalk::testing::complete_swedish_input();
    old.flue_gas_temp_low_c = QStringLiteral("38,5");
    const auto old_case = varmkalk::derive_case(old, QStringLiteral("old"), kSwedish);
    QVERIFY(!varmkalk::write_control_file(QDir::currentPath(),
                                          std::get<varmkalk::core::BoilerCase>(old_case)));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");  // "Ja"
    click(*platform_->last_modal(), "returtillstart");
    QVERIFY(QFile::remove(QStringLiteral("old indata.json")));
  }
};

QTEST_MAIN(NoLostWorkTest)
#include "no_lost_work_test.moc"
