// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/ranged_fields.h"

#include "frontend/logic/form/form_number.h"

#include <QCoreApplication>

namespace varmkalk {

namespace {

constexpr int kShownDigits = 4;
constexpr double kWholeFrom = 10000.0;

}  // namespace

QString quantity_label(std::string_view label, std::string_view unit) {
  const QString text = from_utf8(label);
  return unit.empty() ? text : QStringLiteral("%1 (%2)").arg(text, from_utf8(unit));
}

QString ranged_number_text(double value, const QLocale& locale) {
  QLocale plain = locale;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  return value >= kWholeFrom ? plain.toString(value, 'f', 0)
                             : plain.toString(value, 'g', kShownDigits);
}

std::variant<double, QString> read_ranged_text(const QString& text, const QString& label,
                                               double min_value, double max_value,
                                               const QLocale& locale) {
  const std::optional<double> value = read_grouped_number(text, locale);
  if (!value) {
    return number_fault_message(label, text, locale, true);
  }
  if (*value < min_value || *value > max_value) {
    return QCoreApplication::translate("RangedFields", "Fältet \"%1\": %2 ligger utanför %3–%4.")
        .arg(label, text, form_number_text(min_value, locale), form_number_text(max_value, locale));
  }
  return *value;
}

}  // namespace varmkalk
