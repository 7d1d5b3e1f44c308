// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace varmkalk {

// Under a Swedish locale, makes Qt's own texts (standard buttons, the text fields' context menus,
// the file dialogs) Swedish: Qt's translation where the system has one, and over it the
// program's own for the texts that translation lacks. Other locales keep Qt's English. Returns
// whether the program's own translation was installed.
bool install_qt_translations(QCoreApplication& app, const QLocale& locale);

}  // namespace varmkalk
