// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"
#include "frontend/logic/form/restored_input.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <vector>

namespace varmkalk {

// A kept value that its form field cannot take whole.
struct UnfittedField {
  QString field;      // the control's name
  QString value;      // the kept value as the form would show it
  qsizetype longest;  // the field's length
};

// A restored input as the form's fields of limited length take it, and the fields that cannot.
struct FittedInput {
  FormInput input;
  std::vector<UnfittedField> unfitted;
};

// Fits each field's text of `restored` to the field's length (`longest_text` of its control name)
// without ever cutting it: the restored text where it fits; else the text the inputs file kept as
// typed, where that fits and reads back in `locale` as the same number; else the field is left
// empty and named among the unfitted.
FittedInput fit_to_fields(const RestoredInput& restored, const QLocale& locale,
                          const std::function<qsizetype(const QString& field)>& longest_text);

// The Swedish note that names each unfitted field, its kept value and why it is empty.
QString unfitted_note(const std::vector<UnfittedField>& unfitted);

}  // namespace varmkalk
