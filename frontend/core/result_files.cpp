#include "result_files.h"

#include "calc_identity.h"
#include "control_file.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>

namespace varmkalk {

std::variant<QStringList, FileError> read_summary(const QString& folder) {
  const QString path = QDir(folder).filePath(QLatin1String(kSummaryFileName));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return FileError{QStringLiteral("Resultatfilen %1 kunde inte läsas: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString())};
  }
  const QByteArray bytes = file.readAll();
  QStringList lines;
  // A line ends at its line feed; a carriage return just before it is dropped.
  for (QByteArrayView rest(bytes); !rest.isEmpty();) {
    const qsizetype feed = rest.indexOf('\n');
    QByteArrayView line = feed < 0 ? rest : rest.first(feed);
    rest = feed < 0 ? QByteArrayView() : rest.sliced(feed + 1);
    if (line.endsWith('\r')) {
      line.chop(1);
    }
    lines += decode_windows1252(line);
  }
  return lines;
}

QString summary_text(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) {
    text += line + QStringLiteral("\r\n");
  }
  return text;
}

QStringList files_to_delete(KeepFiles answer, const QString& calc_id) {
  QStringList names{QLatin1String(kControlFileName), QLatin1String(kSummaryFileName)};
  if (answer == KeepFiles::No && !identity_refusal(calc_id)) {
    for (const QString& name : identity_file_names(calc_id)) {
      names += name;
    }
  }
  return names;
}

QStringList delete_files(const QString& folder, const QStringList& names) {
  const QDir dir(folder);
  QStringList not_deleted;
  for (const QString& name : names) {
    QFile file(dir.filePath(name));
    if (file.exists() && !file.remove()) {
      not_deleted += name;
    }
  }
  return not_deleted;
}

QStringList summary_file_list(const QString& folder) {
  return QDir(folder).entryList({QLatin1String(kSummaryFilePattern)}, QDir::Files | QDir::Hidden,
                                QDir::Name);
}

}  // namespace varmkalk
