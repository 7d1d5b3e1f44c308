// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/curve.h"

#include <algorithm>
#include <cstddef>

namespace varmkalk::core {
namespace {

double between(const CurvePoint& left, const CurvePoint& right, double x) {
  return left.y + (right.y - left.y) * (x - left.x) / (right.x - left.x);
}

}  // namespace

Curve curve_through(std::vector<CurvePoint> points) {
  std::stable_sort(points.begin(), points.end(),
                   [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; });
  Curve curve;
  for (const CurvePoint& point : points) {
    if (curve.points.empty() || point.x > curve.points.back().x) {
      curve.points.push_back(point);
    }
  }
  return curve;
}

double curve_at(const Curve& curve, double x) {
  const std::vector<CurvePoint>& points = curve.points;
  if (points.empty()) {
    return 0;
  }
  if (x <= points.front().x) {
    return points.front().y;
  }
  if (x >= points.back().x) {
    return points.back().y;
  }
  const auto right =
      std::upper_bound(points.begin(), points.end(), x,
                       [](double value, const CurvePoint& p) { return value < p.x; });
  return between(*(right - 1), *right, x);
}

double curve_extended_at(const Curve& curve, double x) {
  const std::vector<CurvePoint>& points = curve.points;
  const std::size_t count = points.size();
  if (count >= 2 && x > points.back().x) {
    return between(points[count - 2], points[count - 1], x);
  }
  return curve_at(curve, x);
}

}  // namespace varmkalk::core
