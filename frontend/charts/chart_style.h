// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/year_energy.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <QString>

namespace varmkalk {

// The charts write numbers as the user's settings do (a decimal comma on a Swedish system, a
// point on an English one), as the forms read and write them.
QLocale chart_locale();

// A number as the charts write it: in the user's locale, with `decimals` decimals and grouped
// thousands.
QString chart_text(double value, int decimals);

// "12 345 kWh", whole kWh as the summary rounds them.
QString kwh_text(double kwh);

// When an export was made, as its first page prints it, in Swedish like every other word of the
// program: "9 december 2026, 15:05".
QString made_text(const QDateTime& made);

// The colours of the two balance variants, of the days the boiler falls short and of the fuel.
inline const QColor kWithPumpColor{31, 119, 180};
inline const QColor kWithoutPumpColor{255, 127, 14};
inline const QColor kUnmetColor{214, 39, 40};
// Neutral: days on which only the model's part-load rule fell short are no fault of the boiler.
inline const QColor kPartLoadColor{150, 150, 150};
inline const QColor kFuelColor{40, 40, 40};

// The colour of an energy part, the same in every chart.
QColor part_color(EnergyPart part);

// The title font of a chart and of the report's pages.
QFont chart_title_font();

}  // namespace varmkalk
