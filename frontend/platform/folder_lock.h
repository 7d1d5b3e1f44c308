// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/folder_in_use.h"

#include <QLockFile>
#include <QString>

#include <variant>

namespace varmkalk {

// The lock of a working folder, held by one running VARMKALK: two windows in one folder would
// write over each other's styrfil.dat and take each other's results. The lock is the file
// `.varmkalk.lock` in the folder; the system's file lock on it ends with its process, so a lock
// left by a program that ended without removing it is taken over, and so is what is plainly no
// lock: an empty or foreign file, an empty folder of that name, a lock of this computer from
// before it last started. Another computer's lock, and what may not be removed, are named.
class FolderLock {
 public:
  explicit FolderLock(const QString& folder);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Taken: nothing. Held by a running program: who holds it. Else a Swedish message naming the
  // folder, the lock file, what stands in the way and what to do.
  struct Taken {};
  std::variant<Taken, LockHolder, QString> take();

 private:
  QString folder_;
  QLockFile lock_;
};

}  // namespace varmkalk
