// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/folder_in_use.h"

#include <QLockFile>
#include <QString>

#include <variant>

namespace varmkalk {

// The lock of a working folder, held by one running VARMKALK: two windows in one folder would
// write over each other's styrfil.dat and take each other's results. The lock is a file in the
// folder; the system's file lock on it ends with its process, so a lock left by a program that
// ended without removing it is taken over.
class FolderLock {
 public:
  explicit FolderLock(const QString& folder);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Taken: nothing. Held by a running program: who holds it. The lock file cannot be made:
  // a Swedish message naming the folder and the reason.
  struct Taken {};
  std::variant<Taken, LockHolder, QString> take();

 private:
  QString folder_;
  QLockFile lock_;
};

}  // namespace varmkalk
