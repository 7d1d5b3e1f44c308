// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/working_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include "frontend/app/main_menu.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/support/read_only_folder.h"

using varmkalk::FileError;

// Where the program settles at its start, with a temporary home folder: the home folder's own
// documents folder is where a desktop start leads.
class WorkingFolderTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("HOME", home_->path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    documents_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY2(documents_.startsWith(home_->path()), qPrintable(documents_));
    QVERIFY(QDir().mkpath(home_->filePath(QStringLiteral("projekt/hus"))));
  }

  void chooses_a_sensible_folder_data() {
    QTest::addColumn<QString>("started_in");  // relative to the home folder; "/" the root
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");  // relative to the home folder; "docs" its documents
    QTest::newRow("home folder") << "" << QStringList{} << "docs";
    QTest::newRow("root folder") << "/" << QStringList{} << "docs";
    QTest::newRow("a folder of the user's") << "projekt/hus" << QStringList{} << "projekt/hus";
    QTest::newRow("a folder named on the command line")
        << "" << QStringList{QStringLiteral("-style=fusion"), QStringLiteral("projekt/ny")}
        << "projekt/ny";
  }
  void chooses_a_sensible_folder() {
    QFETCH(QString, started_in);
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const QString current = started_in == QStringLiteral("/") ? started_in : home(started_in);
    const auto chosen = varmkalk::choose_working_folder(arguments, folders(current));
    QVERIFY(std::holds_alternative<QString>(chosen));
    const QString folder = expected == QStringLiteral("docs")
                               ? QDir(documents_).filePath(QStringLiteral("VARMKALK"))
                               : home(expected);
    QCOMPARE(std::get<QString>(chosen), folder);
    QVERIFY(QDir(folder).exists());

    // The menu names the folder it works in.
    QVERIFY(QDir::setCurrent(folder));
    varmkalk::testing::FakePlatform platform;
    const varmkalk::MainMenu menu(platform);
    QVERIFY(menu.windowTitle().endsWith(QDir::toNativeSeparators(folder)));
  }

  void a_folder_the_user_cannot_write_leads_to_the_documents_folder() {
    const QString locked = home(QStringLiteral("projekt/hus"));
    const varmkalk::testing::ReadOnlyFolder read_only(locked);
    if (!read_only.holds()) {
      QSKIP("no way to stop this user from writing into a folder");
    }
    const auto chosen = varmkalk::choose_working_folder({}, folders(locked));
    QCOMPARE(std::get<QString>(chosen), QDir(documents_).filePath(QStringLiteral("VARMKALK")));
  }

  void a_folder_that_cannot_be_made_is_named() {
    // The documents folder's place is taken by a file: no folder can be made there.
    QFile blocker(documents_);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto chosen = varmkalk::choose_working_folder({}, folders(home_->path()));
    const auto* error = std::get_if<FileError>(&chosen);
    QVERIFY(error != nullptr);
    QVERIFY2(error->message.contains(QDir::toNativeSeparators(documents_)),
             qPrintable(error->message));
    QFile::remove(documents_);
  }

  // Without a usable HOME the documents folder cannot be found: refused, naming HOME, wherever it
  // would be needed; a start that does not need it goes on.
  void a_missing_home_is_named_when_the_documents_folder_is_needed_data() {
    QTest::addColumn<QString>("home");        // "unset", "empty" or "gone"
    QTest::addColumn<QString>("started_in");  // "/", "read-only", "writable" or "argument"
    for (const char* home : {"unset", "empty", "gone"}) {
      for (const char* start : {"/", "read-only", "writable", "argument"}) {
        QTest::addRow("%s, %s", home, start) << home << start;
      }
    }
  }
  void a_missing_home_is_named_when_the_documents_folder_is_needed() {
    QFETCH(QString, home);
    QFETCH(QString, started_in);
    const QString gone = home_->filePath(QStringLiteral("borta"));
    const QString home_value = home == QStringLiteral("gone")    ? gone
                               : home == QStringLiteral("empty") ? QStringLiteral("")
                                                                 : QString();
    const QString folder = this->home(QStringLiteral("projekt/hus"));
    std::optional<varmkalk::testing::ReadOnlyFolder> read_only;
    if (started_in == QStringLiteral("read-only")) {
      read_only.emplace(folder);
      if (!read_only->holds()) {
        QSKIP("no way to stop this user from writing into a folder");
      }
    }
    const bool in_folder = started_in == QStringLiteral("writable") || read_only;
    // Qt's documents folder for such a HOME.
    const auto chosen = varmkalk::choose_working_folder(
        started_in == QStringLiteral("argument") ? QStringList{folder} : QStringList{},
        {in_folder ? folder : QStringLiteral("/"), home_value, home_value + "/Documents"});
    if (started_in == QStringLiteral("writable") || started_in == QStringLiteral("argument")) {
      QCOMPARE(std::get<QString>(chosen), folder);
      return;
    }
    const QString message = std::get<FileError>(chosen).message;
    QVERIFY2(message.contains(home == QStringLiteral("gone") ? gone + ", som inte finns"
                                                             : QStringLiteral("HOME, som anger")),
             qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("varmkalk MAPP")), qPrintable(message));
    QVERIFY(!QFileInfo::exists(gone));
  }

 private:
  QString home(const QString& relative) const {
    return relative.isEmpty() ? home_->path() : QDir(home_->path()).filePath(relative);
  }
  varmkalk::StartFolders folders(const QString& current) const {
    return {current, home_->path(), documents_};
  }

  std::unique_ptr<QTemporaryDir> home_;
  QString documents_;
};

QTEST_MAIN(WorkingFolderTest)
#include "working_folder_test.moc"
