// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace varmkalk {

bool install_qt_translations(QCoreApplication& app, const QLocale& locale) {
  if (locale.language() != QLocale::Swedish) {
    return false;
  }
  // The translator installed last is asked first: the program's own goes over Qt's.
  const QString qt_folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qt", "qtbase"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, QString::fromLatin1(name), QStringLiteral("_"), qt_folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
  auto* own = new QTranslator(&app);
  if (!own->load(QStringLiteral(":/translations/qt_texts_sv.qm"))) {
    delete own;
    return false;
  }
  return QCoreApplication::installTranslator(own);
}

}  // namespace varmkalk
