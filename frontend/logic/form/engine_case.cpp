// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/engine_case.h"

#include "core/formats/control_file.h"
#include "frontend/logic/form/form_case.h"

#include <exception>

namespace varmkalk {

namespace {

// No file is written for the case, but the derivation wants a usable identity; it never shows.
const QString kPlaceholderIdentity = QStringLiteral("svep");

}  // namespace

std::variant<EngineCase, QString> engine_case(const FormInput& form, const QLocale& locale) {
  const std::variant<core::BoilerCase, FieldError> derived =
      derive_case(form, kPlaceholderIdentity, locale);
  if (const auto* error = std::get_if<FieldError>(&derived)) {
    return error->message;
  }
  EngineCase engine;
  try {
    engine.input =
        core::read_control_lines(core::control_file_lines(std::get<core::BoilerCase>(derived)));
  } catch (const std::exception& e) {
    // A run error names the line, an invalid argument the field.
    return QString::fromStdString(e.what());
  }
  engine.min_return_follows_indoor = form.min_return_temp == MinReturnTemp::Indoor;
  return engine;
}

bool engine_case_possible(const FormInput& form, const QLocale& locale) {
  return std::holds_alternative<core::BoilerCase>(derive_case(form, kPlaceholderIdentity, locale));
}

}  // namespace varmkalk
