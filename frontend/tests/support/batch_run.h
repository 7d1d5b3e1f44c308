// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "frontend/logic/form/form_case.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace varmkalk::testing {

// The case of the form's input, typed in the C locale, under `identity`; aborts the test where
// the form refuses it.
inline core::BoilerCase derived_case(const FormInput& input, const QString& identity) {
  const auto result = derive_case(input, identity, QLocale::c());
  if (const auto* error = std::get_if<FieldError>(&result)) {
    qFatal("%s", qPrintable(error->message));
  }
  return std::get<core::BoilerCase>(result);
}

// The case as one row of kalvex-batch's input, a column for each control line and each input of
// cost and then `extra`'s (column, cell), run by `program` in `folder`; its output's columns by
// name, none where it wrote no row.
inline std::map<std::string, std::string> batch_output_row(
    const core::BoilerCase& input, const core::CostInputs& prices,
    const std::vector<std::pair<std::string, std::string>>& extra, const QString& folder,
    const QString& program) {
  std::vector<std::string> header;
  std::vector<std::string> row;
  const std::vector<std::string> lines = core::control_file_lines(input);
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind != core::ControlLineKind::identity) {
      header.emplace_back(line.field);
      const std::string& cell = lines[static_cast<std::size_t>(line.line - 1)];
      row.push_back(cell.substr(cell.find_first_not_of(' ')));
    }
  }
  for (const core::CostQuantity& quantity : core::kCostQuantities) {
    header.emplace_back(quantity.key);
    row.push_back(QString::number(prices.*quantity.member, 'g', 17).toStdString());
  }
  for (const auto& [column, cell] : extra) {
    header.push_back(column);
    row.push_back(cell);
  }
  QFile table(QDir(folder).filePath(QStringLiteral("in.csv")));
  if (!table.open(QIODevice::WriteOnly)) {
    return {};
  }
  table.write(QByteArray::fromStdString(core::csv_record(header) + core::csv_record(row)));
  table.close();
  QProcess batch;
  batch.setWorkingDirectory(folder);
  batch.start(program, {QStringLiteral("in.csv"), QStringLiteral("-")});
  batch.waitForFinished();
  const core::CsvTable out = core::read_csv_table(batch.readAllStandardOutput().toStdString(), "-");
  std::map<std::string, std::string> cells;
  for (std::size_t i = 0; i < out.header.size() && !out.rows.empty(); ++i) {
    cells[out.header[i]] = out.rows[0].fields[i];
  }
  return cells;
}

}  // namespace varmkalk::testing
