// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/folder_in_use.h"

#include <QTest>

#include <optional>

using varmkalk::LockEntry;
using varmkalk::LockFinding;
using varmkalk::LockHolder;
using varmkalk::LockVerdict;
using varmkalk::SystemLock;

Q_DECLARE_METATYPE(LockEntry)
Q_DECLARE_METATYPE(SystemLock)
Q_DECLARE_METATYPE(LockVerdict)

namespace {

const varmkalk::ThisComputer kHere{QStringLiteral("kontoret"), "aaaa1111", "boot-nu"};

// A lock file as Qt writes it: process, program, computer, its identity and its start's.
QByteArray lock_text(const char* host, const char* machine, const char* boot) {
  return QByteArray("4711\nvarmkalk\n") + host + '\n' + machine + '\n' + boot + '\n';
}

}  // namespace

// Which lock is plainly none and is taken over, and what the user is told of the others.
class FolderInUseTest : public QObject {
  Q_OBJECT

 private slots:
  void reads_the_holder_a_lock_file_names_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<qint64>("process_id");  // 0: no holder
    QTest::addColumn<QString>("host");
    QTest::newRow("as Qt writes it")
        << lock_text("kontoret", "aaaa1111", "boot-nu") << 4711LL << "kontoret";
    QTest::newRow("before machine identities")
        << QByteArray("12\nvarmkalk\nlabbet\n") << 12LL << "labbet";
    QTest::newRow("CR LF from another system")
        << QByteArray("12\r\nvarmkalk\r\nlabbet\r\n") << 12LL << "labbet";
    QTest::newRow("empty") << QByteArray() << 0LL << "";
    QTest::newRow("blank lines") << QByteArray("\n\n\n") << 0LL << "";
    QTest::newRow("no number") << QByteArray("varmkalk\n12\n") << 0LL << "";
    QTest::newRow("zero") << QByteArray("0\nvarmkalk\nlabbet\n") << 0LL << "";
    QTest::newRow("negative") << QByteArray("-5\nvarmkalk\nlabbet\n") << 0LL << "";
    QTest::newRow("zeros of a lost disk block") << QByteArray(64, '\0') << 0LL << "";
  }
  void reads_the_holder_a_lock_file_names() {
    QFETCH(QByteArray, contents);
    QFETCH(qint64, process_id);
    QFETCH(QString, host);
    const std::optional<LockHolder> holder = varmkalk::lock_holder_from(contents);
    QCOMPARE(holder.has_value(), process_id > 0);
    if (holder) {
      QCOMPARE(holder->process_id, process_id);
      QCOMPARE(holder->host, host);
      QCOMPARE(holder->program, QStringLiteral("varmkalk"));
    }
  }

  void judges_what_stands_at_the_lock_name_data() {
    QTest::addColumn<LockEntry>("entry");
    QTest::addColumn<SystemLock>("system_lock");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("running");
    QTest::addColumn<LockVerdict>("verdict");
    const QByteArray here = lock_text("kontoret", "aaaa1111", "boot-nu");
    for (const SystemLock lock : {SystemLock::free, SystemLock::unknown}) {
      const char* how = lock == SystemLock::free ? "free" : "unknown";
      QTest::addRow("empty file, %s", how)
          << LockEntry::file << lock << QByteArray() << false << LockVerdict::take_over;
      QTest::addRow("this computer, process gone, %s", how)
          << LockEntry::file << lock << here << false << LockVerdict::take_over;
      QTest::addRow("this computer, process runs, %s", how)
          << LockEntry::file << lock << here << true << LockVerdict::in_use;
      QTest::addRow("this computer before its start, %s", how)
          << LockEntry::file << lock << lock_text("kontoret", "aaaa1111", "boot-förr") << true
          << LockVerdict::take_over;
      QTest::addRow("renamed computer, %s", how)
          << LockEntry::file << lock << lock_text("nytt-namn", "aaaa1111", "boot-nu") << true
          << LockVerdict::in_use;
      QTest::addRow("another computer, %s", how)
          << LockEntry::file << lock << lock_text("labbet", "bbbb2222", "boot-nu") << false
          << LockVerdict::other_computer;
      QTest::addRow("namesake computer, %s", how)
          << LockEntry::file << lock << lock_text("kontoret", "bbbb2222", "boot-nu") << false
          << LockVerdict::other_computer;
      QTest::addRow("another computer before machine identities, %s", how)
          << LockEntry::file << lock << QByteArray("12\nvarmkalk\nlabbet\n") << false
          << LockVerdict::other_computer;
    }
    // A running program holds it: whatever the file says.
    QTest::newRow("held, empty") << LockEntry::file << SystemLock::held << QByteArray() << false
                                 << LockVerdict::in_use;
    QTest::newRow("held, process gone")
        << LockEntry::file << SystemLock::held << here << false << LockVerdict::in_use;
    QTest::newRow("empty folder") << LockEntry::empty_folder << SystemLock::unknown << QByteArray()
                                  << false << LockVerdict::take_over;
    QTest::newRow("folder with files") << LockEntry::folder << SystemLock::unknown << QByteArray()
                                       << false << LockVerdict::in_the_way;
    QTest::newRow("link or pipe") << LockEntry::other << SystemLock::unknown << QByteArray()
                                  << false << LockVerdict::in_the_way;
  }
  void judges_what_stands_at_the_lock_name() {
    QFETCH(LockEntry, entry);
    QFETCH(SystemLock, system_lock);
    QFETCH(QByteArray, contents);
    QFETCH(bool, running);
    QFETCH(LockVerdict, verdict);
    const LockFinding finding{entry, system_lock, varmkalk::lock_holder_from(contents), running};
    QCOMPARE(varmkalk::judge_lock(finding, kHere), verdict);
  }

  // Every message names the folder, the lock file and the way on; the holder or owner where known.
  void messages_name_the_lock_file_and_what_to_do_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("named");
    const QString folder = QStringLiteral("/delad/hus");
    LockHolder holder;
    holder.process_id = 4711;
    holder.program = QStringLiteral("varmkalk");
    holder.host = QStringLiteral("labbet");
    QTest::newRow("in use") << varmkalk::folder_in_use_message(folder, holder)
                            << QStringList{"varmkalk (process 4711) på datorn labbet",
                                           "annan arbetsmapp"};
    QTest::newRow("in use, holder unread")
        << varmkalk::folder_in_use_message(folder, LockHolder{})
        << QStringList{"inte kunde läsas ur låsfilen", "annan arbetsmapp"};
    QTest::newRow("another computer")
        << varmkalk::lock_of_other_computer_message(folder, holder)
        << QStringList{"varmkalk (process 4711) på datorn labbet", "ta bort filen .varmkalk.lock",
                       "annan arbetsmapp"};
    QTest::newRow("folder in the way")
        << varmkalk::lock_name_in_the_way_message(folder, LockEntry::folder)
        << QStringList{"en mapp som inte är tom", "Byt namn", "annan arbetsmapp"};
    QTest::newRow("cannot be removed")
        << varmkalk::lock_not_removable_message(folder, QStringLiteral("greta"),
                                                QStringLiteral("åtkomst nekad"))
        << QStringList{"användaren greta", "åtkomst nekad", "Be greta", "annan arbetsmapp"};
  }
  void messages_name_the_lock_file_and_what_to_do() {
    QFETCH(QString, message);
    QFETCH(QStringList, named);
    for (const QString& part : named + QStringList{"/delad/hus", ".varmkalk.lock"}) {
      QVERIFY2(message.contains(part), qPrintable(part + QStringLiteral(" in: ") + message));
    }
  }
};

QTEST_MAIN(FolderInUseTest)
#include "folder_in_use_test.moc"
