// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/year/wrapped_lines.h"

namespace varmkalk {

QStringList wrapped_lines(const QString& text, qsizetype columns) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!line.isEmpty() && line.size() + 1 + word.size() > columns) {
      lines += line;
      line.clear();
    }
    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  if (!line.isEmpty()) {
    lines += line;
  }
  return lines;
}

}  // namespace varmkalk
