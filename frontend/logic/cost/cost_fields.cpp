// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/cost/cost_fields.h"

#include "frontend/logic/form/form_number.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/run/file_names.h"

namespace varmkalk {

namespace {

constexpr int kShownDigits = 4;
constexpr double kWholeFrom = 10000.0;

QString shown_number(double value, const QLocale& locale) {
  QLocale plain = locale;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  return value >= kWholeFrom ? plain.toString(value, 'f', 0)
                             : plain.toString(value, 'g', kShownDigits);
}

}  // namespace

QString cost_field_label(const core::CostQuantity& quantity) {
  const QString label = from_utf8(quantity.label);
  return quantity.unit.empty() ? label
                               : QStringLiteral("%1 (%2)").arg(label, from_utf8(quantity.unit));
}

CostTexts cost_texts(const core::CostInputs& prices, const QLocale& locale) {
  CostTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    texts[i] = shown_number(prices.*core::kCostQuantities[i].member, locale);
  }
  return texts;
}

std::variant<core::CostInputs, CostFieldError> read_cost_texts(const CostTexts& texts,
                                                               const core::CostInputs& shown,
                                                               const QLocale& locale) {
  const CostTexts shown_texts = cost_texts(shown, locale);
  core::CostInputs prices = shown;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const core::CostQuantity& quantity = core::kCostQuantities[i];
    if (texts[i] == shown_texts[i]) {
      continue;
    }
    const QString label = cost_field_label(quantity);
    const std::optional<double> value = read_grouped_number(texts[i], locale);
    if (!value) {
      return CostFieldError{i, number_fault_message(label, texts[i], locale, true)};
    }
    if (*value < quantity.min_value || *value > quantity.max_value) {
      return CostFieldError{i,
                            QStringLiteral("Fältet \"%1\": %2 ligger utanför %3–%4.")
                                .arg(label, texts[i], form_number_text(quantity.min_value, locale),
                                     form_number_text(quantity.max_value, locale))};
    }
    prices.*quantity.member = *value;
  }
  return prices;
}

}  // namespace varmkalk
