// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace varmkalk {

// The file in a working folder whose presence, held by a running VARMKALK, locks the folder.
inline constexpr char kLockFileName[] = ".varmkalk.lock";

// The program that holds a working folder's lock, as its lock file names it; a process id of 0
// when the file could not be read.
struct LockHolder {
  qint64 process_id = 0;
  QString host;
  QString program;
  // The computer's lasting identity and that of its current start, where the file gives them.
  QByteArray machine_id;
  QByteArray boot_id;
};

// The holder a lock file's text names: the process id, the program, the computer's name and,
// where given, its identities, one a line. Nothing when the text names no process.
std::optional<LockHolder> lock_holder_from(const QByteArray& contents);

// The computer this program runs on, to be told apart from the one a lock file names.
struct ThisComputer {
  QString host;
  QByteArray machine_id;
  QByteArray boot_id;
};

// What stands at the lock file's name when the lock could not be made there: a file that may be
// a lock, an empty folder, a folder with something in it, or anything else (a link, a pipe, a
// file too large for a lock).
enum class LockEntry { file, empty_folder, folder, other };
// Whether a running process holds the system's lock on that file.
enum class SystemLock { held, free, unknown };

struct LockFinding {
  LockEntry entry = LockEntry::file;
  SystemLock system_lock = SystemLock::unknown;
  // The holder a file names; nothing for a file that names none (empty, cut short, foreign).
  std::optional<LockHolder> holder;
  // A process of the holder's id runs on this computer.
  bool holder_running = false;
};

enum class LockVerdict {
  take_over,       // plainly no lock: removed and taken
  in_use,          // a VARMKALK of this computer may work in the folder
  other_computer,  // the lock of another computer, which this one cannot see into
  in_the_way,      // no lock, but nothing that may be removed
};

LockVerdict judge_lock(const LockFinding& finding, const ThisComputer& here);

// The Swedish message of a second VARMKALK started on a folder that `holder` works in: which
// folder, which process, why both cannot work there, and the way on.
QString folder_in_use_message(const QString& folder, const LockHolder& holder);
// A lock another computer's VARMKALK left: whose it is, and how the user frees the folder.
QString lock_of_other_computer_message(const QString& folder, const LockHolder& holder);
// A folder or other entry of the lock file's name that cannot be removed: what to do with it.
QString lock_name_in_the_way_message(const QString& folder, LockEntry entry);
// A lock plainly left behind that cannot be removed: who owns it, why, and what to do.
QString lock_not_removable_message(const QString& folder, const QString& owner,
                                   const QString& reason);

}  // namespace varmkalk
