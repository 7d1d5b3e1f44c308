// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/chart_math.h"

#include <cmath>
#include <numbers>

namespace varmkalk {

namespace {

// A boiler no warmer than its room loses nothing; this also keeps the power of a negative base
// out of the charts.
double loss_power(double constant, double exponent, double temp_diff) {
  if (temp_diff <= 0.0) {
    return 0.0;
  }
  return constant * std::pow(temp_diff, exponent);
}

PlotPoint crossing_at(const PlotPoint& a, const PlotPoint& b, double y) {
  const double t = (y - a.y) / (b.y - a.y);
  return {a.x + t * (b.x - a.x), y};
}

}  // namespace

double convection_power(double constant, double temp_diff) {
  return loss_power(constant, kConvectionExponent, temp_diff);
}

double standby_power(double constant, double exponent, double temp_diff) {
  return loss_power(constant, exponent, temp_diff);
}

std::vector<double> tick_values(double min, double max, double step) {
  std::vector<double> ticks;
  if (!(step > 0.0) || max < min) {
    return ticks;
  }
  // Counted rather than accumulated, so the last tick is not lost to rounding.
  const auto count = static_cast<int>(std::floor((max - min) / step + 1e-9));
  for (int i = 0; i <= count; ++i) {
    ticks.push_back(min + i * step);
  }
  return ticks;
}

std::vector<Polyline> clip_at_top(const Polyline& line, double y_max) {
  std::vector<Polyline> pieces;
  Polyline piece;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const PlotPoint& point = line[i];
    const bool inside = point.y <= y_max;
    if (i > 0) {
      const PlotPoint& previous = line[i - 1];
      const bool previous_inside = previous.y <= y_max;
      if (previous_inside && !inside) {
        piece.push_back(crossing_at(previous, point, y_max));
        pieces.push_back(std::move(piece));
        piece.clear();
      } else if (!previous_inside && inside) {
        piece.push_back(crossing_at(previous, point, y_max));
      }
    }
    if (inside) {
      piece.push_back(point);
    }
  }
  if (!piece.empty()) {
    pieces.push_back(std::move(piece));
  }
  return pieces;
}

std::vector<Polyline> convection_curve(double constant, double temp_diff_max, double power_max,
                                       int segments) {
  Polyline curve;
  for (int i = 0; i <= segments; ++i) {
    const double temp_diff = temp_diff_max * i / segments;
    curve.push_back({temp_diff, convection_power(constant, temp_diff)});
  }
  return clip_at_top(curve, power_max);
}

std::vector<SpaceLine> standby_surface(double exponent, const SurfaceGrid& grid) {
  std::vector<SpaceLine> mesh;
  const auto add_clipped = [&](const Polyline& line, const auto& to_space) {
    for (const Polyline& piece : clip_at_top(line, grid.power_max)) {
      SpaceLine space_line;
      for (const PlotPoint& point : piece) {
        space_line.push_back(to_space(point));
      }
      mesh.push_back(std::move(space_line));
    }
  };

  for (int j = 1; j <= grid.constant_lines; ++j) {
    const double constant = grid.constant_max * j / grid.constant_lines;
    Polyline curve;
    for (int i = 0; i <= grid.segments; ++i) {
      const double temp_diff = grid.temp_diff_max * i / grid.segments;
      curve.push_back({temp_diff, standby_power(constant, exponent, temp_diff)});
    }
    add_clipped(curve, [constant](const PlotPoint& p) { return SpacePoint{constant, p.x, p.y}; });
  }

  for (int i = 1; i <= grid.temp_diff_lines; ++i) {
    const double temp_diff = grid.temp_diff_max * i / grid.temp_diff_lines;
    // Linear in C_1: its two ends are the whole line, and clipping cuts it exactly.
    const Polyline line{{0.0, 0.0},
                        {grid.constant_max, standby_power(grid.constant_max, exponent, temp_diff)}};
    add_clipped(line, [temp_diff](const PlotPoint& p) { return SpacePoint{p.x, temp_diff, p.y}; });
  }
  return mesh;
}

namespace {
constexpr double kDegrees = std::numbers::pi / 180.0;
const double x_cos = std::cos(kXAxisAngleDeg * kDegrees);
const double x_sin = std::sin(kXAxisAngleDeg * kDegrees);
const double y_cos = std::cos(kYAxisAngleDeg * kDegrees);
const double y_sin = std::sin(kYAxisAngleDeg * kDegrees);
}  // namespace

PlotPoint project_dimetric(const SpacePoint& unit_point) {
  return {unit_point.x * x_cos + unit_point.y * y_cos,
          unit_point.z - unit_point.x * x_sin + unit_point.y * y_sin};
}

PlotBounds projected_bounds() {
  return {0.0, x_cos + y_cos, -x_sin, 1.0 + y_sin};
}

}  // namespace varmkalk
