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

// How the decimal separator of a locale is called in a message, e.g. "decimalkomma".
QString decimal_separator_name(const QLocale& locale);

}  // namespace varmkalk
