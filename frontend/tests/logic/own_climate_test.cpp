// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/own_climate.h"
#include "frontend/tests/support/file_bytes.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using varmkalk::testing::write_file;

namespace {

// A year of daily means as a plain table: 365 days from 1 January 2009, from -10.0 °C up.
QByteArray table_of_2009() {
  QByteArray table = "datum;temperatur\n";
  QDate date(2009, 1, 1);
  for (int day = 0; day < 365; ++day, date = date.addDays(1)) {
    table += date.toString(Qt::ISODate).toLatin1() + ';' +
             QByteArray::number((day - 100) / 10.0, 'f', 1) + '\n';
  }
  return table;
}

}  // namespace

class OwnClimateTest : public QObject {
  Q_OBJECT
 private slots:
  void imports_into_a_new_file_that_the_form_then_offers() {
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("Umeå 2009.csv"));
    write_file(source, table_of_2009());
    write_file(folder.filePath(QStringLiteral("h123.dat")), "  1 -5.0 20.0\r\n");  // a result file
    write_file(folder.filePath(QStringLiteral("sthlm.dat")), "");                  // a bundled name
    QCOMPARE(varmkalk::suggested_climate_file_name(source), QStringLiteral("ume2009.dat"));

    const varmkalk::ClimateImportRequest request{source, QStringLiteral("umea.dat"), {}, false};
    const auto imported =
        varmkalk::import_climate_into(folder.path(), request, QLocale(QLocale::Swedish));
    QVERIFY(std::holds_alternative<varmkalk::ImportedClimateFile>(imported));
    const auto& file = std::get<varmkalk::ImportedClimateFile>(imported);
    // The three coldest days in a row are the first three: -10.0, -9.9 and -9.8 °C.
    QCOMPARE(file.file.suggested_design_temp_c, -9.9);
    QVERIFY2(file.summary.contains(QStringLiteral("-10,0 °C")), qPrintable(file.summary));

    const QList<varmkalk::OwnClimateFile> offered = varmkalk::own_climate_files(folder.path());
    QCOMPARE(offered.size(), 1);
    QCOMPARE(offered.front().name, QStringLiteral("umea.dat"));
    QCOMPARE(offered.front().suggested_design_temp_c, -9.9);

    // Never over an existing file, and never under an unusable name.
    // Nor under one that line 24 of the control file cannot carry.
    for (const QString& target :
         {QStringLiteral("umea.dat"), QStringLiteral("sthlm.dat"), QStringLiteral("Kiruna.dat"),
          QStringLiteral("../umea.dat"), QStringLiteral("umea.csv"), QStringLiteral("UMEA.DAT"),
          QStringLiteral("en_mycket_lang_klimatfil.dat"), QStringLiteral("Ωmega.dat")}) {
      const varmkalk::ClimateImportRequest again{source, target, {}, false};
      QVERIFY2(std::holds_alternative<varmkalk::FileError>(
                   varmkalk::import_climate_into(folder.path(), again, QLocale::c())),
               qPrintable(target));
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 4);
    // A name with Swedish letters is written and offered as it stands.
    const varmkalk::ClimateImportRequest swedish{source, QStringLiteral("umeå.dat"), {}, false};
    QVERIFY(std::holds_alternative<varmkalk::ImportedClimateFile>(
        varmkalk::import_climate_into(folder.path(), swedish, QLocale::c())));
    QCOMPARE(varmkalk::own_climate_files(folder.path()).size(), 2);
  }
};

QTEST_GUILESS_MAIN(OwnClimateTest)
#include "own_climate_test.moc"
