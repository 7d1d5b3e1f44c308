// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/sweep/sweep_base.h"

#include "core/formats/control_file.h"
#include "frontend/logic/form/form_case.h"

#include <stdexcept>

namespace varmkalk {

namespace {

// The sweep writes no file, but the derivation wants a usable identity; it never shows.
const QString kPlaceholderIdentity = QStringLiteral("svep");

}  // namespace

std::variant<SweepBase, QString> sweep_base(const FormInput& form, const QLocale& locale) {
  const std::variant<core::BoilerCase, FieldError> derived =
      derive_case(form, kPlaceholderIdentity, locale);
  if (const auto* error = std::get_if<FieldError>(&derived)) {
    return error->message;
  }
  SweepBase base;
  try {
    base.input =
        core::read_control_lines(core::control_file_lines(std::get<core::BoilerCase>(derived)));
  } catch (const std::exception& e) {
    // A run error names the line, an invalid argument the field.
    return QString::fromStdString(e.what());
  }
  base.min_return_follows_indoor = form.min_return_temp == MinReturnTemp::Indoor;
  return base;
}

bool sweep_possible(const FormInput& form, const QLocale& locale) {
  return std::holds_alternative<core::BoilerCase>(derive_case(form, kPlaceholderIdentity, locale));
}

}  // namespace varmkalk
