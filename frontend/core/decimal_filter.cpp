#include "decimal_filter.h"

namespace varmkalk {

QString Decimalfilter(const QString& in_value) {
  if (in_value.isEmpty()) {
    return QStringLiteral("0");
  }
  QString out = in_value;
  out.replace(QLatin1Char(','), QLatin1Char('.'));
  return out;
}

}  // namespace varmkalk
