// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

// The numbers behind the two help charts, free of widgets: the loss formulas, the sampled and
// clipped curves and the projection of the 3-D plot.

namespace varmkalk {

struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
};

struct SpacePoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

using Polyline = std::vector<PlotPoint>;
using SpaceLine = std::vector<SpacePoint>;

// Q_konv = C (T_panna - T_rum)^1,3: the boiler body's convection and radiation loss in W.
inline constexpr double kConvectionExponent = 1.3;
double convection_power(double constant, double temp_diff);

// Q_sb = C_1 (T_panna - T_rum)^C_2: the standby loss in W while the burner is off.
double standby_power(double constant, double exponent, double temp_diff);

// The values of C in the convection chart and of C_2 in the standby chart.
inline constexpr std::array<double, 8> kChartParameters{0.1, 0.3, 0.5, 0.7, 0.9, 1.1, 1.3, 1.5};

// Tick positions from `min` to `max` in steps of `step`, both ends included.
std::vector<double> tick_values(double min, double max, double step);

// The pieces of `line` at or below `y_max`; a segment that crosses `y_max` is cut where it
// crosses, so a curve leaving the top of a chart ends exactly on its edge.
std::vector<Polyline> clip_at_top(const Polyline& line, double y_max);

// One convection curve C ΔT^1,3 for ΔT from 0 to `temp_diff_max`, clipped at `power_max`.
std::vector<Polyline> convection_curve(double constant, double temp_diff_max, double power_max,
                                       int segments);

// The mesh of one standby surface C_1 ΔT^C_2 over C_1 in [0, constant_max] and ΔT in
// [0, temp_diff_max]: curves over ΔT at `constant_lines` equally spaced C_1 > 0 and straight
// lines over C_1 at `temp_diff_lines` equally spaced ΔT > 0, all clipped at `power_max`.
// The points are (C_1, ΔT, power).
struct SurfaceGrid {
  double temp_diff_max = 60.0;
  double constant_max = 2.0;
  double power_max = 800.0;
  int constant_lines = 4;
  int temp_diff_lines = 3;
  int segments = 60;
};
std::vector<SpaceLine> standby_surface(double exponent, const SurfaceGrid& grid);

// Dimetric projection of a point of the unit cube, as a 3-D chart is usually viewed: x runs
// down to the right, the depth y up to the right and z straight up, so the floor is a flat
// diamond with the origin at its left corner and (1, 0) at its front. The plane's y points up.
inline constexpr double kXAxisAngleDeg = 18.0;
inline constexpr double kYAxisAngleDeg = 18.0;
PlotPoint project_dimetric(const SpacePoint& unit_point);

// The rectangle that the projected unit cube fills.
struct PlotBounds {
  double min_x = 0.0;
  double max_x = 0.0;
  double min_y = 0.0;
  double max_y = 0.0;
};
PlotBounds projected_bounds();

}  // namespace varmkalk
