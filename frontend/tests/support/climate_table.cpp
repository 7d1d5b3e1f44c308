// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/support/climate_table.h"

#include <QByteArray>
#include <QFile>

namespace varmkalk::testing {

namespace {

// A climate file's line: the day in four columns, the temperature in the next seven.
constexpr qsizetype kTemperatureColumn = 4;
constexpr qsizetype kTemperatureWidth = 7;

}  // namespace

bool write_climate_table(const QString& climate_path, const QString& table_path, QDate first_day) {
  QFile climate(climate_path);
  QFile table(table_path);
  if (!climate.open(QIODevice::ReadOnly) || !table.open(QIODevice::WriteOnly)) {
    return false;
  }
  table.write("datum;temperatur\n");
  QDate date = first_day;
  for (const QByteArray& line : climate.readAll().split('\n')) {
    if (line.size() >= kTemperatureColumn + kTemperatureWidth) {
      table.write(date.toString(Qt::ISODate).toLatin1() + ';' +
                  line.mid(kTemperatureColumn, kTemperatureWidth).trimmed() + '\n');
      date = date.addDays(1);
    }
  }
  return true;
}

}  // namespace varmkalk::testing
