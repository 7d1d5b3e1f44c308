// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/working_folder.h"
#include "frontend/platform/folder_lock.h"

#include <QString>

#include <memory>
#include <optional>

namespace varmkalk {

class Platform;

// The working folder of this run of the program and its lock, held until the program ends.
struct ClaimedFolder {
  QString path;
  std::unique_ptr<FolderLock> lock;
};

// Takes the lock of `folder`. While another VARMKALK holds it (or it cannot be locked), the user
// is told which folder is in use and by which process and chooses another folder, which is made
// and checked as a folder named on the command line, or ends. Nothing when the user ends.
std::optional<ClaimedFolder> claim_working_folder(Platform& platform, const QString& folder,
                                                  const StartFolders& start);

}  // namespace varmkalk
