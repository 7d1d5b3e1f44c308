// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/result_files.h"

#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/windows1252_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace varmkalk {

namespace {

// The summary has 45 lines of some 60 characters; a file many times that size is none.
constexpr qint64 kLargestSummaryBytes = 1 << 20;

// Bytes that Windows-1252 leaves undefined.
constexpr std::array<unsigned char, 5> kUndefinedBytes{0x81, 0x8D, 0x8F, 0x90, 0x9D};
constexpr unsigned char kTab = 0x09;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstNonAscii = 0x80;

bool is_foreign_byte(unsigned char byte) {
  return (byte < kFirstPrintable && byte != kTab) || byte == kDelete ||
         std::find(kUndefinedBytes.begin(), kUndefinedBytes.end(), byte) != kUndefinedBytes.end();
}

// Swedish letters in Windows-1252 are single bytes that never form valid UTF-8 with their
// neighbours; a file with valid multi-byte UTF-8 sequences was written in another encoding.
bool is_utf8_text(const QByteArray& bytes) {
  const bool has_non_ascii = std::any_of(bytes.begin(), bytes.end(), [](char byte) {
    return static_cast<unsigned char>(byte) >= kFirstNonAscii;
  });
  if (!has_non_ascii) {
    return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  return !utf8.hasError();
}

FileError summary_error(const QString& path, const QString& what) {
  return FileError{QCoreApplication::translate("ResultFiles", "Resultatfilen %1 kan inte visas: %2")
                       .arg(QDir::toNativeSeparators(path), what)};
}

}  // namespace

std::variant<QStringList, FileError> read_summary(const QString& folder) {
  return read_summary_file(QDir(folder).filePath(result_file_name()));
}

std::variant<QStringList, FileError> read_summary_file(const QString& path) {
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    return summary_error(path,
                         QCoreApplication::translate("ResultFiles", "den är ingen vanlig fil."));
  }
  if (info.size() > kLargestSummaryBytes) {
    return summary_error(
        path, QCoreApplication::translate("ResultFiles",
                                          "den är %1 byte stor och är ingen sammanfattning "
                                          "från beräkningsprogrammet.")
                  .arg(info.size()));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return FileError{
        QCoreApplication::translate("ResultFiles", "Resultatfilen %1 kunde inte läsas: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString())};
  }
  const QByteArray bytes = file.read(kLargestSummaryBytes);
  if (is_utf8_text(bytes)) {
    return summary_error(
        path, QCoreApplication::translate("ResultFiles",
                                          "den är skriven i UTF-8, inte i Windows-1252 som "
                                          "beräkningsprogrammet skriver."));
  }
  QStringList lines;
  // A line ends at its line feed; a carriage return just before it is dropped.
  for (QByteArrayView rest(bytes); !rest.isEmpty();) {
    const qsizetype feed = rest.indexOf('\n');
    QByteArrayView line = feed < 0 ? rest : rest.first(feed);
    rest = feed < 0 ? QByteArrayView() : rest.sliced(feed + 1);
    if (line.endsWith('\r')) {
      line.chop(1);
    }
    const auto foreign = std::find_if(line.begin(), line.end(), [](char byte) {
      return is_foreign_byte(static_cast<unsigned char>(byte));
    });
    if (foreign != line.end()) {
      return summary_error(
          path, QCoreApplication::translate("ResultFiles",
                                            "rad %1 innehåller byten 0x%2, som inte är text "
                                            "i Windows-1252.")
                    .arg(lines.size() + 1)
                    .arg(static_cast<unsigned char>(*foreign), 2, 16, QLatin1Char('0')));
    }
    lines += from_windows1252(line);
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
  QStringList names{control_file_name(), result_file_name()};
  if (answer == KeepFiles::No && !identity_refusal(calc_id)) {
    for (const QString& name : identity_file_names(calc_id)) {
      names += name;
    }
    names += inputs_file_name(calc_id);
  }
  return names;
}

QStringList empty_identity_files(const QString& folder, const QString& calc_id) {
  QStringList names;
  if (identity_refusal(calc_id)) {
    return names;
  }
  const QDir dir(folder);
  for (const QString& name : identity_file_names(calc_id)) {
    const QFileInfo info(dir.filePath(name));
    if (info.isFile() && !info.isSymLink() && info.size() == 0) {
      names += name;
    }
  }
  return names;
}

QList<DeletionFailure> delete_files(const QString& folder, const QStringList& names) {
  const QDir dir(folder);
  QList<DeletionFailure> failures;
  for (const QString& name : names) {
    QFile file(dir.filePath(name));
    // A link is removed itself, whether or not it points anywhere.
    const QFileInfo info(file.fileName());
    if ((info.exists() || info.isSymLink()) && !file.remove()) {
      failures.append({name, file.errorString()});
    }
  }
  return failures;
}

QString deletion_failure_message(const QString& folder, const QList<DeletionFailure>& failures) {
  QString text = QCoreApplication::translate("ResultFiles",
                                             "Följande filer i mappen %1 kunde inte tas bort:\n")
                     .arg(QDir::toNativeSeparators(folder));
  for (const DeletionFailure& failure : failures) {
    text += QStringLiteral("\n   %1: %2").arg(failure.name, failure.reason);
  }
  return text;
}

QStringList summary_file_list(const QString& folder) {
  return QDir(folder).entryList({QLatin1String(kSummaryFilePattern)}, QDir::Files | QDir::Hidden,
                                QDir::Name);
}

}  // namespace varmkalk
