// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/result_files.h"
#include "frontend/tests/support/file_bytes.h"
#include "frontend/tests/support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using varmkalk::KeepFiles;
using varmkalk::testing::write_file;

namespace {

QStringList files_in(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class ResultFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void reads_the_summary_lines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    // Windows-1252: \xC5 is Å, \xE4 ä, \xF6 ö.
    QTest::newRow("CR LF, Swedish letters")
        << QByteArray("\xC5rsverkningsgrad\r\nV\xE4rmef\xF6rlust\r\n")
        << QStringList{"Årsverkningsgrad", "Värmeförlust"}
        << "Årsverkningsgrad\r\nVärmeförlust\r\n";
    QTest::newRow("empty line kept, last line unended")
        << QByteArray("rad 1\r\n\r\nrad 3") << QStringList{"rad 1", "", "rad 3"}
        << "rad 1\r\n\r\nrad 3\r\n";
    QTest::newRow("line feeds only")
        << QByteArray("a\nb\n") << QStringList{"a", "b"} << "a\r\nb\r\n";
    QTest::newRow("empty file") << QByteArray() << QStringList{} << "";
  }
  void reads_the_summary_lines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    write_file(QDir(folder.path()).filePath(QStringLiteral("resultat.dat")), bytes);
    const auto summary = varmkalk::read_summary(folder.path());
    QCOMPARE(std::get<QStringList>(summary), lines);
    QCOMPARE(varmkalk::summary_text(lines), text);
  }

  void missing_summary_is_an_error_naming_the_file() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const auto summary = varmkalk::read_summary(folder.path());
    QVERIFY(
        std::get<varmkalk::FileError>(summary).message.contains(QStringLiteral("resultat.dat")));
  }

  void refuses_a_summary_the_engine_cannot_have_written_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    QTest::newRow("NUL byte on line 2")
        << QByteArray("rad 1\r\nrad\0 2\r\n", 15) << "rad 2 innehåller byten 0x00";
    QTest::newRow("escape character")
        << QByteArray("\x1b[31mrad\r\n") << "rad 1 innehåller byten 0x1b";
    QTest::newRow("byte undefined in Windows-1252")
        << QByteArray("a\r\nb\r\nc\x81\r\n") << "rad 3 innehåller byten 0x81";
    // "Årsverkningsgrad" in UTF-8: \xC3\x85 would show as "Ã…".
    QTest::newRow("UTF-8") << QByteArray("\xC3\x85rsverkningsgrad\r\n") << "UTF-8";
    QTest::newRow("far larger than a summary") << QByteArray((1 << 20) + 1, 'x') << "byte stor";
  }
  void refuses_a_summary_the_engine_cannot_have_written() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    write_file(QDir(folder.path()).filePath(QStringLiteral("resultat.dat")), bytes);
    const auto summary = varmkalk::read_summary(folder.path());
    const auto* error = std::get_if<varmkalk::FileError>(&summary);
    QVERIFY(error != nullptr);
    QVERIFY2(
        error->message.contains(QStringLiteral("resultat.dat")) && error->message.contains(problem),
        qPrintable(error->message));
  }

  void summary_that_is_no_regular_file_is_refused_without_blocking() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("resultat.dat"));
    QVERIFY(QDir().mkdir(path));
    auto summary = varmkalk::read_summary(folder.path());
    QVERIFY(std::get<varmkalk::FileError>(summary).message.contains(
        QStringLiteral("ingen vanlig fil")));

    // Opening a pipe for reading waits for a writer that never comes.
    QVERIFY(QDir().rmdir(path));
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0) {
      QSKIP("no named pipes on this file system");
    }
    summary = varmkalk::read_summary(folder.path());
    QVERIFY(std::get<varmkalk::FileError>(summary).message.contains(
        QStringLiteral("ingen vanlig fil")));
  }

  void lists_the_files_to_delete_in_order_data() {
    QTest::addColumn<KeepFiles>("answer");
    QTest::addColumn<QString>("calc_id");
    QTest::addColumn<QStringList>("names");
    const QStringList working{"styrfil.dat", "resultat.dat"};
    QTest::newRow("Ja") << KeepFiles::Yes << "h123" << working;
    QTest::newRow("Nej") << KeepFiles::No << "h123"
                         << working + QStringList{"h123.dat", "h123sum.dat", "h123sum_c.dat",
                                                  "h123indata.json"};
    QTest::newRow("Nej, short identity padded like the engine")
        << KeepFiles::No << "ab"
        << working + QStringList{"ab  .dat", "ab  sum.dat", "ab  sum_c.dat", "ab  indata.json"};
    QTest::newRow("Nej, no identity confirmed") << KeepFiles::No << "" << working;
  }
  void lists_the_files_to_delete_in_order() {
    QFETCH(KeepFiles, answer);
    QFETCH(QString, calc_id);
    QFETCH(QStringList, names);
    QCOMPARE(varmkalk::files_to_delete(answer, calc_id), names);
  }

  void deletes_the_cycles_files_and_no_others() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // The cycle of "ab" without its sum_c file, and the files of an earlier cycle.
    for (const char* name : {"styrfil.dat", "resultat.dat", "ab  .dat", "ab  sum.dat", "h123.dat",
                             "h123sum.dat", "h123sum_c.dat", "ab.dat"}) {
      write_file(QDir(folder.path()).filePath(QString::fromLatin1(name)), "x");
    }
    const QList<varmkalk::DeletionFailure> failures = varmkalk::delete_files(
        folder.path(), varmkalk::files_to_delete(KeepFiles::No, QStringLiteral("ab")));
    QVERIFY(failures.isEmpty());
    QCOMPARE(files_in(folder.path()),
             (QStringList{"ab.dat", "h123.dat", "h123sum.dat", "h123sum_c.dat"}));
  }

  void reports_each_file_that_cannot_be_deleted() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // A folder named like a result file, with a file in it, cannot be deleted as a file by any
    // user; a dangling link is deleted like a file.
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("resultat.dat/inre")));
    QVERIFY(QFile::link(QStringLiteral("saknas"), QDir(folder.path()).filePath("ab  sum.dat")));
    write_file(QDir(folder.path()).filePath(QStringLiteral("styrfil.dat")), "x");
    const QList<varmkalk::DeletionFailure> failures = varmkalk::delete_files(
        folder.path(), varmkalk::files_to_delete(KeepFiles::No, QStringLiteral("ab")));
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.front().name, QStringLiteral("resultat.dat"));
    QVERIFY(!failures.front().reason.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("resultat.dat")});

    const QString message = varmkalk::deletion_failure_message(folder.path(), failures);
    QVERIFY(message.contains(QDir::toNativeSeparators(folder.path())));
    QVERIFY(message.contains(QStringLiteral("resultat.dat: ") + failures.front().reason));
  }

  void read_only_folder_keeps_every_file_and_names_them() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QStringList present{"styrfil.dat", "resultat.dat", "h123.dat", "h123sum.dat"};
    for (const QString& name : present) {
      write_file(QDir(folder.path()).filePath(name), "x");
    }
    const varmkalk::testing::ReadOnlyFolder read_only(folder.path());
    if (!read_only.holds()) {
      QSKIP("no way to stop this user from writing into a folder");
    }
    const QList<varmkalk::DeletionFailure> failures = varmkalk::delete_files(
        folder.path(), varmkalk::files_to_delete(KeepFiles::No, QStringLiteral("h123")));
    QStringList named;
    for (const varmkalk::DeletionFailure& failure : failures) {
      named += failure.name;
      QVERIFY(!failure.reason.isEmpty());
    }
    // h123sum_c.dat is not there: its deletion stays silent.
    QCOMPARE(named, present);
    QCOMPARE(files_in(folder.path()),
             (QStringList{"h123.dat", "h123sum.dat", "resultat.dat", "styrfil.dat"}));
  }

  void lists_the_summary_files_of_four_character_identities() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"h123sum.dat", "ab  sum.dat", "abcsum.dat", "abcdesum.dat", "h123.dat",
                             "h123sum_c.dat", "resultat.dat"}) {
      write_file(QDir(folder.path()).filePath(QString::fromLatin1(name)), "x");
    }
    QCOMPARE(varmkalk::summary_file_list(folder.path()),
             (QStringList{"ab  sum.dat", "h123sum.dat"}));
  }
};

QTEST_GUILESS_MAIN(ResultFilesTest)
#include "result_files_test.moc"
