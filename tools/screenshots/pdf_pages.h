// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varmkalk {

// Turns the PDF's pages into pictures, `stem_path`-<page>.png, with pdftoppm
// and says so on standard output; false when pdftoppm failed.
bool save_pdf_pages(const QString& pdf, const QString& stem_path);

}  // namespace varmkalk
