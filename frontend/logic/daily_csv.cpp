// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/daily_csv.h"

#include "core/text/number_text.h"

#include <QStringList>

namespace varmkalk {

namespace {

using core::DailyColumn;
using core::DailyField;

const QString kWithPump = QStringLiteral("med pumpens värme");
const QString kWithoutPump = QStringLiteral("utan pumpens värme");

QString utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString header(const DailyColumn& column, const QString& variant) {
  const QString name =
      variant.isEmpty() ? utf8(column.label) : utf8(column.label) + QLatin1Char(' ') + variant;
  return QStringLiteral("%1 (%2)").arg(name, utf8(column.unit));
}

QString number(const std::optional<float>& value, QChar decimal_point) {
  if (!value) {
    return {};
  }
  QString text = QString::fromStdString(core::shortest_text(*value));
  text.replace(QLatin1Char('.'), decimal_point);
  return text;
}

}  // namespace

QByteArray daily_csv(const ChartYear& year, const QLocale& locale) {
  const bool decimal_comma = locale.decimalPoint() == QStringLiteral(",");
  const QChar decimal_point = decimal_comma ? QLatin1Char(',') : QLatin1Char('.');
  const QChar separator = decimal_comma ? QLatin1Char(';') : QLatin1Char(',');

  QStringList headers;
  for (const DailyColumn& column : core::kDailyColumns) {
    if (column.per_variant) {
      headers << header(column, kWithPump) << header(column, kWithoutPump);
    } else {
      headers << header(column, {});
    }
  }
  QString text = headers.join(separator) + QStringLiteral("\r\n");
  for (const ChartDay& day : year.days) {
    QStringList fields;
    for (const DailyColumn& column : core::kDailyColumns) {
      fields << number(day.with_pump[column.field], decimal_point);
      if (column.per_variant) {
        fields << number(day.without_pump[column.field], decimal_point);
      }
    }
    text += fields.join(separator) + QStringLiteral("\r\n");
  }
  return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace varmkalk
