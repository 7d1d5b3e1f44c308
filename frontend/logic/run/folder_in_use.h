// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varmkalk {

// The program that holds a working folder's lock, as its lock file names it; a process id of 0
// when the file could not be read.
struct LockHolder {
  qint64 process_id = 0;
  QString host;
  QString program;
};

// The Swedish message of a second VARMKALK started on a folder that `holder` works in: which
// folder, which process, why both cannot work there, and the way on.
QString folder_in_use_message(const QString& folder, const LockHolder& holder);

}  // namespace varmkalk
