// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/help_dialogs.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <functional>

namespace {

const QStringList help_forms{"inmatningsord", "HelpBurn",      "Form3",
                             "Helpkonv",      "stillestand",   "Form1",
                             "HelpHeat",      "Kostnadshjalp", "Matarhjalp"};

QDialog* create_dialog(const QString& form_name) {
  return form_name == u"proginfo" ? varmkalk::create_proginfo(nullptr)
                                  : varmkalk::create_help_dialog(form_name, nullptr);
}

// A dialog that the test owns unless it closes itself.
struct OpenDialog {
  QPointer<QDialog> dialog;
  ~OpenDialog() { delete dialog.data(); }
};

QPlainTextEdit* text_box(QDialog* dialog) {
  return dialog->findChild<QPlainTextEdit*>("Text1");
}

QPushButton* close_button(QDialog* dialog) {
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->text() == u"Stäng") {
      return button;
    }
  }
  return nullptr;
}

void add_form_rows(bool with_proginfo) {
  QTest::addColumn<QString>("form");
  for (const QString& form : help_forms) {
    QTest::newRow(qPrintable(form)) << form;
  }
  if (with_proginfo) {
    QTest::newRow("proginfo") << QStringLiteral("proginfo");
  }
}

// Runs the dialog modally while `action` acts on it from inside the modal loop; a fallback closes
// it so that a broken close path fails the test instead of hanging it.
int exec_with(QDialog* dialog, const std::function<void(QDialog*)>& action) {
  QTimer::singleShot(0, dialog, [dialog, action] { action(dialog); });
  QTimer::singleShot(10000, dialog, [dialog] { dialog->done(-1); });
  return dialog->exec();
}

}  // namespace

class HelpDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Geometry from the form designs in twips, 15 twips to the pixel.
  void builds_each_dialog_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("text_rect");
    QTest::addColumn<bool>("scrolls");
    QTest::addColumn<bool>("has_picture");
    QTest::addColumn<QString>("close_name");
    QTest::addColumn<QRect>("chart_rect");
    QTest::newRow("inmatningsord")
        << "inmatningsord"
        << "Några ord om indata" << QSize(286, 354) << QRect(32, 8, 217, 273) << true << false
        << "Command1" << QRect();
    QTest::newRow("HelpBurn") << "HelpBurn"
                              << "HJÄLP- Brännare" << QSize(356, 290) << QRect(24, 32, 313, 193)
                              << false << true << "Command1" << QRect();
    QTest::newRow("Form3") << "Form3"
                           << "HJÄLP - vv-beredare" << QSize(263, 274) << QRect(16, 24, 229, 185)
                           << true << true << "Command1" << QRect();
    QTest::newRow("Helpkonv") << "Helpkonv"
                              << "HJÄLP - konvektionsförluster" << QSize(674, 475)
                              << QRect(16, 8, 201, 289) << false << true << "Command1"
                              << QRect(232, 8, 425, 457);
    QTest::newRow("stillestand") << "stillestand"
                                 << "VARMKALK - Stilleståndsförluster" << QSize(720, 369)
                                 << QRect(8, 12, 205, 245) << false << true << "stilleslut"
                                 << QRect(224, 12, 485, 337);
    QTest::newRow("Form1") << "Form1"
                           << "HJÄLP - Avgastemperatur" << QSize(255, 293)
                           << QRect(24, 32, 201, 193) << true << true << "Command1" << QRect();
    QTest::newRow("HelpHeat") << "HelpHeat"
                              << "HJÄLP - Värmesystem" << QSize(256, 294) << QRect(24, 32, 209, 193)
                              << true << true << "Command1" << QRect();
    QTest::newRow("proginfo") << "proginfo"
                              << "VARMKALK- Information om programmet" << QSize(297, 335)
                              << QRect(12, 12, 273, 260) << true << true << "infoslut" << QRect();
  }
  void builds_each_dialog() {
    QFETCH(QString, form);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QRect, text_rect);
    QFETCH(bool, scrolls);
    QFETCH(bool, has_picture);
    QFETCH(QString, close_name);
    QFETCH(QRect, chart_rect);
    OpenDialog open{create_dialog(form)};
    QDialog* dialog = open.dialog;
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), form);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->minimumSize(), size);
    QCOMPARE(dialog->maximumSize(), size);
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(128, 128, 128));

    QPlainTextEdit* text = text_box(dialog);
    QVERIFY(text);
    QCOMPARE(text->geometry(), text_rect);
    QVERIFY(text->isReadOnly());
    QVERIFY(!text->toPlainText().isEmpty());
    QCOMPARE(text->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(text->verticalScrollBarPolicy(),
             scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    auto* picture = dialog->findChild<QLabel*>("Picture1");
    QCOMPARE(picture != nullptr, has_picture);
    if (picture) {
      QCOMPARE(picture->pixmap().size(), QSize(32, 32));
      QVERIFY(picture->y() > text_rect.bottom());
    }

    QPushButton* button = close_button(dialog);
    QVERIFY(button);
    QCOMPARE(button->objectName(), close_name);
    QVERIFY(button->isDefault());
    QVERIFY(dialog->rect().contains(button->geometry()));
    QVERIFY(!button->geometry().intersects(text_rect));

    auto* chart = dialog->findChild<QWidget*>("Picture2");
    QCOMPARE(chart != nullptr, !chart_rect.isNull());
    if (chart) {
      QCOMPARE(chart->geometry(), chart_rect);
    }
  }

  void unknown_names_give_no_dialog_data() {
    QTest::addColumn<QString>("form");
    QTest::newRow("empty") << QString();
    QTest::newRow("wrong case") << "helpburn";
    QTest::newRow("another form") << "Inmatning";
    QTest::newRow("not a help dialog") << "proginfo";
    QTest::newRow("trailing blank") << "Form1 ";
  }
  void unknown_names_give_no_dialog() {
    QFETCH(QString, form);
    QCOMPARE(varmkalk::create_help_dialog(form, nullptr), nullptr);
  }

  void opens_at_the_top_of_its_text_data() { add_form_rows(true); }
  void opens_at_the_top_of_its_text() {
    QFETCH(QString, form);
    OpenDialog open{create_dialog(form)};
    open.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(open.dialog));
    QPlainTextEdit* text = text_box(open.dialog);
    QCOMPARE(text->verticalScrollBar()->value(), 0);
    QCOMPARE(text->textCursor().position(), 0);
  }

  void text_cannot_be_changed_data() { add_form_rows(true); }
  void text_cannot_be_changed() {
    QFETCH(QString, form);
    OpenDialog open{create_dialog(form)};
    open.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(open.dialog));
    QPlainTextEdit* text = text_box(open.dialog);
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(text, "xyz");
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_PageDown);
    QCOMPARE(text->toPlainText(), before);
  }

  // The texts are broken into lines by hand: each line must fit its box unwrapped, and a box
  // without a scroll bar must show the whole text.
  void lines_fit_their_boxes_data() { add_form_rows(true); }
  void lines_fit_their_boxes() {
    QFETCH(QString, form);
    OpenDialog open{create_dialog(form)};
    open.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(open.dialog));
    QPlainTextEdit* text = text_box(open.dialog);
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
      QVERIFY2(block.layout()->lineCount() <= 1, qPrintable(block.text()));
    }
    if (text->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
      QCOMPARE(text->verticalScrollBar()->maximum(), 0);
    }
  }

  void close_button_closes_the_dialog_data() { add_form_rows(true); }
  void close_button_closes_the_dialog() {
    QFETCH(QString, form);
    QPointer<QDialog> dialog = create_dialog(form);
    const int result = exec_with(dialog, [](QDialog* d) { close_button(d)->click(); });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(dialog.isNull());  // deleted on close
  }

  void enter_and_escape_close_the_dialog_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter in proginfo")
        << "proginfo" << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter in stillestand")
        << "stillestand" << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Esc in Form3") << "Form3" << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("Esc in inmatningsord")
        << "inmatningsord" << int(Qt::Key_Escape) << int(QDialog::Rejected);
  }
  void enter_and_escape_close_the_dialog() {
    QFETCH(QString, form);
    QFETCH(int, key);
    QFETCH(int, result);
    QPointer<QDialog> dialog = create_dialog(form);
    const int answer = exec_with(dialog, [key](QDialog* d) {
      QPlainTextEdit* text = text_box(d);
      text->setFocus();
      QTest::keyClick(text, Qt::Key(key));
    });
    QCOMPARE(answer, result);
    QVERIFY(dialog.isNull());
  }

  void texts_state_the_model_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("phrases");
    QTest::newRow("Form3") << "Form3"
                           << QStringList{"5000 kWh/år",        "300 liter",  "900-1300 kWh per år",
                                          "2,47-3,56 kWh/dygn", "80-liters",  "45 W",
                                          "1,08 kWh/dygn",      "394 kWh/år", "80-120 liter"};
    QTest::newRow("Helpkonv") << "Helpkonv"
                              << QStringList{"\nQ_konv = C (T_panna - T_rum)^1,3\n", "1 %"};
    QTest::newRow("stillestand") << "stillestand"
                                 << QStringList{"\nQ_sb = C_1* (T_panna - T_rum)^(C_2)\n"};
    QTest::newRow("HelpHeat") << "HelpHeat"
                              << QStringList{"80/60 °C", "55/45 °C", "35 °C", "65 °C"};
    QTest::newRow("inmatningsord") << "inmatningsord" << QStringList{"\"Indata färdigt\""};
  }
  void texts_state_the_model() {
    QFETCH(QString, form);
    QFETCH(QStringList, phrases);
    OpenDialog open{create_dialog(form)};
    const QString text = text_box(open.dialog)->toPlainText();
    for (const QString& phrase : phrases) {
      QVERIFY2(text.contains(phrase), qPrintable(phrase));
    }
  }

  void proginfo_text_has_its_form() {
    OpenDialog open{varmkalk::create_proginfo(nullptr)};
    const QString text = text_box(open.dialog)->toPlainText();
    QVERIFY(text.startsWith(QLatin1Char('\t')));
    // About 2,450 characters, give or take a quarter.
    QVERIFY2(text.size() >= 1838 && text.size() <= 3063, qPrintable(QString::number(text.size())));
    for (const char* phrase : {"xxxx.dat", "xxxxsum.dat", "xxxxsum_c.dat", "15 °C", "Danmark"}) {
      QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    }
    // The columns of a daily line, in the order in which they stand.
    qsizetype from = 0;
    for (const char* column :
         {"dygnets nummer", "utetemperatur", "framledningstemperatur", "returtemperatur",
          "värmebehov", "gångtid", "dygnets verkningsgrad", "konvektionsförlust",
          "stilleståndsförlust", "rökgasförlust", "avgastemperatur", "förbränningsverkningsgrad"}) {
      const qsizetype at = text.indexOf(QString::fromUtf8(column), from);
      QVERIFY2(at >= 0, column);
      from = at + 1;
    }
  }

  void proginfo_leads_to_the_licence_and_the_data_credits() {
    OpenDialog open{varmkalk::create_proginfo(nullptr)};
    open.dialog->show();
    QTest::mouseClick(open.dialog->findChild<QPushButton*>(QStringLiteral("omknapp")),
                      Qt::LeftButton);
    auto* about = open.dialog->findChild<QDialog*>(QStringLiteral("omvarmkalk"));
    QVERIFY(about != nullptr && about->isVisible());
    const QString text = text_box(about)->toPlainText();
    for (const char* phrase : {"GNU General", "version 3", "SMHI", "Klein Tank"}) {
      QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    }
    QVERIFY(open.dialog->isVisible());
  }
};

QTEST_MAIN(HelpDialogsTest)
#include "help_dialogs_test.moc"
