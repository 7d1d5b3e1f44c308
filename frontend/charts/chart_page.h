// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/charts/year_charts.h"
#include "frontend/logic/year/year_energy.h"

#include <QWidget>

#include <memory>
#include <optional>

class QChartView;
class QPainter;

namespace varmkalk {

// One tab of the chart window: the chart, or the reason why it has nothing to show.
class ChartPage : public QWidget {
  Q_OBJECT

 public:
  ChartPage(const ChartInfo& info, std::shared_ptr<const ChartYear> year,
            QWidget* parent = nullptr);

  const ChartInfo& info() const { return info_; }
  // The Qt Charts view of the page, nullptr for the energy flow and for a message.
  QChartView* chart_view() const { return view_; }

  // Draws the page as it is exported into `target`: the chart laid out at kExportSize, then
  // scaled to fit.
  void render_to(QPainter& painter, const QRectF& target) const;

 private:
  ChartInfo info_;
  std::shared_ptr<const ChartYear> year_;
  QString unavailable_;
  std::optional<EnergyFlow> flow_;  // only on the page of an energy flow that is available
  QChartView* view_ = nullptr;
};

}  // namespace varmkalk
