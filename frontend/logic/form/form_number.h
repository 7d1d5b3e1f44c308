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

// A number as a bill prints it: as read_form_number reads it, or with its whole digits in groups
// of three set apart by a blank, a no-break space or a narrow no-break space ("16 500",
// "1 234 567,5"). The locale's own group separator stays refused where it is no blank: "1,500"
// on an English system is more likely a mistyped decimal comma than fifteen hundred.
std::optional<double> read_grouped_number(const QString& text, const QLocale& locale);

// How a field's text that gives no number is told, in the input form's words: an empty field,
// a value beyond what a double holds, or no number with the separator to use and an example.
// `grouped` adds that digit groups may be set apart, for the fields read_grouped_number reads.
QString number_fault_message(const QString& label, const QString& text, const QLocale& locale,
                             bool grouped = false);

// A typed text as a message quotes it: control characters shown as '?', and a long text cut
// short, so that the message box keeps its advice on the screen.
QString quoted_text(const QString& text);

// True when the text is written as a number but its value lies beyond what a double holds, such
// as "1e999" or "1e-400": the user is told that the value is too large or too small rather than
// that it is no number.
bool is_out_of_range_number(const QString& text, const QLocale& locale);

// How the decimal separator of a locale is called in a message, e.g. "decimalkomma".
QString decimal_separator_name(const QLocale& locale);

// A number as a form field shows it in `locale`: the shortest text that reads back as `value`.
QString form_number_text(double value, const QLocale& locale);

}  // namespace varmkalk
