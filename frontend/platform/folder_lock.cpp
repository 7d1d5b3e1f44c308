// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/folder_lock.h"

#include <QDir>

namespace varmkalk {

namespace {

const QString kLockFileName = QStringLiteral(".varmkalk.lock");

}  // namespace

FolderLock::FolderLock(const QString& folder)
    : folder_(folder), lock_(QDir(folder).filePath(kLockFileName)) {
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
        .arg(shown, kLockFileName);
  }
  LockHolder holder;
  if (!lock_.getLockInfo(&holder.process_id, &holder.host, &holder.program)) {
    holder.process_id = 0;
  }
  return holder;
}

}  // namespace varmkalk
