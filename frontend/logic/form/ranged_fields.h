// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/ranged_quantity.h"
#include "frontend/logic/run/file_names.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <variant>

namespace varmkalk {

// A label with its unit, as a dialog's field and its messages show it.
QString quantity_label(std::string_view label, std::string_view unit);

// A value as a dialog's field shows it in `locale`: four significant digits, whole from ten
// thousand on, no grouping.
QString ranged_number_text(double value, const QLocale& locale);

// A field's text read in `locale`, digit groups set apart by blanks: its number, or the message
// that names the field by `label` and says it is no number or none in [min, max].
std::variant<double, QString> read_ranged_text(const QString& text, const QString& label,
                                               double min_value, double max_value,
                                               const QLocale& locale);

// A field that is no number, or none in its range: which one, and the message that says so.
struct RangedFieldError {
  std::size_t index = 0;
  QString message;
};

template <typename Inputs>
QString ranged_field_label(const core::RangedQuantity<Inputs>& quantity) {
  return quantity_label(quantity.label, quantity.unit);
}

// The inputs as fields show them, in the order of `quantities`.
template <typename Inputs, std::size_t N>
std::array<QString, N> ranged_texts(const Inputs& inputs,
                                    const std::array<core::RangedQuantity<Inputs>, N>& quantities,
                                    const QLocale& locale) {
  std::array<QString, N> texts;
  for (std::size_t i = 0; i < N; ++i) {
    texts[i] = ranged_number_text(inputs.*quantities[i].member, locale);
  }
  return texts;
}

// The fields read: every one a number within its range, or the first that is not. A field whose
// text is still the one `shown` gives keeps that value to its last digit.
template <typename Inputs, std::size_t N>
std::variant<Inputs, RangedFieldError> read_ranged_texts(
    const std::array<QString, N>& texts, const Inputs& shown,
    const std::array<core::RangedQuantity<Inputs>, N>& quantities, const QLocale& locale) {
  const std::array<QString, N> shown_texts = ranged_texts(shown, quantities, locale);
  Inputs read = shown;
  for (std::size_t i = 0; i < N; ++i) {
    if (texts[i] == shown_texts[i]) {
      continue;
    }
    const core::RangedQuantity<Inputs>& quantity = quantities[i];
    auto value = read_ranged_text(texts[i], ranged_field_label(quantity), quantity.min_value,
                                  quantity.max_value, locale);
    if (auto* fault = std::get_if<QString>(&value)) {
      return RangedFieldError{i, *fault};
    }
    read.*quantity.member = std::get<double>(value);
  }
  return read;
}

}  // namespace varmkalk
