// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace varmkalk {

// The locale of a Swedish desktop, for the screens that show its decimal
// commas.
inline const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

}  // namespace varmkalk
