// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/energy_flow_view.h"

#include "frontend/charts/chart_style.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace varmkalk {

namespace {

constexpr qreal kMargin = 16.0;
constexpr qreal kGap = 12.0;
constexpr qreal kBarShare = 0.62;  // of a row's height
const QColor kFuelBarColor{90, 90, 90};
const QColor kConnectorColor{120, 120, 120};

struct Bar {
  QString name;
  QString value;
  QColor color;
  double from_wh;
  double to_wh;
  double level_after;  // where the waterfall stands after this bar
  QString tooltip;
};

// A part's kWh in kronor, as the gas bill charges the fuel for it; empty where the price is
// not known.
QString kronor_text(double kwh, const EnergyFlow& flow) {
  if (!flow.sek_per_fuel_kwh) {
    return {};
  }
  return QCoreApplication::translate("EnergyFlowView", "   %1 kr")
      .arg(chart_locale().toString(
          static_cast<qlonglong>(std::llround(kwh * *flow.sek_per_fuel_kwh))));
}

QString value_text(const FlowPart& part, const EnergyFlow& flow) {
  return QStringLiteral("%1   %2 %")
             .arg(kwh_text(part.energy.summary_kwh), chart_text(part.fuel_percent, 1)) +
         kronor_text(part.energy.summary_kwh, flow);
}

QString part_tooltip(const FlowPart& part, const QString& what) {
  return QCoreApplication::translate("EnergyFlowView", "%1: %2 (%3 % av bränslet) %4")
      .arg(part.name, kwh_text(part.energy.summary_kwh), chart_text(part.fuel_percent, 1), what)
      .trimmed();
}

// The bars in order: the fuel, the losses that take from it, the credits that add to it, the
// useful heat that is left.
std::vector<Bar> bars_of(const EnergyFlow& flow) {
  std::vector<Bar> bars;
  bars.push_back({QCoreApplication::translate("EnergyFlowView", "Bränsle"),
                  kwh_text(flow.fuel.summary_kwh) + QStringLiteral("   100 %") +
                      kronor_text(flow.fuel.summary_kwh, flow),
                  kFuelBarColor, 0.0, flow.fuel.wh, flow.fuel.wh,
                  QCoreApplication::translate("EnergyFlowView", "Bränsle: %1")
                      .arg(kwh_text(flow.fuel.summary_kwh))});
  // A part the case does not have (no pilot flame, no heater) shows as 0 kWh and is left out.
  std::vector<FlowPart> ordered;
  std::copy_if(flow.losses.begin(), flow.losses.end(), std::back_inserter(ordered),
               [](const FlowPart& part) { return part.energy.summary_kwh != 0.0; });
  std::stable_partition(ordered.begin(), ordered.end(),
                        [](const FlowPart& part) { return part.energy.wh >= 0.0; });
  double level = flow.fuel.wh;
  for (const FlowPart& part : ordered) {
    const bool credit = part.energy.wh < 0.0;
    const double next = level - part.energy.wh;
    const bool condensing = part.part == EnergyPart::flue_gas && credit;
    QString what =
        credit ? QCoreApplication::translate("EnergyFlowView", "– en vinst, som minskar bränslet")
               : QString();
    if (part.part == EnergyPart::other) {
      what = QCoreApplication::translate(
          "EnergyFlowView",
          "– dygnsbalansens tolerans och förlusterna på värme som pannan inte "
          "kunde leverera");
    }
    bars.push_back(
        {condensing ? QCoreApplication::translate("EnergyFlowView", "Avgaser (kondensationsvinst)")
                    : part.name,
         value_text(part, flow), part_color(part.part), std::min(level, next),
         std::max(level, next), next, part_tooltip(part, what)});
    level = next;
  }
  bars.push_back(
      {flow.useful_heat.name, value_text(flow.useful_heat, flow),
       part_color(EnergyPart::space_heat), 0.0, flow.useful_heat.energy.wh,
       flow.useful_heat.energy.wh,
       part_tooltip(flow.useful_heat, QCoreApplication::translate(
                                          "EnergyFlowView", "– uppvärmning och varmvatten"))});
  return bars;
}

}  // namespace

std::vector<FlowRow> paint_energy_flow(QPainter& painter, const QRectF& area,
                                       const EnergyFlow& flow, const QString& title) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(area, Qt::white);
  const QRectF inner = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);

  const QFont title_font = chart_title_font();
  const QFont text_font = QApplication::font();
  QFont note_font = text_font;
  note_font.setPointSizeF(text_font.pointSizeF() * 0.85);
  const QFontMetricsF title_metrics(title_font, painter.device());
  const QFontMetricsF text_metrics(text_font, painter.device());
  const QFontMetricsF note_metrics(note_font, painter.device());

  painter.setPen(Qt::black);
  painter.setFont(title_font);
  QRectF title_area(inner.left(), inner.top(), inner.width(), title_metrics.height());
  painter.drawText(title_area, Qt::AlignHCenter | Qt::AlignTop, title);

  painter.setFont(note_font);
  QString notes = QCoreApplication::translate(
      "EnergyFlowView",
      "Varje del i kWh och i procent av årets bränsle (bruttoenergin med pumpens värme "
      "tillgodoräknad).\nBeredarförlusten gäller eldningsdagarna. Pilotlågans del är dess bränsle "
      "enligt dygnsverkningsgraden minus de 70 % av dess värme som täcker stilleståndsförlusten.");
  if (flow.sek_per_fuel_kwh) {
    notes += QCoreApplication::translate(
                 "EnergyFlowView",
                 "\nKronorna är vad gasräkningen tar för delens bränsle under eldningssäsongen, %1 "
                 "kr per "
                 "kWh bränsle (undre värmevärde); utan fast avgift, pumpens el och dygnen utan "
                 "värmebehov.")
                 .arg(chart_text(*flow.sek_per_fuel_kwh, 2));
  }
  const qreal note_lines = flow.sek_per_fuel_kwh ? 3.0 : 2.0;
  const QRectF note_area(inner.left(), inner.bottom() - note_lines * note_metrics.lineSpacing(),
                         inner.width(), note_lines * note_metrics.lineSpacing());
  painter.setPen(QColor(60, 60, 60));
  painter.drawText(note_area, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, notes);

  const std::vector<Bar> bars = bars_of(flow);
  qreal name_width = 0.0;
  qreal value_width = 0.0;
  double low = 0.0;
  double high = 0.0;
  for (const Bar& bar : bars) {
    name_width = std::max(name_width, text_metrics.horizontalAdvance(bar.name));
    value_width = std::max(value_width, text_metrics.horizontalAdvance(bar.value));
    low = std::min(low, bar.from_wh);
    high = std::max(high, bar.to_wh);
  }
  const qreal rows_top = title_area.bottom() + kGap;
  const qreal rows_bottom = note_area.top() - kGap;
  const qreal row_height = (rows_bottom - rows_top) / static_cast<qreal>(bars.size());
  const qreal bar_left = inner.left() + name_width + kGap;
  const qreal bar_right = inner.right() - value_width - kGap;
  const double span = high > low ? high - low : 1.0;
  const auto x_of = [&](double wh) {
    return bar_left + (bar_right - bar_left) * (wh - low) / span;
  };

  painter.setFont(text_font);
  std::vector<FlowRow> rows;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const Bar& bar = bars[i];
    const QRectF row(inner.left(), rows_top + row_height * static_cast<qreal>(i), inner.width(),
                     row_height);
    const qreal bar_height = row_height * kBarShare;
    const QRectF box(QPointF(x_of(bar.from_wh), row.center().y() - bar_height / 2.0),
                     QPointF(x_of(bar.to_wh), row.center().y() + bar_height / 2.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bar.color);
    // The thinnest part still shows as a line.
    painter.drawRect(box.width() < 1.0 ? box.adjusted(-0.5, 0.0, 0.5, 0.0) : box);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(inner.left(), row.top(), name_width, row_height),
                     Qt::AlignRight | Qt::AlignVCenter, bar.name);
    painter.drawText(QRectF(bar_right + kGap, row.top(), value_width, row_height),
                     Qt::AlignRight | Qt::AlignVCenter, bar.value);
    if (i + 1 < bars.size()) {
      // The waterfall's step on to the next bar.
      painter.setPen(QPen(kConnectorColor, 1.0, Qt::DotLine));
      painter.drawLine(QPointF(x_of(bar.level_after), box.bottom()),
                       QPointF(x_of(bar.level_after), box.bottom() + row_height - bar_height));
    }
    rows.push_back({row, bar.tooltip});
  }
  // The zero line of the bars.
  painter.setPen(QPen(Qt::black, 1.0));
  painter.drawLine(QPointF(x_of(0.0), rows_top), QPointF(x_of(0.0), rows_bottom));
  painter.restore();
  return rows;
}

EnergyFlowView::EnergyFlowView(EnergyFlow flow, QString title, QWidget* parent)
    : QWidget(parent), flow_(std::move(flow)), title_(std::move(title)) {
  setMouseTracking(true);
}

void EnergyFlowView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  rows_ = paint_energy_flow(painter, rect(), flow_, title_);
}

bool EnergyFlowView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto row = std::find_if(rows_.begin(), rows_.end(), [&](const FlowRow& one) {
      return one.area.contains(help->pos());
    });
    if (row != rows_.end()) {
      QToolTip::showText(help->globalPos(), row->tooltip, this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace varmkalk
