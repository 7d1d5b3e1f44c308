// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_export.h"

#include "frontend/charts/chart_style.h"
#include "frontend/charts/export_drawing.h"
#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/kept/cost_figures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace varmkalk {

namespace {

constexpr qreal kSummaryPointSize = 8.0;

void paint_first_page(QPainter& painter, const QRectF& area, const ChartYear& year,
                      const QDateTime& made) {
  QFont heading = chart_title_font();
  heading.setPointSizeF(heading.pointSizeF() * 1.4);
  QRectF rest = draw_text_block(
      painter, area, heading,
      QCoreApplication::translate("ChartExport", "VARMKALK – diagram för beräkningen %1")
          .arg(year.identity));
  QStringList facts{
      QCoreApplication::translate("ChartExport", "Utskriven %1").arg(made_text(made))};
  facts << (year.source == YearSource::calculation
                ? QCoreApplication::translate(
                      "ChartExport",
                      "Värdena kommer från beräkningen, räknade på nytt med samma "
                      "program som beräkningsprogrammet.")
                : QCoreApplication::translate("ChartExport",
                                              "Värdena kommer från de sparade resultatfilerna."));
  if (!year.note.isEmpty()) {
    facts << year.note;
  }
  rest = draw_text_block(painter, rest, QFont(), facts.join(QLatin1Char('\n')));
  // The warnings the main menu shows above the summary go with it.
  for (const QString& notice : year.notices) {
    rest = draw_text_block(painter, rest, QFont(), notice);
  }
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(kSummaryPointSize);
  if (year.cost) {
    QStringList lines = cost_lines(*year.cost, chart_locale());
    rest = draw_text_block(painter, rest, chart_title_font(), lines.takeFirst());
    rest = draw_text_block(painter, rest, fixed, lines.join(QLatin1Char('\n')));
  }
  rest = draw_text_block(painter, rest, chart_title_font(),
                         QCoreApplication::translate("ChartExport", "Sammanfattning och indata"));
  draw_text_block(painter, rest, fixed,
                  year.summary_lines.isEmpty()
                      ? QCoreApplication::translate("ChartExport", "Sammanfattningen saknas.")
                      : year.summary_lines.join(QLatin1Char('\n')));
}

// The result box's two columns of the boiler and the heat pump, on a page of their own.
void paint_heat_pump_page(QPainter& painter, const QRectF& area, const HeatPumpChart& heat_pump) {
  QStringList lines = side_by_side_lines(heat_pump.sides, heat_pump.name, chart_locale());
  const QRectF rest = draw_text_block(painter, area, chart_title_font(), lines.takeFirst());
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(kSummaryPointSize);
  draw_text_block(painter, rest, fixed, lines.join(QLatin1Char('\n')));
}

}  // namespace

QByteArray chart_png(const ChartPage& page) {
  return export_png(
      [&page](QPainter& painter, const QRectF& area) { page.render_to(painter, area); });
}

QByteArray chart_pdf(const ChartPage& page) {
  return export_pdf(QPageLayout::Landscape, page.info().title,
                    [&page](QPdfWriter& writer, QPainter& painter) {
                      page.render_to(painter, paint_area(writer));
                    });
}

QByteArray report_pdf(const ChartYear& year, const std::vector<const ChartPage*>& pages,
                      const QDateTime& made) {
  return export_pdf(
      QPageLayout::Portrait,
      QCoreApplication::translate("ChartExport", "Diagram för beräkningen %1").arg(year.identity),
      [&](QPdfWriter& writer, QPainter& painter) {
        paint_first_page(painter, paint_area(writer), year, made);
        if (year.heat_pump) {
          writer.newPage();
          paint_heat_pump_page(painter, paint_area(writer), *year.heat_pump);
        }
        for (const ChartPage* page : pages) {
          writer.setPageOrientation(QPageLayout::Landscape);
          writer.newPage();
          page->render_to(painter, paint_area(writer));
        }
      });
}

std::optional<FileError> save_export(const QString& path, const QByteArray& bytes) {
  if (const std::optional<QString> reason = save_whole_file(path, bytes)) {
    return FileError{QCoreApplication::translate("ChartExport", "Filen %1 kunde inte sparas: %2")
                         .arg(QDir::toNativeSeparators(path), *reason)};
  }
  return std::nullopt;
}

}  // namespace varmkalk
