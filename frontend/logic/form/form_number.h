// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace varmkalk {

// The value of a number typed on a form, read with the decimal separator of the user's locale
// (a comma on a Swedish system, a point on an English one). Surrounding blanks are ignored.
// Texts that are not a finite number give nothing: empty or blank texts, a point typed under a
// Swedish locale, digit grouping, "nan", "inf" and values too large for a double.
std::optional<double> read_form_number(const QString& text, const QLocale& locale);

// True when the text is written as a number but its value lies beyond what a double holds, such
// as "1e999" or "1e-400": the user is told that the value is too large or too small rather than
// that it is no number.
bool is_out_of_range_number(const QString& text, const QLocale& locale);

// How the decimal separator of a locale is called in a message, e.g. "decimalkomma".
QString decimal_separator_name(const QLocale& locale);

}  // namespace varmkalk
