// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/examples/climate_table.h"

#include "core/formats/control_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>

namespace varmkalk::testing {

namespace {

// A climate file's line: the day in four columns, the temperature in the next seven.
constexpr qsizetype kTemperatureColumn = 4;
constexpr qsizetype kTemperatureWidth = 7;

// The made-up year: coldest on 15 January, its mean and its swing in tenths of a degree.
constexpr int kColdestDay = 15;
constexpr double kMeanTenths = 60.0;
constexpr double kSwingTenths = 150.0;
constexpr double kDaysPerYear = 365.0;

bool write_whole(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

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

bool write_case_folder(const QString& folder, const core::BoilerCase& input, int days,
                       std::optional<int> warm_tenths) {
  const QDir dir(folder);
  if (!write_whole(dir.filePath(QStringLiteral("styrfil.dat")),
                   QByteArray::fromStdString(core::control_file_text(input)))) {
    return false;
  }
  if (days == 0) {
    return true;
  }
  QByteArray text;
  for (int day = 1; day <= days; ++day) {
    const double phase = 2.0 * std::numbers::pi * (day - kColdestDay) / kDaysPerYear;
    const double tenths =
        warm_tenths ? *warm_tenths : std::round(kMeanTenths - kSwingTenths * std::cos(phase));
    char line[32];
    std::snprintf(line, sizeof line, "%4d%7.1f\r\n", day, tenths / 10.0);
    text += line;
  }
  const std::string_view name = core::climate_file_name(input.climate);
  return write_whole(
      dir.filePath(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))), text);
}

}  // namespace varmkalk::testing
