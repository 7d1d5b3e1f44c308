// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/plausibility.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/form/input_validation.h"

namespace varmkalk {

namespace {

QString label_of(QString FormInput::*field) {
  return field_label(form_field_name(field));
}

}  // namespace

QStringList implausible_values(const FormInput& input, const QLocale& locale) {
  const std::vector<QString FormInput::*> needed = needed_fields(input);
  const auto value_of = [&](QString FormInput::*field) -> std::optional<double> {
    if (std::find(needed.begin(), needed.end(), field) == needed.end()) {
      return std::nullopt;
    }
    return read_form_number(input.*field, locale);
  };
  const auto limit = [&locale](double value) { return locale.toString(value, 'g', 6); };

  QStringList lines;
  for (const FormField& field : kFormFields) {
    const std::optional<double> value = value_of(field.text);
    if (!value) {
      continue;
    }
    const QString shown =
        QStringLiteral("%1: %2").arg(label_of(field.text), (input.*field.text).trimmed());
    if (*value > field.highest) {
      lines += QCoreApplication::translate("Plausibility", "%1 (över %2)")
                   .arg(shown, limit(field.highest));
    } else if (*value < field.lowest) {
      lines += QCoreApplication::translate("Plausibility", "%1 (under %2)")
                   .arg(shown, limit(field.lowest));
    }
  }
  // A modulating burner's least power above its greatest makes it a single-stage one.
  const std::optional<double> max_power = value_of(&FormInput::modulating_max_power_kw);
  const std::optional<double> min_power = value_of(&FormInput::modulating_min_power_kw);
  if (max_power && min_power && *min_power > *max_power) {
    lines +=
        QCoreApplication::translate("Plausibility", "%1: %2 (större än maxeffekten %3)")
            .arg(label_of(&FormInput::modulating_min_power_kw),
                 input.modulating_min_power_kw.trimmed(), input.modulating_max_power_kw.trimmed());
  }
  return lines;
}

}  // namespace varmkalk
