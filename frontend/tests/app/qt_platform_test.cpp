// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/qt_platform.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/platform/qt_translation.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using varmkalk::QtPlatform;

Q_DECLARE_METATYPE(varmkalk::MessageIcon)

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void files_in_the_working_directory() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    QtPlatform platform;
    QVERIFY(!platform.file_exists(QStringLiteral("resultat.dat")));

    QFile file(QStringLiteral("resultat.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(platform.file_exists(QStringLiteral("resultat.dat")));

    QVERIFY(QDir().mkdir(QStringLiteral("h123.dat")));
    QVERIFY2(!platform.file_exists(QStringLiteral("h123.dat")), "a folder is no file");
  }

  void numbers_are_read_in_the_users_locale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("expected");
    QTest::newRow("Swedish comma") << "sv_SE"
                                   << "12,5" << std::optional(12.5);
    QTest::newRow("Swedish, blanks around") << "sv_SE"
                                            << " 1,5 " << std::optional(1.5);
    QTest::newRow("Swedish negative") << "sv_SE"
                                      << "-3" << std::optional(-3.0);
    QTest::newRow("point on a Swedish system") << "sv_SE"
                                               << "12.5" << std::optional<double>();
    QTest::newRow("English point") << "en_US"
                                   << "1.5" << std::optional(1.5);
    QTest::newRow("comma on an English system is no grouping") << "en_US"
                                                               << "1,5" << std::optional<double>();
    QTest::newRow("letters") << "sv_SE"
                             << "tjugo" << std::optional<double>();
    QTest::newRow("blanks only") << "sv_SE"
                                 << " " << std::optional<double>();
    QTest::newRow("empty") << "en_US"
                           << "" << std::optional<double>();
  }
  void numbers_are_read_in_the_users_locale() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(std::optional<double>, expected);
    const QtPlatform platform{QLocale(locale)};
    QCOMPARE(varmkalk::read_form_number(text, platform.locale()), expected);
  }

  void show_modal_returns_once_the_form_is_closed() {
    QtPlatform platform;
    QPointer<QDialog> form = new QDialog;
    form->setAttribute(Qt::WA_DeleteOnClose);
    bool shown_modally = false;
    QTimer::singleShot(0, form, [form, &shown_modally] {
      shown_modally = form->isVisible() && form->isModal();
      form->close();
    });
    platform.show_modal(*form);
    QVERIFY(shown_modally);
    QVERIFY2(form.isNull(), "a form that deletes itself on close is gone");
  }

  void message_box_has_title_icon_and_one_ok_button_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<varmkalk::MessageIcon>("icon");
    QTest::addColumn<QString>("shown_title");
    QTest::addColumn<QMessageBox::Icon>("shown_icon");
    QTest::newRow("exclamation") << "Data saknas" << varmkalk::MessageIcon::Exclamation
                                 << "Data saknas" << QMessageBox::Warning;
    QTest::newRow("application title, no icon")
        << "" << varmkalk::MessageIcon::None << "varmkalk" << QMessageBox::NoIcon;
  }
  void message_box_has_title_icon_and_one_ok_button() {
    QFETCH(QString, title);
    QFETCH(varmkalk::MessageIcon, icon);
    QFETCH(QString, shown_title);
    QFETCH(QMessageBox::Icon, shown_icon);
    QCoreApplication::setApplicationName(QStringLiteral("varmkalk"));
    QtPlatform platform;
    QString seen_title;
    QString seen_text;
    QMessageBox::Icon seen_icon = QMessageBox::Critical;
    qsizetype seen_buttons = 0;
    QTimer::singleShot(0, this, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
          seen_title = box->windowTitle();
          seen_text = box->text();
          seen_icon = box->icon();
          seen_buttons = box->buttons().size();
          box->button(QMessageBox::Ok)->click();
        }
      }
    });
    platform.message_box(nullptr, title, QStringLiteral("Alla nödvändiga fält är inte ifyllda"),
                         icon);
    QCOMPARE(seen_title, shown_title);
    QCOMPARE(seen_text, QStringLiteral("Alla nödvändiga fält är inte ifyllda"));
    QCOMPARE(seen_icon, shown_icon);
    QCOMPARE(seen_buttons, qsizetype{1});
  }

  void numbers_are_shown_in_the_users_locale_without_grouping() {
    QCOMPARE(QtPlatform(QLocale(QStringLiteral("sv_SE"))).locale().toString(18500.5),
             QStringLiteral("18500,5"));
    QCOMPARE(QtPlatform(QLocale(QStringLiteral("en_US"))).locale().toString(18500.0),
             QStringLiteral("18500"));
  }

  void question_has_swedish_buttons_and_returns_the_answer_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Ja") << "Ja" << true;
    QTest::newRow("Nej") << "Nej" << false;
  }
  void question_has_swedish_buttons_and_returns_the_answer() {
    QFETCH(QString, button);
    QFETCH(bool, answer);
    QtPlatform platform;
    QStringList captions;
    QTimer::singleShot(0, this, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
          for (QAbstractButton* shown : box->buttons()) {
            captions.append(shown->text());
          }
          for (QAbstractButton* shown : box->buttons()) {
            if (shown->text() == button) {
              shown->click();
            }
          }
        }
      }
    });
    QCOMPARE(platform.ask_yes_no(nullptr, QStringLiteral("Beräkningen tar lång tid"),
                                 QStringLiteral("Vill du avbryta beräkningen?")),
             answer);
    captions.sort();
    QCOMPARE(captions, (QStringList{"Ja", "Nej"}));
  }

  // The time-limit question closed through its frame or with Esc stops nothing: the engine goes
  // on and the question comes again.
  void question_closed_without_an_answer_is_nej_data() {
    QTest::addColumn<bool>("escape_key");
    QTest::newRow("window frame") << false;
    QTest::newRow("Esc") << true;
  }
  void question_closed_without_an_answer_is_nej() {
    QFETCH(bool, escape_key);
    QtPlatform platform;
    bool closed = false;
    QTimer::singleShot(0, this, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
          if (escape_key) {
            QTest::keyClick(box, Qt::Key_Escape);
          } else {
            box->close();
          }
          closed = true;
        }
      }
    });
    QVERIFY(!platform.ask_yes_no(nullptr, QStringLiteral("Beräkningen tar lång tid"),
                                 QStringLiteral("Vill du avbryta beräkningen?")));
    QVERIFY(closed);
  }

  // Qt's own texts follow the locale: English elsewhere, Swedish under sv_SE, the standard
  // buttons and a text field's context menu among them. Runs last: a translation stays
  // installed.
  void qt_texts_are_swedish_under_a_swedish_locale() {
    const auto texts = [] {
      QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
      QLineEdit field;
      std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
      return QStringList{box.button(QDialogButtonBox::Ok)->text(),
                         box.button(QDialogButtonBox::Cancel)->text(),
                         box.button(QDialogButtonBox::Yes)->text(),
                         menu->actions().front()->text().section(QLatin1Char('\t'), 0, 0)};
    };
    QVERIFY(!varmkalk::install_qt_translations(*qApp, QLocale(QLocale::English)));
    QCOMPARE(texts(), (QStringList{"OK", "Cancel", "&Yes", "&Undo"}));
    QVERIFY(varmkalk::install_qt_translations(*qApp, QLocale(QLocale::Swedish, QLocale::Sweden)));
    QCOMPARE(texts(), (QStringList{"OK", "Avbryt", "&Ja", "&Ångra"}));
  }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
