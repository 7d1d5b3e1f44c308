#include "number_text.h"

#include <cmath>

namespace varmkalk {

namespace {

// Column 1 carries the blank or the minus sign.
constexpr qsizetype kBodyWidth = kNumberFieldWidth - 1;

// A magnitude rounded to a number of significant digits: d.ddd × 10^exponent, with the
// trailing zeros of the digits dropped.
struct RoundedDecimal {
  QString digits;
  int exponent = 0;
};

RoundedDecimal round_to_digits(double magnitude, int digits) {
  const QString scientific = QString::number(magnitude, 'e', digits - 1);
  const qsizetype e_pos = scientific.indexOf(QLatin1Char('e'));
  RoundedDecimal rounded;
  rounded.digits = scientific.left(e_pos).remove(QLatin1Char('.'));
  rounded.exponent = scientific.mid(e_pos + 1).toInt();
  while (rounded.digits.size() > 1 && rounded.digits.endsWith(QLatin1Char('0'))) {
    rounded.digits.chop(1);
  }
  return rounded;
}

QString plain_form(const RoundedDecimal& rounded) {
  const qsizetype integer_digits = rounded.exponent + 1;
  if (integer_digits <= 0) {
    return QStringLiteral("0.") + QString(-integer_digits, QLatin1Char('0')) + rounded.digits;
  }
  if (rounded.digits.size() <= integer_digits) {
    return rounded.digits + QString(integer_digits - rounded.digits.size(), QLatin1Char('0'));
  }
  return rounded.digits.left(integer_digits) + QLatin1Char('.') +
         rounded.digits.mid(integer_digits);
}

QString exponent_form(const RoundedDecimal& rounded) {
  QString mantissa = rounded.digits.left(1);
  if (rounded.digits.size() > 1) {
    mantissa += QLatin1Char('.') + rounded.digits.mid(1);
  }
  return mantissa + QLatin1Char('E') + QString::number(rounded.exponent);
}

}  // namespace

QString number_text(double value, int max_digits) {
  const QString sign = value < 0.0 ? QStringLiteral("-") : QStringLiteral(" ");
  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) {
    return QStringLiteral(" 0");
  }
  QString body;
  int body_digits = 0;
  for (int digits = max_digits; digits >= 1; --digits) {
    const QString plain = plain_form(round_to_digits(magnitude, digits));
    if (plain.size() <= kBodyWidth) {
      body = plain;
      body_digits = digits;
      break;
    }
  }
  // The exponent form wins only where it keeps more digits; otherwise the plain form reads
  // more easily.
  for (int digits = max_digits; digits > body_digits; --digits) {
    const QString scientific = exponent_form(round_to_digits(magnitude, digits));
    if (scientific.size() <= kBodyWidth) {
      body = scientific;
      break;
    }
  }
  return sign + body;
}

}  // namespace varmkalk
