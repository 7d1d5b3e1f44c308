// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_export.h"

#include "frontend/charts/chart_style.h"
#include "frontend/charts/export_drawing.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace varmkalk {

namespace {

constexpr qreal kSummaryPointSize = 8.0;
constexpr qreal kHeadingGap = 10.0;

// Draws `text` from the top of `area` and returns the area below it.
QRectF draw_block(QPainter& painter, const QRectF& area, const QFont& font, const QString& text) {
  painter.setFont(font);
  const QRectF used =
      painter.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return area.adjusted(0.0, used.height() + kHeadingGap, 0.0, 0.0);
}

void paint_first_page(QPainter& painter, const QRectF& area, const ChartYear& year,
                      const QDateTime& made) {
  painter.setPen(Qt::black);
  QFont heading = chart_title_font();
  heading.setPointSizeF(heading.pointSizeF() * 1.4);
  QRectF rest =
      draw_block(painter, area, heading,
                 QStringLiteral("VARMKALK – diagram för beräkningen %1").arg(year.identity));
  QStringList facts{QStringLiteral("Utskriven %1")
                        .arg(chart_locale().toString(made, QStringLiteral("d MMMM yyyy, HH:mm")))};
  facts << (year.source == YearSource::calculation
                ? QStringLiteral("Värdena kommer från beräkningen, räknade på nytt med samma "
                                 "program som beräkningsprogrammet.")
                : QStringLiteral("Värdena kommer från de sparade resultatfilerna."));
  if (!year.note.isEmpty()) {
    facts << year.note;
  }
  rest = draw_block(painter, rest, QFont(), facts.join(QLatin1Char('\n')));
  rest = draw_block(painter, rest, chart_title_font(), QStringLiteral("Sammanfattning och indata"));
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(kSummaryPointSize);
  draw_block(painter, rest, fixed,
             year.summary_lines.isEmpty() ? QStringLiteral("Sammanfattningen saknas.")
                                          : year.summary_lines.join(QLatin1Char('\n')));
}

}  // namespace

QByteArray chart_png(const ChartPage& page) {
  return export_png(
      [&page](QPainter& painter, const QRectF& area) { page.render_to(painter, area); });
}

QByteArray chart_pdf(const ChartPage& page) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    start_pdf(writer, QPageLayout::Landscape);
    writer.setTitle(page.info().title);
    QPainter painter(&writer);
    page.render_to(painter, paint_area(writer));
  }
  return bytes;
}

QByteArray report_pdf(const ChartYear& year, const std::vector<const ChartPage*>& pages,
                      const QDateTime& made) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    start_pdf(writer, QPageLayout::Portrait);
    writer.setTitle(QStringLiteral("Diagram för beräkningen %1").arg(year.identity));
    QPainter painter(&writer);
    paint_first_page(painter, paint_area(writer), year, made);
    for (const ChartPage* page : pages) {
      writer.setPageOrientation(QPageLayout::Landscape);
      writer.newPage();
      page->render_to(painter, paint_area(writer));
    }
  }
  return bytes;
}

std::optional<FileError> save_export(const QString& path, const QByteArray& bytes) {
  if (const std::optional<QString> reason = save_whole_file(path, bytes)) {
    return FileError{QStringLiteral("Filen %1 kunde inte sparas: %2")
                         .arg(QDir::toNativeSeparators(path), *reason)};
  }
  return std::nullopt;
}

}  // namespace varmkalk
