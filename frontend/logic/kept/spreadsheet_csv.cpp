// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/spreadsheet_csv.h"

#include "core/formats/csv_table.h"
#include "core/text/number_text.h"

#include <string>

namespace varmkalk {

bool writes_decimal_comma(const QLocale& locale) {
  return locale.decimalPoint() == QStringLiteral(",");
}

char csv_separator(const QLocale& locale) {
  return writes_decimal_comma(locale) ? ';' : ',';
}

QString csv_number(float value, const QLocale& locale) {
  const QChar decimal_point = writes_decimal_comma(locale) ? QLatin1Char(',') : QLatin1Char('.');
  return QString::fromStdString(core::shortest_text(value))
      .replace(QLatin1Char('.'), decimal_point);
}

QByteArray spreadsheet_bytes(const std::vector<QStringList>& rows, char separator) {
  std::string text = "\xEF\xBB\xBF";
  std::vector<std::string> fields;
  for (const QStringList& row : rows) {
    fields.clear();
    for (const QString& field : row) {
      fields.push_back(field.toStdString());
    }
    text += core::csv_record(fields, separator);
  }
  return QByteArray::fromStdString(text);
}

}  // namespace varmkalk
