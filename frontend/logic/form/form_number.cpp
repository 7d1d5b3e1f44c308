// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/form_number.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace varmkalk {

std::optional<double> read_form_number(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    return std::nullopt;
  }
  // Grouping is refused: "1,500" on an English system is far more likely a mistyped decimal
  // comma than fifteen hundred.
  QLocale strict = locale;
  strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> read_grouped_number(const QString& text, const QLocale& locale) {
  // Whole digits in groups of three, each set apart by one blank of the kinds a bill or a
  // copied text carries, and nothing but the decimal part or the exponent after the last group.
  static const QRegularExpression kGrouped(
      QStringLiteral("^([+\\-\\x{2212}]?[0-9]{1,3}(?:[ \\x{00A0}\\x{202F}][0-9]{3})+)(?![0-9 "
                     "\\x{00A0}\\x{202F}])"));
  const QString trimmed = text.trimmed();
  const QRegularExpressionMatch grouped = kGrouped.match(trimmed);
  if (!grouped.hasMatch()) {
    return read_form_number(trimmed, locale);
  }
  QString whole = grouped.captured(1);
  whole.remove(QLatin1Char(' ')).remove(QChar(0x00A0)).remove(QChar(0x202F));
  return read_form_number(whole + trimmed.mid(grouped.capturedEnd(1)), locale);
}

QString quoted_text(const QString& text) {
  constexpr qsizetype kShownCharacters = 24;
  QString shown = text.trimmed();
  for (QChar& character : shown) {
    if (character.category() == QChar::Other_Control) {
      character = QLatin1Char('?');
    }
  }
  if (shown.size() > kShownCharacters) {
    qsizetype cut = kShownCharacters;
    if (shown.at(cut - 1).isHighSurrogate()) {
      --cut;
    }
    shown = shown.left(cut) + QChar(0x2026);
  }
  return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString number_fault_message(const QString& label, const QString& text, const QLocale& locale,
                             bool grouped) {
  const QString quoted_label = QLatin1Char('"') + label + QLatin1Char('"');
  if (text.trimmed().isEmpty()) {
    return QCoreApplication::translate("FormNumber", "Fältet %1 är tomt. Skriv ett tal.")
        .arg(quoted_label);
  }
  if (is_out_of_range_number(text, locale)) {
    return QStringLiteral(
               "Fältet %1 innehåller %2, ett tal som är för stort eller för nära noll "
               "för beräkningen.")
        .arg(quoted_label, quoted_text(text));
  }
  QString message = QStringLiteral(
                        "Fältet %1 innehåller %2, som inte är ett tal. Skriv talet med "
                        "%3, till exempel %4.")
                        .arg(quoted_label, quoted_text(text), decimal_separator_name(locale),
                             locale.toString(12.5));
  if (grouped) {
    constexpr int kGroupedExample = 16500;
    QLocale blank_groups = locale;
    blank_groups.setNumberOptions(QLocale::DefaultNumberOptions);
    message += QLatin1Char(' ') +
               QCoreApplication::translate("FormNumber",
                                           "Siffergrupper får skiljas med mellanslag, som i %1.")
                   .arg(blank_groups.toString(kGroupedExample)
                            .replace(blank_groups.groupSeparator(), QStringLiteral(" ")));
  }
  return message;
}

bool is_out_of_range_number(const QString& text, const QLocale& locale) {
  QString plain = text.trimmed();
  plain.replace(locale.decimalPoint(), QStringLiteral("."));
  // The typographic minus sign that some locales write.
  plain.replace(QChar(0x2212), QLatin1Char('-'));
  if (plain.startsWith(QLatin1Char('+'))) {
    plain.remove(0, 1);
  }
  const std::string digits = plain.toStdString();
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return error == std::errc::result_out_of_range && end == digits.data() + digits.size();
}

QString decimal_separator_name(const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  if (separator == QStringLiteral(",")) {
    return QStringLiteral("decimalkomma");
  }
  if (separator == QStringLiteral(".")) {
    return QStringLiteral("decimalpunkt");
  }
  return QStringLiteral("decimaltecknet \"%1\"").arg(separator);
}

QString form_number_text(double value, const QLocale& locale) {
  QLocale plain = locale;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  return plain.toString(value, 'f', QLocale::FloatingPointShortest);
}

}  // namespace varmkalk
