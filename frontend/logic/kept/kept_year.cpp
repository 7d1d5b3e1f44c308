// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/kept_year.h"

#include "core/files/run_error.h"
#include "core/formats/summary_report_reader.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/summary_input.h"
#include "frontend/logic/run/file_names.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace varmkalk {

std::variant<FolderYear, QString> kept_year(const QString& folder, const QString& identity,
                                            const QString& climate_fallback_dir) {
  // The input in one locale both ways: written and read again, its numbers are those kept.
  const QLocale locale = QLocale::c();
  const QDir dir(folder);
  std::optional<FormInput> input;
  const QString inputs_path = dir.filePath(inputs_file_name(identity));
  if (QFileInfo(inputs_path).isFile()) {
    if (auto kept = read_inputs_file(inputs_path); std::holds_alternative<KeptInputs>(kept)) {
      input = input_in_locale(std::get<KeptInputs>(kept), locale);
    }
  }
  if (!input) {
    const QString summary_name = identity_file_names(identity)[1];
    try {
      input = input_from_summary(core::read_summary_report(to_path(dir.filePath(summary_name)),
                                                           summary_name.toStdString()),
                                 locale)
                  .input;
    } catch (const std::exception& e) {
      return QString::fromStdString(e.what());
    }
  }
  const auto derived = derive_case(*input, identity.trimmed(), locale);
  if (const auto* fault = std::get_if<FieldError>(&derived)) {
    return fault->message;
  }
  return case_year(std::get<core::BoilerCase>(derived), folder, climate_fallback_dir);
}

}  // namespace varmkalk
