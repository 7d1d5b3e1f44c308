// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace varmkalk::testing {

// Sets PATH for the life of the object, so a test decides where programs are found.
class PathOverride {
 public:
  explicit PathOverride(const QString& path) : saved_(qgetenv("PATH")) {
    qputenv("PATH", QFile::encodeName(path));
  }
  ~PathOverride() { qputenv("PATH", saved_); }
  PathOverride(const PathOverride&) = delete;
  PathOverride& operator=(const PathOverride&) = delete;

 private:
  QByteArray saved_;
};

}  // namespace varmkalk::testing
