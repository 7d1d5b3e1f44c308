// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

namespace varmkalk {

// The exports for a spreadsheet program follow the user's locale: where it writes a decimal
// comma, as Swedish does, fields are separated by semicolons; otherwise by commas, with decimal
// points.
bool writes_decimal_comma(const QLocale& locale);
char csv_separator(const QLocale& locale);

// The value exactly (the shortest text that reads back as the same 32-bit value), with a decimal
// comma where the locale writes one, else a point.
QString csv_number(float value, const QLocale& locale);

// The rows as a spreadsheet program reads them: UTF-8 with a byte-order mark, so that å, ä and ö
// are read as such, each row a record ended by CR LF, its fields quoted where they need it.
QByteArray spreadsheet_bytes(const std::vector<QStringList>& rows, char separator);

}  // namespace varmkalk
