// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/field_error.h"

#include <array>
#include <utility>

#include "frontend/controls/control_names.h"
#include "frontend/logic/form/form_input.h"

namespace varmkalk {

namespace {

// The controls that are no text field of the input: the identity box and the option frames.
constexpr std::array<std::pair<const char*, const char*>, 6> kOtherLabels{{
    {"utdatafil", "Beräkningens identitet (4 tecken)"},
    {kOwnClimateFileField, "Klimatfil, Egen klimatfil"},
    {"burntype", "Brännartyp"},
    {"vvber", "Varmvattenberedare?"},
    {"konvtyp", "Konvektionsförlust, källa"},
    {control::input::kStandbySource, "Stilleståndsförlust, källa"},
}};

}  // namespace

QString field_label(const QString& field) {
  for (const FormField& form_field : kFormFields) {
    if (field == QLatin1String(form_field.name)) {
      const QString shown = QString::fromUtf8(form_field.shown);
      const QString context = QString::fromUtf8(form_field.context);
      return shown.isEmpty() || context.isEmpty() ? shown + context
                                                  : shown + QStringLiteral(", ") + context;
    }
  }
  for (const auto& [name, label] : kOtherLabels) {
    if (field == QLatin1String(name)) {
      return QString::fromUtf8(label);
    }
  }
  return {};
}

FieldError field_error(const QString& field, const QString& message) {
  return {field, field_label(field), message};
}

QString form_field_name(QString FormInput::*text) {
  for (const FormField& form_field : kFormFields) {
    if (form_field.text == text) {
      return QString::fromLatin1(form_field.name);
    }
  }
  return {};
}

}  // namespace varmkalk
