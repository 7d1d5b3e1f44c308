// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/kept_year.h"

#include "core/files/run_error.h"
#include "core/formats/summary_report_reader.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/summary_case.h"
#include "frontend/logic/run/file_names.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace varmkalk {

std::variant<core::BoilerCase, QString> kept_case(const std::optional<KeptInputs>& inputs,
                                                  const std::optional<core::SummaryReport>& summary,
                                                  const QString& identity) {
  if (inputs) {
    // The input in one locale both ways: written and read again, its numbers are those kept.
    const QLocale locale = QLocale::c();
    auto derived = derive_case(input_in_locale(*inputs, locale), identity, locale);
    if (auto* fault = std::get_if<FieldError>(&derived)) {
      return std::move(fault->message);
    }
    return std::move(std::get<core::BoilerCase>(derived));
  }
  if (summary) {
    return summary_case(*summary, identity);
  }
  return QStringLiteral("beräkningen %1 har varken indatafil eller sammanfattning.").arg(identity);
}

std::variant<FolderYear, QString> kept_year(const QString& folder, const QString& identity,
                                            const QString& climate_fallback_dir) {
  const QDir dir(folder);
  std::optional<KeptInputs> inputs;
  std::optional<core::SummaryReport> summary;
  const QString inputs_path = dir.filePath(inputs_file_name(identity));
  if (QFileInfo(inputs_path).isFile()) {
    if (auto kept = read_inputs_file(inputs_path); std::holds_alternative<KeptInputs>(kept)) {
      inputs = std::move(std::get<KeptInputs>(kept));
    }
  }
  if (!inputs) {
    const QString summary_name = identity_file_names(identity)[1];
    try {
      summary = core::read_summary_report(to_path(dir.filePath(summary_name)),
                                          summary_name.toStdString());
    } catch (const std::exception& e) {
      return QString::fromStdString(e.what());
    }
  }
  auto input = kept_case(inputs, summary, identity.trimmed());
  if (auto* fault = std::get_if<QString>(&input)) {
    return std::move(*fault);
  }
  return case_year(std::get<core::BoilerCase>(input), folder, climate_fallback_dir);
}

}  // namespace varmkalk
