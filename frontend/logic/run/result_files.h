// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/file_error.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

namespace varmkalk {

// The summary files of earlier calculations with four-character identities.
inline constexpr char kSummaryFilePattern[] = "????sum.dat";

// The lines of resultat.dat in the folder, decoded from Windows-1252, without their line ends.
// To be read only after the engine has ended successfully. Fails, naming the file and the line,
// when it is no regular file (a folder or a pipe, which could block the reading), is far larger
// than a summary, or holds what the engine never writes: control characters, bytes that
// Windows-1252 leaves undefined, or UTF-8 text.
std::variant<QStringList, FileError> read_summary(const QString& folder);
// The same for a summary report at `path`, such as a kept calculation's xxxxsum.dat.
std::variant<QStringList, FileError> read_summary_file(const QString& path);

// The result box's text: every line followed by CR LF.
QString summary_text(const QStringList& lines);

// The answer to "Skall indata- och resultatfiler sparas?".
enum class KeepFiles { Yes, No };

// The files to delete in this order for an answer: styrfil.dat and resultat.dat, and on "Nej"
// also the padded identity files of calc_id (.dat, sum.dat, sum_c.dat) and its inputs file. A
// calc_id that is not a usable identity (none confirmed yet) adds no identity files.
QStringList files_to_delete(KeepFiles answer, const QString& calc_id);

// The identity files of calc_id in the folder that hold nothing: a run the engine refused before
// its first day leaves them so, and they are no result worth keeping.
QStringList empty_identity_files(const QString& folder, const QString& calc_id);

// A file that is there but could not be deleted, and the system's reason.
struct DeletionFailure {
  QString name;
  QString reason;
};

// Deletes the named files of the folder in order; a missing file is no error. Returns the files
// that are there but could not be deleted, in the same order.
QList<DeletionFailure> delete_files(const QString& folder, const QStringList& names);

// The Swedish text that names the files left behind, the folder and each reason.
QString deletion_failure_message(const QString& folder, const QList<DeletionFailure>& failures);

// The folder's files matching "????sum.dat", sorted by name.
QStringList summary_file_list(const QString& folder);

}  // namespace varmkalk
