// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/folder_lock.h"

#include "core/files/system_error_text.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>

namespace varmkalk {

namespace {

// A lock file holds five short lines; more is no lock file of ours.
constexpr qint64 kLockFileMost = 4096;

ThisComputer this_computer() {
  return {QSysInfo::machineHostName(), QSysInfo::machineUniqueId(), QSysInfo::bootUniqueId()};
}

// A file opened for reading, closed with the object.
class OpenFile {
 public:
  explicit OpenFile(const QString& path)
      : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }

  // A running VARMKALK holds the system's lock on its lock file until it ends, however it ends.
  // Taken here, it keeps any other program from taking the file while this one looks at it.
  SystemLock take_system_lock() const {
    if (fd_ < 0) {
      return SystemLock::unknown;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      return SystemLock::free;
    }
    return errno == EWOULDBLOCK ? SystemLock::held : SystemLock::unknown;
  }

 private:
  int fd_;
};

bool process_runs(qint64 process_id) {
  const auto pid = static_cast<pid_t>(process_id);
  return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

LockFinding find_lock(const QString& path) {
  LockFinding finding;
  const QFileInfo entry(path);
  // A file larger than any lock file is kept, whatever it is.
  if (entry.isSymLink() || (!entry.isDir() && !entry.isFile()) ||
      (entry.isFile() && entry.size() > kLockFileMost)) {
    finding.entry = LockEntry::other;
    return finding;
  }
  if (entry.isDir()) {
    finding.entry =
        QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
            ? LockEntry::empty_folder
            : LockEntry::folder;
    return finding;
  }
  finding.system_lock = OpenFile(path).take_system_lock();
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    finding.holder = lock_holder_from(file.read(kLockFileMost));
  }
  finding.holder_running = finding.holder && process_runs(finding.holder->process_id);
  return finding;
}

// Removes what stands at the lock's name and is plainly no lock; the reason when it cannot. A
// file some program took the system's lock on in the meantime stays, as that program's lock.
QString clear_away(const QString& path, LockEntry entry) {
  const QByteArray name = QFile::encodeName(path);
  if (entry == LockEntry::empty_folder) {
    // Removes a folder only while it is empty.
    return ::rmdir(name.constData()) == 0 ? QString()
                                          : QString::fromStdString(core::system_error_text(errno));
  }
  const OpenFile file(path);
  if (file.take_system_lock() == SystemLock::held) {
    return QString();
  }
  return ::unlink(name.constData()) == 0 ? QString()
                                         : QString::fromStdString(core::system_error_text(errno));
}

}  // namespace

FolderLock::FolderLock(const QString& folder)
    : folder_(folder), lock_(QDir(folder).filePath(QLatin1String(kLockFileName))) {
  // Held for the whole run of the program, however long: never stale by its age, only when its
  // process has ended.
  lock_.setStaleLockTime(0);
}

std::variant<FolderLock::Taken, LockHolder, QString> FolderLock::take() {
  if (lock_.tryLock(0)) {
    return Taken{};
  }
  const QString shown = QDir::toNativeSeparators(folder_);
  if (lock_.error() != QLockFile::LockFailedError) {
    return QStringLiteral(
               "Arbetsmappen %1 kan inte låsas: låsfilen %2 kan inte skapas. VARMKALK "
               "behöver en mapp där indata- och resultatfilerna kan sparas.")
        .arg(shown, QLatin1String(kLockFileName));
  }
  // Something stands at the lock's name that Qt does not take for a lock left behind: an empty
  // file, a folder, another user's or another computer's lock.
  const QString path = QDir(folder_).filePath(QLatin1String(kLockFileName));
  const LockFinding finding = find_lock(path);
  switch (judge_lock(finding, this_computer())) {
    case LockVerdict::in_use:
      return finding.holder.value_or(LockHolder{});
    case LockVerdict::other_computer:
      return lock_of_other_computer_message(folder_, *finding.holder);
    case LockVerdict::in_the_way:
      return lock_name_in_the_way_message(folder_, finding.entry);
    case LockVerdict::take_over:
      break;
  }
  if (const QString reason = clear_away(path, finding.entry); !reason.isEmpty()) {
    const QFileInfo entry(path);
    return lock_not_removable_message(
        folder_, entry.owner().isEmpty() ? QString::number(entry.ownerId()) : entry.owner(),
        reason);
  }
  if (lock_.tryLock(0)) {
    return Taken{};
  }
  // Another VARMKALK took the folder in the meantime.
  return find_lock(path).holder.value_or(LockHolder{});
}

}  // namespace varmkalk
