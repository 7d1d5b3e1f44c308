// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/form_faults.h"

#include "frontend/logic/form/form_case.h"
#include "frontend/logic/form/input_validation.h"

#include <algorithm>

namespace varmkalk {

FormFaults form_faults(const FormInput& input, const QLocale& locale) {
  FormFaults faults;
  faults.empty = validate_input(input).missing_fields;
  // An empty field is no number either: it is named once, as empty.
  for (FieldError& fault : input_faults(input, locale)) {
    if (!faults.empty.contains(fault.field)) {
      faults.bad.push_back(std::move(fault));
    }
  }
  return faults;
}

QString empty_fields_text(const QStringList& empty) {
  QStringList labels;
  for (const QString& field : empty) {
    labels += QLatin1Char('"') + field_label(field) + QLatin1Char('"');
  }
  return QCoreApplication::translate("FormFaults", "Tomma fält: %1.")
      .arg(labels.join(QStringLiteral(", ")));
}

}  // namespace varmkalk
