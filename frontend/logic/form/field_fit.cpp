// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/field_fit.h"

#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_number.h"

#include <optional>

namespace varmkalk {

FittedInput fit_to_fields(const RestoredInput& restored, const QLocale& locale,
                          const std::function<qsizetype(const QString& field)>& longest_text) {
  FittedInput fitted{restored.input, {}};
  for (const FormField& entry : kFormFields) {
    const QString name = QLatin1String(entry.name);
    const qsizetype longest = longest_text(name);
    QString& text = fitted.input.*entry.text;
    if (text.size() <= longest) {
      continue;
    }
    // A number kept as typed may be shorter than the form's own writing of it ("1E3", "1000").
    if (restored.as_kept) {
      const QString& typed = (*restored.as_kept).*entry.text;
      const std::optional<double> number = read_form_number(text, locale);
      if (typed.size() <= longest && number && read_form_number(typed, locale) == number) {
        text = typed;
        continue;
      }
    }
    fitted.unfitted.push_back({name, text.trimmed(), longest});
    text.clear();
  }
  return fitted;
}

QString unfitted_note(const std::vector<UnfittedField>& unfitted) {
  QStringList lines;
  for (const UnfittedField& field : unfitted) {
    lines += QStringLiteral("\"%1\": %2 (fältet rymmer %3 tecken)")
                 .arg(field_label(field.field), field.value)
                 .arg(field.longest);
  }
  return QStringLiteral(
             "Dessa sparade värden får inte plats i sina fält och skulle ha kortats av. "
             "Fälten har lämnats tomma och är markerade med gult; skriv ett värde "
             "som får plats:\n   ") +
         lines.join(QStringLiteral("\n   "));
}

}  // namespace varmkalk
