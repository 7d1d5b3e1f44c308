// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/form_number.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace varmkalk {

std::optional<double> read_form_number(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    return std::nullopt;
  }
  // Grouping is refused: "1,500" on an English system is far more likely a mistyped decimal
  // comma than fifteen hundred.
  QLocale strict = locale;
  strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool is_out_of_range_number(const QString& text, const QLocale& locale) {
  QString plain = text.trimmed();
  plain.replace(locale.decimalPoint(), QStringLiteral("."));
  // The typographic minus sign that some locales write.
  plain.replace(QChar(0x2212), QLatin1Char('-'));
  if (plain.startsWith(QLatin1Char('+'))) {
    plain.remove(0, 1);
  }
  const std::string digits = plain.toStdString();
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return error == std::errc::result_out_of_range && end == digits.data() + digits.size();
}

QString decimal_separator_name(const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  if (separator == QStringLiteral(",")) {
    return QStringLiteral("decimalkomma");
  }
  if (separator == QStringLiteral(".")) {
    return QStringLiteral("decimalpunkt");
  }
  return QStringLiteral("decimaltecknet \"%1\"").arg(separator);
}

}  // namespace varmkalk
