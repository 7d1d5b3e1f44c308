// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <utility>

namespace varmkalk::testing {

namespace {

constexpr QFileDevice::Permissions kReadOnly = QFile::ReadOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther;

bool set_immutable(const QString& path, bool immutable) {
  return QProcess::execute(QStringLiteral("chattr"),
                           {immutable ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(QString path) : path_(std::move(path)) {
  QFile::setPermissions(path_, kReadOnly);
  if (refuses_writing()) {
    holds_ = true;
    return;
  }
  immutable_ = set_immutable(path_, true);
  holds_ = immutable_ && refuses_writing();
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (immutable_) {
    set_immutable(path_, false);
  }
  QFile::setPermissions(path_, kReadOnly | QFile::WriteOwner);
}

bool ReadOnlyFolder::refuses_writing() const {
  QFile probe(QDir(path_).filePath(QStringLiteral("skrivprov")));
  if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    return true;
  }
  probe.close();
  probe.remove();
  return false;
}

}  // namespace varmkalk::testing
