// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/help/chart_common.h"
#include "frontend/help/chart_math.h"

#include <QWidget>

#include <vector>

namespace varmkalk {

// A surface of a surface chart, drawn as a mesh of lines in data coordinates (x, y, z).
struct SurfaceSeries {
  QString name;
  QColor color;
  std::vector<SpaceLine> lines;
};

// The three-dimensional variant of the line chart: a box in dimetric projection with shaded
// floor and back walls and their grid, x along the front left edge of the floor, the depth y
// along its front right edge and z up its left corner, the surfaces as coloured meshes, and a
// legend at the right.
class SurfaceChart : public QWidget {
  Q_OBJECT

 public:
  explicit SurfaceChart(QWidget* parent = nullptr);

  void set_title(const QString& title);
  void set_axes(const ChartAxis& x_axis, const ChartAxis& y_axis, const ChartAxis& z_axis);
  void add_series(const SurfaceSeries& series);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
  ChartAxis x_axis_;
  ChartAxis y_axis_;
  ChartAxis z_axis_;
  std::vector<SurfaceSeries> series_;
};

}  // namespace varmkalk
