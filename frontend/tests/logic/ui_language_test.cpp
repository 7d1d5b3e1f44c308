// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' language: the system's first UI language, or "--lang" for one start; the option
// leaves the other arguments in their order and refuses what it cannot take.
#include "frontend/logic/run/ui_language.h"

#include <QTest>

#include <variant>

using varmkalk::UiLanguage;

Q_DECLARE_METATYPE(UiLanguage)

class UiLanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void the_first_system_language_decides_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<UiLanguage>("language");
    QTest::newRow("Swedish") << QStringList{"sv-SE", "en-US"} << UiLanguage::swedish;
    QTest::newRow("Swedish of Finland") << QStringList{"sv_FI"} << UiLanguage::swedish;
    QTest::newRow("C") << QStringList{"C"} << UiLanguage::swedish;
    QTest::newRow("POSIX") << QStringList{"POSIX"} << UiLanguage::swedish;
    QTest::newRow("none") << QStringList{} << UiLanguage::swedish;
    QTest::newRow("English") << QStringList{"en-GB", "sv-SE"} << UiLanguage::english;
    QTest::newRow("Norwegian before Swedish")
        << QStringList{"nb-NO", "sv-SE"} << UiLanguage::english;
    QTest::newRow("German") << QStringList{"de"} << UiLanguage::english;
  }
  void the_first_system_language_decides() {
    QFETCH(QStringList, languages);
    QFETCH(UiLanguage, language);
    QCOMPARE(varmkalk::system_ui_language(languages), language);
  }

  void the_option_chooses_for_one_start() {
    const auto spaced = varmkalk::start_arguments({"--lang", "en", "/tmp/hus"});
    const auto& read = std::get<varmkalk::StartArguments>(spaced);
    QCOMPARE(read.language, std::optional(UiLanguage::english));
    QCOMPARE(read.rest, QStringList{"/tmp/hus"});
    const auto joined = varmkalk::start_arguments({"/tmp/hus", "--lang=sv"});
    QCOMPARE(std::get<varmkalk::StartArguments>(joined).language,
             std::optional(UiLanguage::swedish));
    QCOMPARE(std::get<varmkalk::StartArguments>(joined).rest, QStringList{"/tmp/hus"});
    const auto none = varmkalk::start_arguments({"mapp"});
    QVERIFY(!std::get<varmkalk::StartArguments>(none).language);

    const auto unknown = varmkalk::start_arguments({"--lang", "fr"});
    QVERIFY2(std::get<QString>(unknown).contains(QStringLiteral("\"fr\"")),
             qPrintable(std::get<QString>(unknown)));
    QVERIFY(std::holds_alternative<QString>(varmkalk::start_arguments({"--lang"})));
    QVERIFY(std::holds_alternative<QString>(varmkalk::start_arguments({"--lang="})));
  }

  void qt_texts_take_the_language() {
    QCOMPARE(varmkalk::ui_locale(UiLanguage::swedish).language(), QLocale::Swedish);
    QCOMPARE(varmkalk::ui_locale(UiLanguage::english).language(), QLocale::English);
  }
};

QTEST_MAIN(UiLanguageTest)
#include "ui_language_test.moc"
