// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/main_menu.h"
#include "frontend/app/input_form.h"
#include "frontend/help/twips.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/support/read_only_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <optional>
#include <utility>

using varmkalk::InputForm;
using varmkalk::MainMenu;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::flush_deletions;
using varmkalk::testing::touch;

class MainMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { work_dir_.enter(); }

  void start_state_shows_only_banner_and_three_buttons() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    QCOMPARE(menu.objectName(), QStringLiteral("Huvudmeny"));
    QCOMPARE(menu.windowTitle(),
             QStringLiteral("VARMKALK - Beräkning av värmepannors årsverkningsgrad – ") +
                 QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(menu.size(), varmkalk::twips_size(11130, 7335));
    QVERIFY(!menu.windowIcon().isNull());

    const QStringList visible{"Shape1",   "Label2",   "vernumber", "namninfo",
                              "Command1", "Command3", "Command4"};
    for (const QString& name : visible) {
      QVERIFY2(child(menu, name.toUtf8().constData())->isVisible(), qPrintable(name));
    }
    for (const char* name : {"Command2", "Command5", "Label1", "Text1"}) {
      QVERIFY2(child(menu, name)->isHidden(), name);
    }
    QCOMPARE(child<QPushButton>(menu, "Command1")->text(), QStringLiteral("&Ny beräkning"));
    QCOMPARE(child<QPushButton>(menu, "Command2")->text(),
             QStringLiteral("&Beräkna och visa resultat"));
    QCOMPARE(child<QPushButton>(menu, "Command3")->text(), QStringLiteral("&Avsluta programmet"));
    QCOMPARE(child<QPushButton>(menu, "Command4")->text(), QStringLiteral("&Programinfo"));
    QCOMPARE(child<QPushButton>(menu, "Command5")->text(),
             QStringLiteral("&Ytterligare beräkning"));
    QCOMPARE(child<QLabel>(menu, "Label1")->text(), QStringLiteral("BERÄKNINGSRESULTAT"));
    // Readable on the pure blue of the menu.
    QCOMPARE(child(menu, "Label1")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(child<QLabel>(menu, "Label2")->text(), QStringLiteral("VARMKALK"));
    QCOMPARE(child<QLabel>(menu, "vernumber")->text(), QStringLiteral("ver. 1.1"));
    QCOMPARE(child<QPlainTextEdit>(menu, "namninfo")->toPlainText().split('\n').size(), 4);
    QCOMPARE(child(menu, "Command2")->geometry(), varmkalk::twips_rect(360, 3000, 1695, 735));
    QCOMPARE(child(menu, "Text1")->geometry(), varmkalk::twips_rect(2280, 2100, 8475, 4335));
    QCOMPARE(menu.result_text(), QString());
    // The summary is a table: every character it can hold must be equally wide in the result
    // box's font, whatever fonts the machine has (fontconfig's fixed-pitch flag is not enough).
    const QFontMetricsF metrics(child(menu, "Text1")->font());
    const QString report_characters = QStringLiteral(
        " *-.:%()/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
        "ÅÄÖåäö_");
    for (const QChar character : report_characters) {
      QCOMPARE(metrics.horizontalAdvance(character), metrics.horizontalAdvance(QLatin1Char('0')));
    }
    QCOMPARE(menu.palette().color(QPalette::Window), QColor(0, 0, 255));
    QVERIFY(platform.events.isEmpty());
  }

  void new_calculation_deletes_working_files_and_opens_input_form_data() {
    QTest::addColumn<QStringList>("files_before");
    QTest::addColumn<QStringList>("files_after");
    QTest::newRow("working files and earlier results")
        << QStringList{"resultat.dat", "styrfil.dat", "h123.dat", "h123sum.dat", "h123sum_c.dat"}
        << QStringList{"h123.dat", "h123sum.dat", "h123sum_c.dat"};
    QTest::newRow("no files at all") << QStringList{} << QStringList{};
  }
  void new_calculation_deletes_working_files_and_opens_input_form() {
    QFETCH(QStringList, files_before);
    QFETCH(QStringList, files_after);
    for (const QString& name : files_before) {
      touch(name);
    }
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command1");

    QStringList left = QDir().entryList(QDir::Files, QDir::Name);
    files_after.sort();
    QCOMPARE(left, files_after);
    QCOMPARE(platform.modal_names, QStringList{"Inmatning"});
    QVERIFY(!menu.isVisible());
    QVERIFY(platform.last_modal()->isVisible());
    QVERIFY(platform.messages.empty());
  }

  // A working file that cannot be deleted would make the engine refuse the next run: the user
  // is told which and why before typing any input, and can press again once it is gone.
  void new_calculation_names_the_files_it_cannot_delete_data() {
    QTest::addColumn<QString>("in_the_way");
    QTest::addColumn<bool>("read_only");
    QTest::newRow("folder named resultat.dat") << "resultat.dat" << false;
    QTest::newRow("folder named styrfil.dat") << "styrfil.dat" << false;
    QTest::newRow("read-only working folder") << "" << true;
  }
  void new_calculation_names_the_files_it_cannot_delete() {
    QFETCH(QString, in_the_way);
    QFETCH(bool, read_only);
    QStringList left{"resultat.dat", "styrfil.dat"};
    if (read_only) {
      touch(QStringLiteral("resultat.dat"));
      touch(QStringLiteral("styrfil.dat"));
    } else {
      QVERIFY(QDir().mkpath(in_the_way + QStringLiteral("/inre")));
      left = QStringList{in_the_way};
    }
    std::optional<varmkalk::testing::ReadOnlyFolder> locked;
    if (read_only) {
      locked.emplace(work_dir_.path());
      if (!locked->holds()) {
        QSKIP("no way to stop this user from writing into a folder");
      }
    }
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command1");

    QCOMPARE(platform.events, (QStringList{"beep", "message Filer kunde inte tas bort"}));
    const QString text = platform.messages.front().text;
    for (const QString& name : left) {
      QVERIFY2(text.contains(QStringLiteral("   ") + name + QStringLiteral(": ")),
               qPrintable(text));
    }
    QVERIFY(text.contains(QDir::toNativeSeparators(work_dir_.path())));
    QVERIFY(text.contains(QStringLiteral("En ny beräkning kan inte börja")));
    QVERIFY(platform.modal_names.isEmpty());
    QVERIFY(menu.isVisible());
    QVERIFY(child(menu, "Command1")->isVisible());

    // Out of the way, the next press goes on as usual.
    locked.reset();
    varmkalk::testing::clear_working_folder();
    click(menu, "Command1");
    QCOMPARE(platform.modal_names, QStringList{"Inmatning"});
    QCOMPARE(platform.messages.size(), std::size_t{1});
  }

  void return_to_start_shows_menu_unchanged_and_next_opening_starts_afresh() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command1");
    QPointer<QDialog> form = platform.last_modal();
    click(*form, "modbr");
    click(*form, "Kiruna");
    child<QLineEdit>(*form, "modmax")->setText(QStringLiteral("18"));
    child<QLineEdit>(*form, "intemp")->setText(QStringLiteral("22"));

    click(*form, "returtillstart");
    flush_deletions();
    QVERIFY(form.isNull());
    QVERIFY(menu.isVisible());
    QVERIFY(child(menu, "Command1")->isVisible());
    QVERIFY(child(menu, "Text1")->isHidden());

    click(menu, "Command1");
    QDialog* fresh = platform.last_modal();
    QVERIFY(fresh != nullptr);
    QVERIFY(!child<QRadioButton>(*fresh, "modbr")->isChecked());
    QVERIFY(child<QRadioButton>(*fresh, "Malmö")->isChecked());
    QCOMPARE(child<QLineEdit>(*fresh, "modmax")->text(), QString());
    QCOMPARE(child<QLineEdit>(*fresh, "intemp")->text(), QStringLiteral("20"));
    QVERIFY(child(*fresh, "modmax")->isHidden());
  }

  void return_to_start_after_a_cycle_keeps_the_results_layout() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    menu.switch_to_input_ready();
    menu.show_further_calculation();
    menu.set_result_text(QStringLiteral("Årsverkningsgrad\r\n"));
    menu.open_input_form();
    QVERIFY(!menu.isVisible());

    click(*platform.last_modal(), "returtillstart");
    QVERIFY(menu.isVisible());
    QVERIFY(child(menu, "Command1")->isHidden());
    for (const char* name : {"Command2", "Command5", "Label1", "Text1"}) {
      QVERIFY2(child(menu, name)->isVisible(), name);
    }
    QCOMPARE(menu.result_text(), QStringLiteral("Årsverkningsgrad\r\n"));
  }

  void closing_input_form_through_its_frame_returns_to_menu() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command1");
    QPointer<QDialog> form = platform.last_modal();
    QTest::keyClick(form, Qt::Key_Escape);
    QVERIFY2(form->isVisible(), "Escape must not throw the input away");

    QVERIFY(form->close());
    flush_deletions();
    QVERIFY(form.isNull());
    QVERIFY(menu.isVisible());
  }

  void exit_without_result_file_ends_program_without_question() {
    touch(QStringLiteral("styrfil.dat"));
    FakePlatform platform;
    MainMenu menu(platform);
    QSignalSpy ended(&menu, &MainMenu::program_ended);
    menu.show();
    click(menu, "Command3");
    QCOMPARE(ended.count(), 1);
    QVERIFY(!menu.isVisible());
    QVERIFY(platform.events.isEmpty());
    QVERIFY(QFile::exists(QStringLiteral("styrfil.dat")));
  }

  void program_info_opens_and_closes_leaving_menu_unchanged() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command4");
    QCOMPARE(platform.modal_names, QStringList{"proginfo"});
    QPointer<QDialog> info = platform.last_modal();
    QCOMPARE(info->windowTitle(), QStringLiteral("VARMKALK- Information om programmet"));
    click(*info, "infoslut");
    flush_deletions();
    QVERIFY(info.isNull());
    QVERIFY(menu.isVisible());
    QVERIFY(child(menu, "Command1")->isVisible());
    QVERIFY(child(menu, "Text1")->isHidden());
  }

  void closing_program_info_through_its_frame_leaves_menu_unchanged() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command4");
    QPointer<QDialog> info = platform.last_modal();
    QVERIFY(info->close());
    flush_deletions();
    QVERIFY(info.isNull());
    QVERIFY(menu.isVisible());
    QVERIFY(child(menu, "Command1")->isVisible());
    QVERIFY(platform.messages.empty());
  }

  void closing_menu_through_its_frame_ends_program() {
    FakePlatform platform;
    MainMenu menu(platform);
    QSignalSpy ended(&menu, &MainMenu::program_ended);
    menu.show();
    QVERIFY(menu.close());
    QCOMPARE(ended.count(), 1);
  }

  void input_ready_and_results_states() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    menu.switch_to_input_ready();
    QVERIFY(child(menu, "Command1")->isHidden());
    QVERIFY(child(menu, "Command2")->isVisible());
    QVERIFY(child(menu, "Label1")->isVisible());
    QVERIFY(child(menu, "Text1")->isVisible());
    QVERIFY(child(menu, "Command5")->isHidden());
    menu.show_further_calculation();
    QVERIFY(child(menu, "Command5")->isVisible());
  }

  // Enter presses the focused button, which is the next step: "Ny beräkning" at the start,
  // "Beräkna och visa resultat" once the input is ready. The result box is only read.
  void keyboard_takes_the_next_step() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(QApplication::focusWidget(), child(menu, "Command1"));
    QVERIFY(child<QPushButton>(menu, "Command1")->isDefault());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(platform.modal_names, QStringList{"Inmatning"});
    click(*platform.last_modal(), "returtillstart");

    menu.switch_to_input_ready();
    QVERIFY(child<QPushButton>(menu, "Command2")->isDefault());
    QVERIFY(!child<QPushButton>(menu, "Command1")->isDefault());
    QCOMPARE(menu.focusWidget(), child(menu, "Command2"));
    // From the result box too, Enter takes the next step: there is no control file, so the
    // input form opens for one.
    auto* result_box = child<QPlainTextEdit>(menu, "Text1");
    result_box->setFocus();
    QTest::keyClick(result_box, Qt::Key_Enter);
    QTRY_COMPARE(platform.modal_names.size(), 2);
    QCOMPARE(platform.modal_names.last(), QStringLiteral("Inmatning"));
    click(*platform.last_modal(), "returtillstart");
    // Typing does not change the result box.
    menu.set_result_text(QStringLiteral("Årsverkningsgrad\r\n"));
    QTest::keyClicks(result_box, QStringLiteral("x"));
    QCOMPARE(menu.result_text(), QStringLiteral("Årsverkningsgrad\r\n"));
  }

  // The main menu's tab order, past the scroll area that holds its controls on a low screen, and
  // a mnemonic on every button, each its own letter.
  void menu_keeps_its_tab_order_and_has_mnemonics() {
    FakePlatform platform;
    MainMenu menu(platform);
    QStringList order;
    for (QWidget* next = menu.nextInFocusChain(); next != &menu; next = next->nextInFocusChain()) {
      if ((next->focusPolicy() & Qt::TabFocus) && !next->objectName().isEmpty()) {
        order += next->objectName();
      }
    }
    QCOMPARE(order, (QStringList{"Command1", "Text1", "Command2", "Command3", "Command4",
                                 "namninfo", "Command5", "Command6", "rattaindata", "jamfor"}));
    QSet<QChar> letters;
    for (const QPushButton* button : menu.findChildren<QPushButton*>()) {
      const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
      QVERIFY2(amp >= 0 && amp + 1 < button->text().size(), qPrintable(button->text()));
      const QChar letter = button->text().at(amp + 1).toLower();
      QVERIFY2(!letters.contains(letter), qPrintable(button->text()));
      letters.insert(letter);
    }
  }

  // Alt with a button's letter presses it, in the state that shows it.
  void menu_buttons_answer_their_mnemonics_data() {
    QTest::addColumn<bool>("input_ready");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("opened");
    QTest::newRow("Alt+N Ny beräkning") << false << int(Qt::Key_N) << "Inmatning";
    QTest::newRow("Alt+P Programinfo") << false << int(Qt::Key_P) << "proginfo";
    // No control file yet: the form to type one.
    QTest::newRow("Alt+B Beräkna") << true << int(Qt::Key_B) << "Inmatning";
  }
  void menu_buttons_answer_their_mnemonics() {
    QFETCH(bool, input_ready);
    QFETCH(int, key);
    QFETCH(QString, opened);
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    if (input_ready) {
      menu.switch_to_input_ready();
    }
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QTest::keyClick(&menu, static_cast<Qt::Key>(key), Qt::AltModifier);
    QTRY_COMPARE(platform.modal_names, QStringList{opened});
  }

  // After "Tillbaka till startmenyn" with no input typed there is no control file: "Beräkna och
  // visa resultat" opens the input form for one, as often as it is pressed, and tells of no fault.
  void run_without_input_opens_the_input_form() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    menu.switch_to_input_ready();
    menu.show_further_calculation();
    for (int press = 1; press <= 2; ++press) {
      click(menu, "Command2");
      QCOMPARE(platform.modal_names.size(), press);
      QCOMPARE(platform.modal_names.last(), QStringLiteral("Inmatning"));
      QVERIFY(!menu.isVisible());
      click(*platform.last_modal(), "returtillstart");
      QVERIFY(menu.isVisible());
    }
    QVERIFY(platform.messages.empty());
    QCOMPARE(menu.result_text(), QString());
  }

  void result_box_lines_end_with_cr_lf() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.append_result_line(QStringLiteral("  VARMKALK"));
    menu.append_result_line(QString());
    menu.append_result_line(QStringLiteral("Årsverkningsgrad   87.1"));
    QCOMPARE(menu.result_text(), QStringLiteral("  VARMKALK\r\n\r\nÅrsverkningsgrad   87.1\r\n"));
    menu.clear_result_text();
    QCOMPARE(menu.result_text(), QString());
    menu.set_result_text(QStringLiteral("a\r\nb"));
    QCOMPARE(menu.result_text(), QStringLiteral("a\r\nb"));
    QCOMPARE(child<QPlainTextEdit>(menu, "Text1")->document()->blockCount(), 2);
  }

  void complete_input_opens_identity_form_over_input_form() {
    FakePlatform platform;
    MainMenu menu(platform);
    menu.show();
    click(menu, "Command1");
    QDialog* form = platform.last_modal();
    for (const char* option : {"enstegbr", "vvnej", "konvkonstant", "sbkonst"}) {
      click(*form, option);
    }
    for (const char* name : {"enstegeff", "enstegluft", "konvkonst", "sbkonstant", "sbexponent",
                             "huseff", "TempH", "TempL", "FramH", "FramL", "ReturH", "ReturL"}) {
      child<QLineEdit>(*form, name)->setText(QStringLiteral("1"));
    }
    click(*form, "Command1");
    QCOMPARE(platform.modal_names, (QStringList{"Inmatning", "inutdata"}));
    QDialog* identity = platform.last_modal();
    QCOMPARE(identity->parentWidget(), static_cast<QWidget*>(form));
    QCOMPARE(identity->windowTitle(), QStringLiteral("Beräkningsidentitet"));
    QCOMPARE(child<QLineEdit>(*identity, "utdatafil")->maxLength(), 4);

    QVERIFY(identity->close());
    QVERIFY2(form->isVisible(), "the input form stays open under the identity form");
  }

  void identity_form_opener_is_replaceable() {
    FakePlatform platform;
    MainMenu menu(platform);
    varmkalk::FormInput received;
    int openings = 0;
    menu.set_identity_form_opener([&](InputForm& form) {
      received = form.form_input();
      ++openings;
      form.unload();
    });
    menu.open_input_form();
    QPointer<QDialog> form = platform.last_modal();
    for (const char* option :
         {"modbr", "vvja", "konveffekt", "sbeff", "Tjugo", "Kiruna", "framretur8060"}) {
      click(*form, option);
    }
    for (const varmkalk::FormField& field : varmkalk::kFormFields) {
      child<QLineEdit>(*form, field.name)->setText(QStringLiteral("2"));
    }
    // Numbers the standby fit can pass through, and a house's indoor temperature.
    for (const auto& [name, text] :
         {std::pair{"konveff", "100"}, {"sbtemp2", "4"}, {"sbeff2", "3"}, {"intemp", "20"}}) {
      child<QLineEdit>(*form, name)->setText(QString::fromLatin1(text));
    }
    click(*form, "Command1");

    QCOMPARE(openings, 1);
    QCOMPARE(received.burner, varmkalk::Burner::Modulating);
    QCOMPARE(received.hot_water_heater, varmkalk::HotWaterHeater::Yes);
    QCOMPARE(received.convection_source, varmkalk::ConvectionSource::KnownLoss);
    QCOMPARE(received.standby_source, varmkalk::StandbySource::KnownLosses);
    QCOMPARE(received.min_return_temp, varmkalk::MinReturnTemp::Indoor);
    QCOMPARE(received.climate, varmkalk::core::Place::kiruna);
    QCOMPARE(received.heating_system, varmkalk::core::HeatingSystem::radiators_80_60);
    QCOMPARE(received.convection_loss_w, QStringLiteral("100"));
    flush_deletions();
    QVERIFY2(form.isNull(), "unload closes and deletes the input form");
    QVERIFY2(!menu.isVisible(), "unload leaves the main menu to the identity form");
  }

 private:
  varmkalk::testing::WorkingFolder work_dir_;
};

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
