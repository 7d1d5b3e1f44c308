// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace varmkalk::core {

struct CurvePoint {
  double x = 0;
  double y = 0;
};

// A quantity against the outdoor temperature, known at a few points: linear between them, held
// beyond the first and the last.
struct Curve {
  std::vector<CurvePoint> points;  // x strictly rising
};

// A curve through the points in ascending x; where two share an x the first given counts.
Curve curve_through(std::vector<CurvePoint> points);

// Nothing is known of an empty curve: 0.
double curve_at(const Curve& curve, double x);

// As curve_at, but beyond the last point the line through the last two goes on.
double curve_extended_at(const Curve& curve, double x);

}  // namespace varmkalk::core
