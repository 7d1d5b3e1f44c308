// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/file_names.h"

#include "core/formats/control_file.h"
#include "core/formats/result_file_names.h"

#include <QFile>

namespace varmkalk {

QString from_latin1(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString from_utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path to_path(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::filesystem::path optional_folder_path(const QString& folder) {
  return folder.isEmpty() ? std::filesystem::path() : to_path(folder);
}

QString control_file_name() {
  return from_latin1(core::kControlFileName);
}

QString result_file_name() {
  return from_latin1(core::kResultFileName);
}

std::array<QString, 3> identity_file_names(const QString& identity) {
  const core::ResultFileNames names =
      core::result_file_names_of(core::CalcIdentity(identity.toLatin1().toStdString()));
  return {from_latin1(names.raw_file), from_latin1(names.summary_file),
          from_latin1(names.pump_file)};
}

QString inputs_file_name(const QString& identity) {
  return from_latin1(core::CalcIdentity(identity.toLatin1().toStdString()).padded()) +
         QStringLiteral("indata.json");
}

}  // namespace varmkalk
