// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class CalcIdentityTest : public QObject {
  Q_OBJECT
 private slots:
  void pads_like_the_engine() {
    const std::array<QString, 3> expected{QStringLiteral("ab  .dat"), QStringLiteral("ab  sum.dat"),
                                          QStringLiteral("ab  sum_c.dat")};
    QCOMPARE(varmkalk::identity_file_names(QStringLiteral("ab")), expected);
  }

  void refuses_identities_the_files_cannot_carry_data() {
    QTest::addColumn<QString>("identity");
    QTest::addColumn<bool>("refused");
    QTest::newRow("four characters") << "h123" << false;
    QTest::newRow("two characters") << "ab" << false;
    QTest::newRow("punctuation and a blank") << "A-1 " << false;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << true;
    QTest::newRow("slash") << "a/b" << true;
    QTest::newRow("backslash") << "a\\b" << true;
    QTest::newRow("tab") << "a\tb" << true;
    QTest::newRow("delete character") << "a\x7f" << true;
    QTest::newRow("Swedish letter") << "år" << true;
    QTest::newRow("five characters") << "abcde" << true;
  }
  void refuses_identities_the_files_cannot_carry() {
    QFETCH(QString, identity);
    QFETCH(bool, refused);
    const std::optional<QString> refusal = varmkalk::identity_refusal(identity);
    QCOMPARE(refusal.has_value(), refused);
    QVERIFY(!refusal || !refusal->isEmpty());
  }

  // A new identity names files that are the same on Windows; a kept one is read as it was.
  void refuses_new_identities_windows_would_take_otherwise_data() {
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("refusal");  // part of it; empty: taken
    QTest::newRow("two characters, padded") << "ab"
                                            << "";
    QTest::newRow("a point") << "a.b"
                             << "";
    QTest::newRow("nul") << "nul"
                         << "Beräkningsidentiteten nul är enhetsnamnet nul i Windows";
    QTest::newRow("NUL with a blank") << "NUL "
                                      << "är enhetsnamnet NUL i Windows";
    QTest::newRow("com1") << "com1"
                          << "är enhetsnamnet com1";
    QTest::newRow("con and a point") << "con."
                                     << "är enhetsnamnet con";
    QTest::newRow("relative to a drive") << "c:ab"
                                         << "innehåller tecknet :";
    QTest::newRow("question mark") << "ab?"
                                   << "innehåller tecknet ?";
    QTest::newRow("asterisk") << "*"
                              << "innehåller tecknet *";
    QTest::newRow("slash, as before") << "a/b"
                                      << "inte å, ä, ö, / eller \\";
  }
  void refuses_new_identities_windows_would_take_otherwise() {
    QFETCH(QString, identity);
    QFETCH(QString, refusal);
    const std::optional<QString> refused = varmkalk::new_identity_refusal(identity);
    QCOMPARE(refused.has_value(), !refusal.isEmpty());
    if (refused) {
      QVERIFY2(refused->contains(refusal), qPrintable(*refused));
      QVERIFY(!varmkalk::identity_refusal(identity) || refusal.contains(QLatin1Char('/')));
    }
  }

  void in_use_when_any_padded_identity_file_exists_data() {
    QTest::addColumn<QString>("existing_file");
    QTest::addColumn<bool>("in_use");
    QTest::newRow("raw result file") << "ab  .dat" << true;
    QTest::newRow("summary file") << "ab  sum.dat" << true;
    QTest::newRow("pump result file") << "ab  sum_c.dat" << true;
    QTest::newRow("inputs file") << "ab  indata.json" << true;
    // The engine would create "ab  .dat", which does not clash with "ab.dat".
    QTest::newRow("unpadded name") << "ab.dat" << false;
    QTest::newRow("other identity") << "abc sum.dat" << false;
  }
  void in_use_when_any_padded_identity_file_exists() {
    QFETCH(QString, existing_file);
    QFETCH(bool, in_use);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile file(QDir(folder.path()).filePath(existing_file));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(varmkalk::identity_in_use(folder.path(), QStringLiteral("ab")), in_use);
  }

  void in_use_message_has_the_systems_text() {
    QCOMPARE(varmkalk::identity_in_use_message(QStringLiteral("ab")),
             QStringLiteral("Beräkningsidentiteten ab finns redan.\n"
                            "   Välj en annan beräkningidentitet."));
  }
};

QTEST_GUILESS_MAIN(CalcIdentityTest)
#include "calc_identity_test.moc"
