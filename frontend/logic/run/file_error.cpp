// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/file_error.h"

#include <QSaveFile>

namespace varmkalk {

std::optional<QString> save_whole_file(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return file.errorString();
  }
  return std::nullopt;
}

}  // namespace varmkalk
