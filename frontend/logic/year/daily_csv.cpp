// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/year/daily_csv.h"

#include "frontend/logic/kept/spreadsheet_csv.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>
#include <QStringList>

#include <vector>

namespace varmkalk {

namespace {

using core::DailyColumn;
using core::DailyField;

QString with_pump_text() {
  return QCoreApplication::translate("DailyCsv", "med pumpens värme");
}

QString without_pump_text() {
  return QCoreApplication::translate("DailyCsv", "utan pumpens värme");
}

QString header(const DailyColumn& column, const QString& variant) {
  const QString name = variant.isEmpty() ? from_utf8(column.label)
                                         : from_utf8(column.label) + QLatin1Char(' ') + variant;
  return QStringLiteral("%1 (%2)").arg(name, from_utf8(column.unit));
}

QString number(const std::optional<float>& value, const QLocale& locale) {
  return value ? csv_number(*value, locale) : QString();
}

}  // namespace

QByteArray daily_csv(const ChartYear& year, const QLocale& locale) {
  QStringList headers;
  for (const DailyColumn& column : core::kDailyColumns) {
    if (column.per_variant) {
      headers << header(column, with_pump_text()) << header(column, without_pump_text());
    } else {
      headers << header(column, {});
    }
  }
  std::vector<QStringList> rows{headers};
  for (const ChartDay& day : year.days) {
    QStringList fields;
    for (const DailyColumn& column : core::kDailyColumns) {
      fields << number(day.with_pump[column.field], locale);
      if (column.per_variant) {
        fields << number(day.without_pump[column.field], locale);
      }
    }
    rows.push_back(fields);
  }
  return spreadsheet_bytes(rows, csv_separator(locale));
}

}  // namespace varmkalk
