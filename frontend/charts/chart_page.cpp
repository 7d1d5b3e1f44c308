// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_page.h"

#include "frontend/charts/chart_style.h"
#include "frontend/charts/energy_flow_view.h"
#include "frontend/charts/export_drawing.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace varmkalk {

namespace {

constexpr int kMessageMargin = 40;

// The page of a chart that has nothing to show: its title and why.
void paint_message(QPainter& painter, const QRectF& area, const QString& title,
                   const QString& message) {
  painter.save();
  painter.fillRect(area, Qt::white);
  const QRectF inner =
      area.adjusted(kMessageMargin, kMessageMargin, -kMessageMargin, -kMessageMargin);
  painter.setPen(Qt::black);
  painter.setFont(chart_title_font());
  painter.drawText(inner, Qt::AlignHCenter | Qt::AlignTop, title);
  painter.setFont(QFont());
  painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, message);
  painter.restore();
}

}  // namespace

ChartPage::ChartPage(const ChartInfo& info, std::shared_ptr<const ChartYear> year, QWidget* parent)
    : QWidget(parent),
      info_(info),
      year_(std::move(year)),
      unavailable_(chart_unavailable(info.kind, *year_)) {
  setObjectName(info_.file_stem);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (!unavailable_.isEmpty()) {
    layout->setContentsMargins(kMessageMargin, kMessageMargin, kMessageMargin, kMessageMargin);
    auto* title = new QLabel(info_.title, this);
    title->setFont(chart_title_font());
    title->setAlignment(Qt::AlignHCenter);
    auto* message = new QLabel(unavailable_, this);
    message->setObjectName(QStringLiteral("unavailable"));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(message, 1);
  } else if (info_.kind == ChartKind::energy_flow) {
    flow_ = std::get<EnergyFlow>(energy_flow(*year_));
    layout->addWidget(new EnergyFlowView(*flow_, info_.title, this));
  } else {
    view_ = new QChartView(build_chart(info_.kind, *year_).release(), this);
    view_->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(view_);
  }
}

void ChartPage::render_to(QPainter& painter, const QRectF& target) const {
  if (info_.kind != ChartKind::energy_flow && unavailable_.isEmpty()) {
    render_chart(painter, target, build_chart(info_.kind, *year_));
    return;
  }
  const QRectF logical(QPointF(0.0, 0.0), kExportSize);
  painter.save();
  fit_export_size(painter, target);
  if (!unavailable_.isEmpty()) {
    paint_message(painter, logical, info_.title, unavailable_);
  } else {
    paint_energy_flow(painter, logical, *flow_, info_.title);
  }
  painter.restore();
}

}  // namespace varmkalk
