// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/help/chart_common.h"
#include "frontend/help/chart_math.h"

#include <QWidget>

#include <vector>

namespace varmkalk {

// A curve of a line chart, possibly in several pieces (a curve clipped at the top of the chart).
struct ChartSeries {
  QString name;
  QColor color;
  std::vector<Polyline> pieces;
};

// A small two-dimensional line chart drawn with QPainter: title, plot area with grid, axes with
// ticks, tick labels and titles, curves, and a legend at the right.
class LineChart : public QWidget {
  Q_OBJECT

 public:
  explicit LineChart(QWidget* parent = nullptr);

  void set_title(const QString& title);
  void set_axes(const ChartAxis& x_axis, const ChartAxis& y_axis);
  void add_series(const ChartSeries& series);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
  ChartAxis x_axis_;
  ChartAxis y_axis_;
  std::vector<ChartSeries> series_;
};

}  // namespace varmkalk
