// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/form_widgets.h"
#include "frontend/app/main_menu.h"
#include "frontend/help/twips.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"
#include "frontend/tests/support/file_bytes.h"
#include "frontend/tests/support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using varmkalk::MessageIcon;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::file_bytes;
using varmkalk::testing::touch;
using varmkalk::testing::working_files;
using varmkalk::testing::write_file;

Q_DECLARE_METATYPE(varmkalk::MessageIcon)

namespace {

const QColor kWhite{255, 255, 255};
const QColor kYellow{255, 255, 0};

QStringList read_lines(const QString& file_name) {
  QFile file(file_name);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) {
    lines.removeLast();
  }
  return lines;
}

}  // namespace

// The identity form over a real input form and main menu, with the files of a temporary working
// folder; message boxes and modal forms go through the recording platform.
class IdentityFormTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() {
    work_dir_.enter();
    start_program(swedish_);
  }

  void cleanup() { end_program(); }

  void form_design_and_earlier_summaries() {
    // Summary files of earlier calculations; only four characters before "sum.dat" match.
    for (const char* name :
         {"h123sum.dat", "ab  sum.dat", "xyzwsum.dat", "h12sum.dat", "abcdesum.dat", "h123.dat"}) {
      touch(QString::fromLatin1(name));
    }
    QDialog* form = open_identity_form();
    QCOMPARE(form->windowTitle(), QStringLiteral("Beräkningsidentitet"));
    QCOMPARE(form->size(), varmkalk::twips_size(4650, 2625));
    QCOMPARE(form->palette().color(QPalette::Window), QColor(128, 128, 128));

    auto* heading = child<QLabel>(*form, "Label2");
    QCOMPARE(heading->text(), QStringLiteral("Beräkningens identitet (4 tecken)"));
    QVERIFY(heading->font().bold());
    QVERIFY(heading->alignment() & Qt::AlignHCenter);
    auto* explanation = child<QLabel>(*form, "beridforklaring");
    QCOMPARE(explanation->text(),
             QStringLiteral(
                 "Resultat från tidigare beräkningar vars fyra första tecken inte kan användas"));
    QVERIFY(explanation->alignment() & Qt::AlignHCenter);
    QCOMPARE(child<QPushButton>(*form, "Command1")->text(), QStringLiteral("OK"));
    QCOMPARE(child(*form, "utdatafil")->geometry(), varmkalk::twips_rect(2760, 540, 1575, 375));

    auto* list = child<QListWidget>(*form, "fillista");
    QStringList listed;
    for (int row = 0; row < list->count(); ++row) {
      listed += list->item(row)->text();
    }
    QCOMPARE(listed, (QStringList{"ab  sum.dat", "h123sum.dat", "xyzwsum.dat"}));
    // Choosing an earlier summary does nothing.
    list->setCurrentRow(1);
    QCOMPARE(child<QLineEdit>(*form, "utdatafil")->text(), QString());

    auto* identity = child<QLineEdit>(*form, "utdatafil");
    QCOMPARE(identity->maxLength(), 4);
    QCOMPARE(form->focusWidget(), static_cast<QWidget*>(identity));
    QCOMPARE(identity->nextInFocusChain(), static_cast<QWidget*>(child(*form, "Command1")));
    QTest::keyClicks(identity, QStringLiteral("abcdef"));
    QCOMPARE(identity->text(), QStringLiteral("abcd"));
    QVERIFY(platform_->messages.empty());
  }

  void confirmed_identity_writes_control_file_and_returns_to_menu() {
    QPointer<QDialog> form = open_identity_form();
    QPointer<QWidget> input_form = form->parentWidget();
    varmkalk::testing::confirm_identity(*form, QStringLiteral("ab"));
    QVERIFY(platform_->messages.empty());

    // The worked example converted by hand: 15 kW is 15000 W on both burner lines, 20 % excess
    // air an air ratio of 1.2, 1,08 kWh/dag / 0.024 = 45 W, 8 kW is 8000 W, Malmö A, 55/45 B,
    // 35 °C lowest return, the identity as typed. Exact text.
    const QStringList expected{" 1",  " 1",  " 1.25", " 15000", " 15000", " 1.2", " 0",  " 60",
                               " 40", " 30", " 80",   " 70",    " 60",    " 60",  " 75", " 8000",
                               "A",   "B",   " 20",   " 35",    " 5000",  " 45",  "ab"};
    QCOMPARE(read_lines(QStringLiteral("styrfil.dat")), expected);
    QCOMPARE(menu_->calc_id(), QStringLiteral("ab"));

    varmkalk::testing::flush_deletions();
    QVERIFY2(form.isNull(), "inutdata is unloaded");
    QVERIFY2(input_form.isNull(), "Inmatning is unloaded");
    QVERIFY(menu_->isVisible());
    QVERIFY(child(*menu_, "Command1")->isHidden());
    for (const char* name : {"Label1", "Text1", "Command2"}) {
      QVERIFY2(child(*menu_, name)->isVisible(), name);
    }
    QVERIFY(child(*menu_, "Command5")->isHidden());
  }

  void unusable_identity_is_refused_data() {
    QTest::addColumn<QString>("identity");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("slash") << "a/b";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("control character") << "a\tb";
    QTest::newRow("control character 0x01") << "a\x01";
    QTest::newRow("delete character") << "ab\x7f";
    QTest::newRow("Swedish letter") << "år";
    QTest::newRow("letter beyond Windows-1252") << "Ω1";
  }
  void unusable_identity_is_refused() {
    QFETCH(QString, identity);
    QDialog* form = open_identity_form();
    child<QLineEdit>(*form, "utdatafil")->setText(identity);
    click(*form, "Command1");

    QCOMPARE(platform_->events.mid(platform_->events.indexOf("beep")),
             (QStringList{"beep", "message Beräkningsidentitet"}));
    QCOMPARE(platform_->messages.back().icon, MessageIcon::Exclamation);
    expect_form_left_open(*form);
    expect_focus_in_identity_box(*form);
  }

  void identity_in_use_is_refused_data() {
    QTest::addColumn<QString>("existing_file");
    QTest::addColumn<QString>("identity");
    QTest::newRow("raw result file") << "h123.dat"
                                     << "h123";
    // The engine would refuse to create it over an existing summary file as well.
    QTest::newRow("summary file only") << "h123sum.dat"
                                       << "h123";
    QTest::newRow("pump file only") << "h123sum_c.dat"
                                    << "h123";
    // The engine pads a short identity with blanks for its file names.
    QTest::newRow("short identity, padded summary file") << "ab  sum.dat"
                                                         << "ab";
  }
  void identity_in_use_is_refused() {
    QFETCH(QString, existing_file);
    QFETCH(QString, identity);
    touch(existing_file);
    QDialog* form = open_identity_form();
    varmkalk::testing::confirm_identity(*form, identity);

    QCOMPARE(platform_->messages.size(), std::size_t{1});
    const FakePlatform::Message& message = platform_->messages.front();
    QCOMPARE(message.text, QStringLiteral("Beräkningsidentiteten ") + identity +
                               QStringLiteral(" finns redan.\n   Välj en annan "
                                              "beräkningidentitet."));
    QCOMPARE(message.title, QString());
    QCOMPARE(message.icon, MessageIcon::None);
    QVERIFY(!platform_->events.contains("beep"));
    expect_form_left_open(*form);
    expect_focus_in_identity_box(*form);

    // A free identity then goes through.
    varmkalk::testing::confirm_identity(*form, QStringLiteral("h124"));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(menu_->calc_id(), QStringLiteral("h124"));
    QCOMPARE(read_lines(QStringLiteral("styrfil.dat")).size(), 23);
    QVERIFY(menu_->isVisible());
  }

  void value_that_is_no_number_names_and_marks_the_field_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("label");
    QTest::newRow("letters") << "huseff"
                             << "åtta" << swedish_ << "Husets maximala uppvärmningsbehov (kW)";
    QTest::newRow("decimal point on a Swedish system")
        << "sbexponent"
        << "1.25" << swedish_ << "Exponent, Stilleståndsförlust";
    QTest::newRow("decimal comma on an English system")
        << "Text5"
        << "1,08" << english_ << "Beredarens värmeförlust (kWh/dag)";
    QTest::newRow("blanks only") << "TempH"
                                 << "   " << swedish_ << "Temp (°C), Hög";
    QTest::newRow("nan") << "cirkpump"
                         << "nan" << swedish_ << "Cirkulationspumpens eleffekt (W)";
    QTest::newRow("inf") << "intemp"
                         << "inf" << english_ << "Inomhustemperatur (°C)";
    QTest::newRow("beyond a double") << "FramL"
                                     << "1E999" << swedish_ << "Fram (°C), Låg";
    QTest::newRow("beyond the engine's numbers")
        << "konvkonst"
        << "1E39" << swedish_ << "Konstant, Konvektionsförlust";
    QTest::newRow("five thousand characters") << "vvbehov" << QString(5000, QLatin1Char('x'))
                                              << swedish_ << "Årligt varmvattenbehov (kWh)";
  }
  void value_that_is_no_number_names_and_marks_the_field() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(QString, label);
    platform_->user_locale = locale;
    QDialog* form = open_identity_form(locale);
    QWidget* input_form = form->parentWidget();
    auto* input_field = child<QLineEdit>(*input_form, field.toLatin1().constData());
    input_field->setText(text);
    varmkalk::testing::confirm_identity(*form, QStringLiteral("h123"));

    QCOMPARE(platform_->events,
             (QStringList{"modal Inmatning", "modal inutdata", "beep", "message Felaktigt värde"}));
    const QString& message = platform_->messages.front().text;
    QVERIFY2(message.contains(label), qPrintable(message));
    QVERIFY2(message.size() < 300, "the message box shows all of it");
    QCOMPARE(varmkalk::field_background(input_field), kYellow);
    QCOMPARE(varmkalk::field_background(child<QLineEdit>(*input_form, "enstegeff")), kWhite);
    expect_form_left_open(*form);
  }

  void unwritable_control_file_is_reported() {
    // A folder in the control file's place, made while the forms are open: the file cannot be
    // written, and the folder stays as it was.
    QDialog* form = open_identity_form();
    QVERIFY(QDir().mkdir(QStringLiteral("styrfil.dat")));
    varmkalk::testing::confirm_identity(*form, QStringLiteral("h123"));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(platform_->messages.front().title, QStringLiteral("Styrfilen kunde inte skrivas"));
    QVERIFY(platform_->messages.front().text.contains(QStringLiteral("styrfil.dat")));
    QVERIFY(form->isVisible());
    QVERIFY(menu_->calc_id().isEmpty());
    QVERIFY(QFileInfo(QStringLiteral("styrfil.dat")).isDir());
  }

  // A styrfil.dat that appears while the forms are open (a copy of the user's, say) is replaced
  // only by a confirmation that succeeds; every refusal leaves it byte for byte.
  void existing_control_file_survives_a_failed_confirmation_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("existing_file");
    QTest::newRow("value that is no number") << "huseff"
                                             << "åtta"
                                             << "h123"
                                             << "";
    QTest::newRow("derivation that cannot be made") << "sbexponent"
                                                    << "1E39"
                                                    << "h123"
                                                    << "";
    QTest::newRow("identity in use") << ""
                                     << ""
                                     << "h123"
                                     << "h123sum_c.dat";
    QTest::newRow("unusable identity") << ""
                                       << ""
                                       << "a/b"
                                       << "";
  }
  void existing_control_file_survives_a_failed_confirmation() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, identity);
    QFETCH(QString, existing_file);
    QDialog* form = open_identity_form();
    const QByteArray users_file(" 1\r\n 2\r\nden egna styrfilen\r\n");
    write_file(QStringLiteral("styrfil.dat"), users_file);
    if (!existing_file.isEmpty()) {
      touch(existing_file);
    }
    if (!field.isEmpty()) {
      child<QLineEdit>(*form->parentWidget(), field.toLatin1().constData())->setText(text);
    }
    varmkalk::testing::confirm_identity(*form, identity);

    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QCOMPARE(file_bytes(QStringLiteral("styrfil.dat")), users_file);
    QVERIFY(form->isVisible());
    QVERIFY(menu_->calc_id().isEmpty());
  }

  void read_only_folder_refuses_the_control_file_and_loses_nothing() {
    QDialog* form = open_identity_form();
    const varmkalk::testing::ReadOnlyFolder read_only(work_dir_.path());
    if (!read_only.holds()) {
      QSKIP("no way to stop this user from writing into a folder");
    }
    varmkalk::testing::confirm_identity(*form, QStringLiteral("h123"));
    QCOMPARE(platform_->events.mid(platform_->events.indexOf("beep")),
             (QStringList{"beep", "message Styrfilen kunde inte skrivas"}));
    QVERIFY(platform_->messages.front().text.contains(QStringLiteral("styrfil.dat")));
    QVERIFY(form->isVisible());
    QVERIFY(menu_->calc_id().isEmpty());

    // Both forms closed through their frames: back in the main menu, the folder as it was.
    QWidget* input_form = form->parentWidget();
    QVERIFY(form->close());
    QVERIFY(input_form->close());
    QVERIFY(menu_->isVisible());
    QVERIFY(working_files().isEmpty());
  }

  void closing_the_form_returns_to_the_input_unchanged() {
    QPointer<QDialog> form = open_identity_form();
    QPointer<QWidget> input_form = form->parentWidget();
    QVERIFY(form->close());
    varmkalk::testing::flush_deletions();
    QVERIFY(form.isNull());
    QVERIFY(input_form->isVisible());
    QCOMPARE(child<QLineEdit>(*input_form, "huseff")->text(), QStringLiteral("8"));
    QVERIFY(working_files().isEmpty());
    QVERIFY(!menu_->isVisible());
  }

 private:
  // "Ny beräkning", the worked example typed for the locale, and "Indata färdigt".
  QDialog* open_identity_form(const QLocale& locale = QLocale(QLocale::Swedish, QLocale::Sweden)) {
    click(*menu_, "Command1");
    return varmkalk::testing::complete_input(*platform_, locale);
  }

  // Nothing written, nothing confirmed; the user can correct the input and try again.
  void expect_form_left_open(QDialog& form) {
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(QStringLiteral("styrfil.dat")));
    QVERIFY(menu_->calc_id().isEmpty());
    QVERIFY(!menu_->isVisible());
  }

  void expect_focus_in_identity_box(QDialog& form) {
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(child(form, "utdatafil")));
  }

  QLocale swedish_{QLocale::Swedish, QLocale::Sweden};
  QLocale english_{QLocale::English, QLocale::UnitedStates};
};

QTEST_MAIN(IdentityFormTest)
#include "identity_form_test.moc"
