// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace varmkalk {

// A form field whose content cannot be used, so that the form can mark it and say why.
struct FieldError {
  QString field;    // control name, e.g. "sbtemp2"
  QString label;    // its label on the form, e.g. "Temp- skillnad (°C), Fall 2 (hög temp)"
  QString message;  // Swedish text for the message box
};

using FieldErrors = std::vector<FieldError>;

// The label of a field, option frame or the identity box by its control name, with the row or
// section added where the label alone is ambiguous; empty for an unknown name.
QString field_label(const QString& field);

// A FieldError for a field, with its label filled in.
FieldError field_error(const QString& field, const QString& message);

}  // namespace varmkalk
