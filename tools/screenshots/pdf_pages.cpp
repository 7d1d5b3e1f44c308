// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/screenshots/pdf_pages.h"

#include <QProcess>
#include <QTextStream>

namespace varmkalk {

namespace {

// Sharp enough to read the pages' text, small enough to look at a whole page.
constexpr int kPageDpi = 80;

}  // namespace

bool save_pdf_pages(const QString& pdf, const QString& stem_path) {
  const int converted = QProcess::execute(
      QStringLiteral("pdftoppm"),
      {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(kPageDpi), pdf, stem_path});
  QTextStream(stdout) << (converted == 0 ? "skrev " : "pdftoppm misslyckades med ") << pdf
                      << Qt::endl;
  return converted == 0;
}

}  // namespace varmkalk
