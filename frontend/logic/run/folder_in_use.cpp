// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/folder_in_use.h"

#include <QDir>

namespace varmkalk {

QString folder_in_use_message(const QString& folder, const LockHolder& holder) {
  QString process = QStringLiteral("en process som inte kunde läsas ur låsfilen");
  if (holder.process_id > 0) {
    process = QStringLiteral("process %1").arg(holder.process_id);
    if (!holder.program.isEmpty()) {
      process = QStringLiteral("%1 (%2)").arg(holder.program, process);
    }
    if (!holder.host.isEmpty()) {
      process += QStringLiteral(" på datorn %1").arg(holder.host);
    }
  }
  return QStringLiteral(
             "Arbetsmappen %1 används redan av ett annat VARMKALK: %2.\n\n"
             "Två VARMKALK i samma mapp skriver över varandras styrfil.dat och "
             "resultat. Välj en annan arbetsmapp, eller avsluta och fortsätt i det "
             "VARMKALK som redan är igång.")
      .arg(QDir::toNativeSeparators(folder), process);
}

}  // namespace varmkalk
