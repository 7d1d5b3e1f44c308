// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/working_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <optional>

#include "frontend/app/folder_claim.h"
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

  // What stands at .varmkalk.lock and is plainly no lock is taken over, without a question; the
  // rest stays as it is and is named, with what to do.
  void a_lock_that_is_no_lock_never_locks_out_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("named");  // empty: taken over
    QTest::newRow("empty file") << "empty file" << QStringList{};
    QTest::newRow("empty folder") << "empty folder" << QStringList{};
    // Another user's lock is one this user may not write; the folder lets it be removed.
    QTest::newRow("read-only lock of an ended process") << "ended" << QStringList{};
    QTest::newRow("lock of this computer before it started") << "before start" << QStringList{};
    QTest::newRow("folder with a file")
        << "folder" << QStringList{".varmkalk.lock", "en mapp som inte är tom", "Byt namn"};
    QTest::newRow("another computer's lock")
        << "other computer"
        << QStringList{".varmkalk.lock", "process 4711) på datorn labbet", "ta bort filen"};
    QTest::newRow("file too large for a lock")
        << "large" << QStringList{".varmkalk.lock", "något annat än en låsfil"};
  }
  void a_lock_that_is_no_lock_never_locks_out() {
    QFETCH(QString, entry);
    QFETCH(QStringList, named);
    const QString folder = home(QStringLiteral("projekt/hus"));
    const QString lock = QDir(folder).filePath(QStringLiteral(".varmkalk.lock"));
    const QByteArray this_computer =
        QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n';
    QByteArray contents;
    if (entry == QStringLiteral("ended")) {
      const pid_t ended = fork();
      if (ended == 0) {
        _exit(0);
      }
      QCOMPARE(waitpid(ended, nullptr, 0), ended);
      contents = QByteArray::number(ended) + "\nvarmkalk\n" + this_computer +
                 QSysInfo::bootUniqueId() + '\n';
    } else if (entry == QStringLiteral("before start")) {
      if (QSysInfo::bootUniqueId().isEmpty()) {
        QSKIP("this system tells no identity of its start");
      }
      // This very process, which runs, but in a start of the computer that is over.
      contents = QByteArray::number(QCoreApplication::applicationPid()) + "\nvarmkalk\n" +
                 this_computer + "start-som-varit\n";
    } else if (entry == QStringLiteral("other computer")) {
      contents = "4711\nvarmkalk\nlabbet\nbbbb2222\nboot\n";
    } else if (entry == QStringLiteral("large")) {
      contents = QByteArray(5000, 'x');
    }
    if (entry.endsWith(QStringLiteral("folder"))) {
      QVERIFY(QDir().mkpath(lock));
      if (entry == QStringLiteral("folder")) {
        QFile inside(QDir(lock).filePath(QStringLiteral("anteckning.txt")));
        QVERIFY(inside.open(QIODevice::WriteOnly));
      }
    } else {
      QFile file(lock);
      QVERIFY(file.open(QIODevice::WriteOnly));
      QCOMPARE(file.write(contents), contents.size());
      file.close();
      if (entry == QStringLiteral("ended")) {
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadOther));
      }
    }

    varmkalk::testing::FakePlatform platform;
    const std::optional<varmkalk::ClaimedFolder> claimed =
        varmkalk::claim_working_folder(platform, folder, folders(folder));
    if (named.isEmpty()) {
      QVERIFY(claimed);
      QVERIFY(platform.questions.empty());
      QFile taken(lock);
      QVERIFY(taken.open(QIODevice::ReadOnly));
      QVERIFY(taken.readLine().startsWith(QByteArray::number(QCoreApplication::applicationPid())));
      return;
    }
    QVERIFY(!claimed);
    QCOMPARE(platform.questions.size(), std::size_t{1});
    const QString text = platform.questions.front().text;
    for (const QString& part : named + QStringList{QDir::toNativeSeparators(folder)}) {
      QVERIFY2(text.contains(part), qPrintable(text));
    }
    // Nothing of it is gone.
    if (entry == QStringLiteral("folder")) {
      QVERIFY(QFile::exists(QDir(lock).filePath(QStringLiteral("anteckning.txt"))));
    } else {
      QFile kept(lock);
      QVERIFY(kept.open(QIODevice::ReadOnly));
      QCOMPARE(kept.readAll(), contents);
    }
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
