// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace varmkalk {

// The language the windows speak.
enum class UiLanguage { swedish, english };

// The language of the first of the system's UI languages (as QLocale::uiLanguages() lists them,
// "sv-SE", "en-GB", "C"): Swedish for a Swedish one, for C and POSIX and where none is named,
// English for any other.
UiLanguage system_ui_language(const QStringList& ui_languages);

// The command line without the language option, and the language it names, if any.
struct StartArguments {
  std::optional<UiLanguage> language;
  QStringList rest;
};

// Takes "--lang sv", "--lang en" or "--lang=…" out of the program's arguments; a language that
// is none of the two, or the option without one, is refused with a message that names it.
std::variant<StartArguments, QString> start_arguments(const QStringList& arguments);

// The locale whose translations Qt's own texts take in that language.
QLocale ui_locale(UiLanguage language);

}  // namespace varmkalk
