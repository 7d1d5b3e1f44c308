// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/working_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

namespace varmkalk {

namespace {

const QString kOwnFolderName = QStringLiteral("VARMKALK");

// Writable in fact, not by its permission bits: a file can be created there.
bool can_write_in(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".varmkalk-XXXXXX")));
  return probe.open();
}

bool is_sensible(const QString& folder, const StartFolders& start) {
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  return !canonical.isEmpty() && canonical != QFileInfo(start.home).canonicalFilePath() &&
         !QDir(canonical).isRoot() && can_write_in(canonical);
}

std::variant<QString, FileError> usable(const QString& folder) {
  const QString shown = QDir::toNativeSeparators(folder);
  if (!QDir().mkpath(folder)) {
    return FileError{
        QCoreApplication::translate("WorkingFolder",
                                    "Arbetsmappen %1 kunde inte skapas. VARMKALK behöver en mapp "
                                    "där indata- och resultatfilerna kan sparas.")
            .arg(shown)};
  }
  if (!can_write_in(folder)) {
    return FileError{
        QCoreApplication::translate("WorkingFolder",
                                    "I arbetsmappen %1 går det inte att skriva. VARMKALK behöver "
                                    "en mapp där indata- och resultatfilerna kan sparas.")
            .arg(shown)};
  }
  return QDir(folder).absolutePath();
}

// Without a home folder the documents folder is a guess (Qt makes "//Documents" of an empty HOME):
// nothing is created there.
std::optional<FileError> home_fault(const QString& current, const QString& home) {
  QString missing;
  if (home.isEmpty()) {
    missing = QCoreApplication::translate("WorkingFolder",
                                          "miljövariabeln HOME, som anger hemmappen, är inte satt");
  } else if (!QFileInfo(home).isDir()) {
    missing = QCoreApplication::translate("WorkingFolder",
                                          "miljövariabeln HOME anger hemmappen %1, som inte finns")
                  .arg(QDir::toNativeSeparators(home));
  } else {
    return std::nullopt;
  }
  return FileError{
      QCoreApplication::translate("WorkingFolder",
                                  "VARMKALK startades i %1, där resultatfilerna inte kan sparas "
                                  "(hemmappen, rotmappen eller en mapp utan skrivrätt), och "
                                  "mappen VARMKALK i dokumentmappen kan inte användas i stället: "
                                  "%2. Starta VARMKALK i en mapp där du kan skriva, eller ange "
                                  "arbetsmappen: varmkalk MAPP.")
          .arg(QDir::toNativeSeparators(current), missing)};
}

}  // namespace

std::variant<QString, FileError> choose_working_folder(const QStringList& arguments,
                                                       const StartFolders& start) {
  for (const QString& argument : arguments) {
    if (!argument.startsWith(QLatin1Char('-'))) {
      return usable(QDir(start.current).absoluteFilePath(argument));
    }
  }
  if (is_sensible(start.current, start)) {
    return QDir(start.current).absolutePath();
  }
  if (std::optional<FileError> fault = home_fault(start.current, start.home)) {
    return *fault;
  }
  return usable(QDir(start.documents).filePath(kOwnFolderName));
}

}  // namespace varmkalk
