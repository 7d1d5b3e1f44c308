// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace varmkalk {

// The text broken at blanks into lines of at most `columns` characters; a longer word stands on
// a line of its own.
QStringList wrapped_lines(const QString& text, qsizetype columns);

}  // namespace varmkalk
