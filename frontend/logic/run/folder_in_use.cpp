// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/folder_in_use.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>

namespace varmkalk {

namespace {

QString translated(const char* text) {
  return QCoreApplication::translate("FolderLock", text);
}

QString lock_file() {
  return QLatin1String(kLockFileName);
}

// "VARMKALK (process 4711) på datorn kontoret", as far as the holder is known.
QString holder_text(const LockHolder& holder) {
  if (holder.process_id <= 0) {
    return QCoreApplication::translate("FolderInUse",
                                       "en process som inte kunde läsas ur låsfilen");
  }
  QString process = QCoreApplication::translate("FolderInUse", "process %1").arg(holder.process_id);
  if (!holder.program.isEmpty()) {
    process = QStringLiteral("%1 (%2)").arg(holder.program, process);
  }
  if (!holder.host.isEmpty()) {
    process += QCoreApplication::translate("FolderInUse", " på datorn %1").arg(holder.host);
  }
  return process;
}

bool same_computer(const LockHolder& holder, const ThisComputer& here) {
  if (!holder.machine_id.isEmpty() && !here.machine_id.isEmpty()) {
    return holder.machine_id == here.machine_id;
  }
  return holder.host == here.host;
}

}  // namespace

std::optional<LockHolder> lock_holder_from(const QByteArray& contents) {
  const QList<QByteArray> lines = contents.split('\n');
  bool number = false;
  LockHolder holder;
  holder.process_id = lines.value(0).trimmed().toLongLong(&number);
  if (!number || holder.process_id <= 0) {
    return std::nullopt;
  }
  holder.program = QString::fromUtf8(lines.value(1).trimmed());
  holder.host = QString::fromUtf8(lines.value(2).trimmed());
  holder.machine_id = lines.value(3).trimmed();
  holder.boot_id = lines.value(4).trimmed();
  return holder;
}

LockVerdict judge_lock(const LockFinding& finding, const ThisComputer& here) {
  switch (finding.entry) {
    case LockEntry::empty_folder:
      return LockVerdict::take_over;
    case LockEntry::folder:
    case LockEntry::other:
      return LockVerdict::in_the_way;
    case LockEntry::file:
      break;
  }
  if (finding.system_lock == SystemLock::held) {
    return LockVerdict::in_use;
  }
  // A running VARMKALK writes its process into the file as soon as it has made it.
  if (!finding.holder) {
    return LockVerdict::take_over;
  }
  if (!same_computer(*finding.holder, here)) {
    return LockVerdict::other_computer;
  }
  // Made before this computer last started: its process ended with that run.
  if (!finding.holder->boot_id.isEmpty() && !here.boot_id.isEmpty() &&
      finding.holder->boot_id != here.boot_id) {
    return LockVerdict::take_over;
  }
  return finding.holder_running ? LockVerdict::in_use : LockVerdict::take_over;
}

QString folder_in_use_message(const QString& folder, const LockHolder& holder) {
  return QStringLiteral(
             "Arbetsmappen %1 används redan av ett annat VARMKALK: %2.\n\n"
             "Två VARMKALK i samma mapp skriver över varandras styrfil.dat och "
             "resultat. Välj en annan arbetsmapp, eller avsluta och fortsätt i det "
             "VARMKALK som redan är igång.")
             .arg(QDir::toNativeSeparators(folder), holder_text(holder)) +
         translated("\n\nLåset är filen %1 i mappen; det släpps när det VARMKALK avslutas.")
             .arg(lock_file());
}

QString lock_of_other_computer_message(const QString& folder, const LockHolder& holder) {
  return translated(
             "Arbetsmappen %1 är låst av filen %2, som %3 lade där. Den här datorn kan inte se "
             "om det programmet fortfarande arbetar i mappen.\n\n"
             "Arbetar det kvar, avsluta det först eller välj en annan arbetsmapp. Är det "
             "avslutat, eller har mappen kopierats från den datorn, ta bort filen %2 ur mappen "
             "och starta VARMKALK igen.")
      .arg(QDir::toNativeSeparators(folder), lock_file(), holder_text(holder));
}

QString lock_name_in_the_way_message(const QString& folder, LockEntry entry) {
  const QString what = entry == LockEntry::folder ? translated("en mapp som inte är tom")
                                                  : translated("något annat än en låsfil");
  return translated(
             "Arbetsmappen %1 kan inte låsas: där VARMKALK lägger sitt lås, filen %2, finns %3. "
             "Det är inget lås från VARMKALK, men det tas inte bort.\n\n"
             "Byt namn på det eller flytta det och starta VARMKALK igen, eller välj en annan "
             "arbetsmapp.")
      .arg(QDir::toNativeSeparators(folder), lock_file(), what);
}

QString lock_not_removable_message(const QString& folder, const QString& owner,
                                   const QString& reason) {
  return translated(
             "Arbetsmappen %1 är låst av filen %2, men inget VARMKALK håller den. Filen ägs "
             "av användaren %3 och kan inte tas bort: %4.\n\n"
             "Be %3 eller en administratör ta bort filen %2 ur mappen, eller välj en annan "
             "arbetsmapp.")
      .arg(QDir::toNativeSeparators(folder), lock_file(), owner, reason);
}

}  // namespace varmkalk
