#include "form_number.h"

#include <cmath>

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
