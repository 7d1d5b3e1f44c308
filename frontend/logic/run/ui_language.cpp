// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/ui_language.h"

#include "core/text/utf8_text.h"

#include <QCoreApplication>

namespace varmkalk {

namespace {

const QString kOption = QStringLiteral("--lang");

std::optional<UiLanguage> language_of_code(const QString& code) {
  if (code == QLatin1String("sv")) {
    return UiLanguage::swedish;
  }
  if (code == QLatin1String("en")) {
    return UiLanguage::english;
  }
  return std::nullopt;
}

}  // namespace

UiLanguage system_ui_language(const QStringList& ui_languages) {
  if (ui_languages.isEmpty()) {
    return UiLanguage::swedish;
  }
  // "sv", "sv-SE", "sv_FI": the language is the part before the territory.
  const QString first = ui_languages.front();
  const QString language = first.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
  if (language.isEmpty() || language.compare(QLatin1String("sv"), Qt::CaseInsensitive) == 0 ||
      language == QLatin1String("C") || language == QLatin1String("POSIX")) {
    return UiLanguage::swedish;
  }
  return UiLanguage::english;
}

std::variant<StartArguments, QString> start_arguments(const QStringList& arguments) {
  StartArguments read;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    QString code;
    if (argument == kOption) {
      if (i + 1 >= arguments.size()) {
        return QCoreApplication::translate("UiLanguage",
                                           "Flaggan --lang saknar sitt språk: skriv --lang sv "
                                           "eller --lang en.");
      }
      code = arguments[++i];
    } else if (argument.startsWith(kOption + QLatin1Char('='))) {
      code = argument.mid(kOption.size() + 1);
    } else {
      read.rest += argument;
      continue;
    }
    const std::optional<UiLanguage> language = language_of_code(code);
    if (!language) {
      return QCoreApplication::translate("UiLanguage",
                                         "Språket %1 efter --lang finns inte: skriv sv "
                                         "(svenska) eller en (engelska).")
          .arg(QString::fromStdString(core::quoted_for_message(code.toStdString())));
    }
    read.language = language;
  }
  return read;
}

QLocale ui_locale(UiLanguage language) {
  return language == UiLanguage::swedish ? QLocale(QLocale::Swedish, QLocale::Sweden)
                                         : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

}  // namespace varmkalk
