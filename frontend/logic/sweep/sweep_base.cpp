// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/sweep/sweep_base.h"

namespace varmkalk {

std::variant<SweepBase, QString> sweep_base(const FormInput& form, const QLocale& locale) {
  std::variant<EngineCase, QString> engine = engine_case(form, locale);
  if (auto* why = std::get_if<QString>(&engine)) {
    return std::move(*why);
  }
  SweepBase base;
  static_cast<EngineCase&>(base) = std::move(std::get<EngineCase>(engine));
  return base;
}

}  // namespace varmkalk
