// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_style.h"

#include <QApplication>

#include <cmath>

namespace varmkalk {

namespace {

constexpr double kTitleScale = 1.3;

}  // namespace

QLocale chart_locale() {
  return QLocale();
}

QString chart_text(double value, int decimals) {
  // A value that rounds to zero is written "0", never "-0".
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return chart_locale().toString(rounded == 0.0 ? 0.0 : rounded, 'f', decimals);
}

QString kwh_text(double kwh) {
  return chart_text(kwh, 0) + QStringLiteral(" kWh");
}

QString made_text(const QDateTime& made) {
  return QLocale(QLocale::Swedish, QLocale::Sweden)
      .toString(made, QStringLiteral("d MMMM yyyy, HH:mm"));
}

QColor part_color(EnergyPart part) {
  switch (part) {
    case EnergyPart::space_heat:
      return {31, 119, 180};
    case EnergyPart::hot_water:
      return {158, 202, 225};
    case EnergyPart::flue_gas:
      return {255, 127, 14};
    case EnergyPart::convection:
      return {140, 86, 75};
    case EnergyPart::standby:
      return {148, 103, 189};
    case EnergyPart::heater:
      return {188, 189, 34};
    case EnergyPart::pilot:
      return {255, 215, 0};
    case EnergyPart::pump_heat:
      return {44, 160, 44};
    case EnergyPart::other:
      return {160, 160, 160};
  }
  return {};
}

QFont chart_title_font() {
  QFont font = QApplication::font();
  font.setPointSizeF(font.pointSizeF() * kTitleScale);
  font.setBold(true);
  return font;
}

}  // namespace varmkalk
