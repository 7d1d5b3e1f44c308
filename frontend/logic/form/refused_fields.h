// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace varmkalk {

// Why the model refuses the form's case, and the fields of the form the refusal concerns.
struct CaseRefusal {
  QString message;     // the model's own words, as the engine ends with them
  QStringList fields;  // control names, in the order the message names them; may be empty
};

// The model's refusal of the case the form gives, checked in memory as the engine starts its
// year; nothing when the model takes the case or the form gives none.
std::optional<CaseRefusal> case_refusal(const FormInput& input, const QLocale& locale);

// The form's fields a refusal of the model names: the model speaks of its quantities ("the flue
// gas in case 2"), the form of its rows and columns ("Temp (°C), Hög"), and which field holds a
// quantity depends on the form's choices (the burner's kind, where the losses come from).
QStringList refused_fields(const FormInput& input, const QString& message);

// What the form says when it opens for the correction of `identity`'s refused case: the
// refusal, and the fields to correct by their labels on the form.
QString correction_text(const QString& identity, const CaseRefusal& refusal);

}  // namespace varmkalk
