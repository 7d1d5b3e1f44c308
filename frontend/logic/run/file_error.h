// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace varmkalk {

// A file operation that failed, with a Swedish text for the user that names the file.
struct FileError {
  QString message;
};

// Writes `bytes` as the whole file at `path`, which is replaced only once all of them are
// written, so that a failed write leaves the old file whole. Returns the system's reason where
// it fails, for the caller's message.
std::optional<QString> save_whole_file(const QString& path, const QByteArray& bytes);

}  // namespace varmkalk
