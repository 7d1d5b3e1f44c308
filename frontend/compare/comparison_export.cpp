// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/compare/comparison_export.h"

#include "frontend/charts/chart_style.h"
#include "frontend/charts/export_drawing.h"

#include <QChart>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace varmkalk {

namespace {

constexpr qreal kTablePointSize = 8.0;
constexpr qreal kRowSpacing = 1.5;  // row height in lines of text
constexpr qreal kCellPadding = 4.0;
constexpr qreal kLabelShare = 0.30;  // of the page's width
constexpr qreal kUnitShare = 0.07;
const QColor kGridColor{190, 190, 190};
const QColor kSectionColor{230, 230, 240};

// Draws the table's pages from `top` on, each continued page with the header again.
class TablePainter {
 public:
  TablePainter(QPdfWriter& writer, QPainter& painter, const ComparisonTable& table)
      : writer_(writer), painter_(painter), table_(table), area_(paint_area(writer)) {
    font_.setPointSizeF(kTablePointSize);
    bold_ = font_;
    bold_.setBold(true);
    row_height_ = QFontMetricsF(font_, &writer_).height() * kRowSpacing;
    label_width_ = area_.width() * kLabelShare;
    unit_width_ = area_.width() * kUnitShare;
    value_width_ = (area_.width() - label_width_ - unit_width_) /
                   static_cast<qreal>(std::max<qsizetype>(table_.identities.size(), 1));
  }

  void paint(qreal top) {
    y_ = top;
    header();
    QString section;
    for (const ComparisonRow& row : table_.rows) {
      if (row.section != section) {
        section = row.section;
        room_for(2);
        cell(QRectF(area_.left(), y_, area_.width(), row_height_), section, bold_, kSectionColor,
             Qt::AlignLeft);
        y_ += row_height_;
      }
      room_for(1);
      qreal x = area_.left();
      cell(QRectF(x, y_, label_width_, row_height_), row.label, font_, Qt::white, Qt::AlignLeft);
      x += label_width_;
      cell(QRectF(x, y_, unit_width_, row_height_), row.unit, font_, Qt::white, Qt::AlignLeft);
      x += unit_width_;
      for (const ComparisonCell& value : row.cells) {
        cell(QRectF(x, y_, value_width_, row_height_), shown_text(value), font_,
             value.differs ? kDifferenceColor : QColor(Qt::white), Qt::AlignRight);
        x += value_width_;
      }
      y_ += row_height_;
    }
  }

 private:
  void header() {
    qreal x = area_.left();
    cell(QRectF(x, y_, label_width_, 2 * row_height_),
         QCoreApplication::translate("ComparisonExport", "Storhet"), bold_, kSectionColor,
         Qt::AlignLeft);
    x += label_width_;
    cell(QRectF(x, y_, unit_width_, 2 * row_height_),
         QCoreApplication::translate("ComparisonExport", "Enhet"), bold_, kSectionColor,
         Qt::AlignLeft);
    x += unit_width_;
    for (qsizetype i = 0; i < table_.identities.size(); ++i) {
      cell(QRectF(x, y_, value_width_, 2 * row_height_), column_heading(table_, i), bold_,
           kSectionColor, Qt::AlignRight);
      x += value_width_;
    }
    y_ += 2 * row_height_;
  }

  // Begins a new page when fewer than `rows` rows fit on this one.
  void room_for(int rows) {
    if (y_ + rows * row_height_ <= area_.bottom()) {
      return;
    }
    writer_.newPage();
    y_ = area_.top();
    header();
  }

  void cell(const QRectF& rect, const QString& text, const QFont& font, const QColor& background,
            Qt::Alignment alignment) {
    painter_.fillRect(rect, background);
    painter_.setPen(kGridColor);
    painter_.drawRect(rect);
    painter_.setPen(Qt::black);
    painter_.setFont(font);
    painter_.drawText(rect.adjusted(kCellPadding, 0.0, -kCellPadding, 0.0),
                      alignment | Qt::AlignVCenter, text);
  }

  QPdfWriter& writer_;
  QPainter& painter_;
  const ComparisonTable& table_;
  QRectF area_;
  QFont font_;
  QFont bold_;
  qreal row_height_ = 0.0;
  qreal label_width_ = 0.0;
  qreal unit_width_ = 0.0;
  qreal value_width_ = 0.0;
  qreal y_ = 0.0;
};

}  // namespace

QByteArray comparison_pdf(const ComparisonTable& table,
                          const std::vector<ComparedCalculation>& compared,
                          const QStringList& notes, const QDateTime& made) {
  const QString identities = table.identities.join(QStringLiteral(", "));
  return export_pdf(
      QPageLayout::Landscape,
      QCoreApplication::translate("ComparisonExport", "Jämförelse av beräkningarna %1")
          .arg(identities),
      [&](QPdfWriter& writer, QPainter& painter) {
        const QRectF below_heading =
            draw_text_block(painter, paint_area(writer), chart_title_font(),
                            QCoreApplication::translate("ComparisonExport",
                                                        "VARMKALK – jämförelse av beräkningarna %1")
                                .arg(identities));
        QStringList facts{QCoreApplication::translate(
                              "ComparisonExport",
                              "Utskriven %1. Värden som skiljer sig från %2 är markerade, med "
                              "skillnaden inom parentes.")
                              .arg(made_text(made), table.identities.value(0))};
        facts += notes;
        QFont small;
        small.setPointSizeF(kTablePointSize);
        const QRectF below_facts =
            draw_text_block(painter, below_heading, small, facts.join(QLatin1Char('\n')));
        TablePainter(writer, painter, table).paint(below_facts.top());
        writer.newPage();
        render_chart(painter, paint_area(writer), efficiency_bar_chart(compared));
        writer.newPage();
        render_chart(painter, paint_area(writer), efficiency_overlay_chart(compared));
      });
}

}  // namespace varmkalk
