// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/folder_claim.h"

#include "frontend/platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace varmkalk {

std::optional<ClaimedFolder> claim_working_folder(Platform& platform, const QString& folder,
                                                  const StartFolders& start) {
  const QStringList buttons{QCoreApplication::translate("FolderClaim", "Välj en annan mapp…"),
                            QCoreApplication::translate("FolderClaim", "Avsluta")};
  QString candidate = folder;
  for (;;) {
    auto lock = std::make_unique<FolderLock>(candidate);
    const auto taken = lock->take();
    if (std::holds_alternative<FolderLock::Taken>(taken)) {
      return ClaimedFolder{candidate, std::move(lock)};
    }
    const QString text = std::holds_alternative<LockHolder>(taken)
                             ? folder_in_use_message(candidate, std::get<LockHolder>(taken))
                             : std::get<QString>(taken);
    if (platform.choose(nullptr, QCoreApplication::translate("FolderClaim", "Arbetsmappen används"),
                        text, buttons) != 0) {
      return std::nullopt;
    }
    const QString chosen = platform.existing_folder_name(
        nullptr, QCoreApplication::translate("FolderClaim", "Välj en annan arbetsmapp"),
        QFileInfo(candidate).path());
    if (chosen.isEmpty()) {
      continue;
    }
    const auto usable = choose_working_folder({QDir(chosen).absolutePath()}, start);
    if (const auto* error = std::get_if<FileError>(&usable)) {
      platform.message_box(
          nullptr, QCoreApplication::translate("FolderClaim", "Arbetsmappen kan inte användas"),
          error->message, MessageIcon::Exclamation);
      continue;
    }
    candidate = std::get<QString>(usable);
  }
}

}  // namespace varmkalk
