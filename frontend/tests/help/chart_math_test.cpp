// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/chart_math.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using varmkalk::PlotPoint;
using varmkalk::Polyline;
using varmkalk::SpacePoint;

Q_DECLARE_METATYPE(Polyline)
Q_DECLARE_METATYPE(std::vector<Polyline>)

namespace {

bool same_polylines(const std::vector<Polyline>& actual, const std::vector<Polyline>& expected) {
  if (actual.size() != expected.size()) {
    return false;
  }
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i].size() != expected[i].size()) {
      return false;
    }
    for (std::size_t j = 0; j < actual[i].size(); ++j) {
      if (std::abs(actual[i][j].x - expected[i][j].x) > 1e-12 ||
          std::abs(actual[i][j].y - expected[i][j].y) > 1e-12) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

class ChartMathTest : public QObject {
  Q_OBJECT

 private slots:
  // Reference values: the formulas evaluated in double precision by hand, 4 digits; the C = 2
  // and standby rows are the standing-loss examples the engine is checked against.
  void loss_powers_data() {
    QTest::addColumn<bool>("convection");
    QTest::addColumn<double>("constant");
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("temp_diff");
    QTest::addColumn<double>("expected");
    QTest::newRow("convection C = 0,1 at 40 K") << true << 0.1 << 1.3 << 40.0 << 12.097;
    QTest::newRow("convection C = 2 at 40 K") << true << 2.0 << 1.3 << 40.0 << 241.94;
    QTest::newRow("convection at 0 K") << true << 1.5 << 1.3 << 0.0 << 0.0;
    QTest::newRow("convection below room temperature") << true << 1.5 << 1.3 << -5.0 << 0.0;
    QTest::newRow("standby C_1 = 1,5, C_2 = 1,25 at 20 K")
        << false << 1.5 << 1.25 << 20.0 << 63.442;
    QTest::newRow("standby C_1 = 2, C_2 = 0,1 at 60 K") << false << 2.0 << 0.1 << 60.0 << 3.0119;
    QTest::newRow("standby below room temperature") << false << 2.0 << 0.5 << -1.0 << 0.0;
  }
  void loss_powers() {
    QFETCH(bool, convection);
    QFETCH(double, constant);
    QFETCH(double, exponent);
    QFETCH(double, temp_diff);
    QFETCH(double, expected);
    const double power = convection ? varmkalk::convection_power(constant, temp_diff)
                                    : varmkalk::standby_power(constant, exponent, temp_diff);
    QVERIFY2(std::abs(power - expected) <= 5e-4 * std::max(1.0, expected),
             qPrintable(QString::number(power)));
  }

  void tick_values_include_both_ends_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("count");
    QTest::newRow("temperature axis") << 0.0 << 60.0 << 10.0 << 7;
    QTest::newRow("C_1 axis") << 0.0 << 2.0 << 0.5 << 5;
    // 0.3 / 0.1 is just below 3 in binary: the last tick must not be lost.
    QTest::newRow("steps that do not divide exactly") << 0.0 << 0.3 << 0.1 << 4;
    QTest::newRow("no step") << 0.0 << 1.0 << 0.0 << 0;
  }
  void tick_values_include_both_ends() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    QFETCH(int, count);
    const std::vector<double> ticks = varmkalk::tick_values(min, max, step);
    QCOMPARE(static_cast<int>(ticks.size()), count);
    if (count > 0) {
      QCOMPARE(ticks.front(), min);
      QVERIFY(std::abs(ticks.back() - max) < 1e-9);
    }
  }

  void clip_at_top_cuts_at_the_edge_data() {
    QTest::addColumn<Polyline>("line");
    QTest::addColumn<std::vector<Polyline>>("expected");
    QTest::newRow("all below") << Polyline{{0, 0}, {1, 5}, {2, 10}}
                               << std::vector<Polyline>{{{0, 0}, {1, 5}, {2, 10}}};
    QTest::newRow("touching the edge is kept")
        << Polyline{{0, 0}, {1, 10}} << std::vector<Polyline>{{{0, 0}, {1, 10}}};
    QTest::newRow("leaving the top")
        << Polyline{{0, 0}, {1, 5}, {2, 15}} << std::vector<Polyline>{{{0, 0}, {1, 5}, {1.5, 10}}};
    QTest::newRow("out and back in")
        << Polyline{{0, 0}, {1, 20}, {2, 0}}
        << std::vector<Polyline>{{{0, 0}, {0.5, 10}}, {{1.5, 10}, {2, 0}}};
    QTest::newRow("entering from above")
        << Polyline{{0, 30}, {1, 20}, {2, 0}} << std::vector<Polyline>{{{1.5, 10}, {2, 0}}};
    QTest::newRow("all above") << Polyline{{0, 11}, {1, 20}} << std::vector<Polyline>{};
    QTest::newRow("empty") << Polyline{} << std::vector<Polyline>{};
  }
  void clip_at_top_cuts_at_the_edge() {
    QFETCH(Polyline, line);
    QFETCH(std::vector<Polyline>, expected);
    QVERIFY(same_polylines(varmkalk::clip_at_top(line, 10.0), expected));
  }

  void convection_curves_end_at_the_chart_edge_data() {
    QTest::addColumn<double>("constant");
    QTest::addColumn<double>("end_temp_diff");
    QTest::addColumn<double>("end_power");
    // C = 1,5 reaches 300 W at (300 / 1,5)^(1 / 1,3) = 58.887 K, before the axis ends.
    QTest::newRow("C = 1,5, clipped") << 1.5 << 58.887 << 300.0;
    QTest::newRow("C = 1,3, whole") << 1.3 << 60.0 << 266.40;
    QTest::newRow("C = 0,1, whole") << 0.1 << 60.0 << 20.492;
  }
  void convection_curves_end_at_the_chart_edge() {
    QFETCH(double, constant);
    QFETCH(double, end_temp_diff);
    QFETCH(double, end_power);
    const std::vector<Polyline> pieces = varmkalk::convection_curve(constant, 60.0, 300.0, 120);
    QCOMPARE(pieces.size(), std::size_t{1});
    const Polyline& curve = pieces.front();
    QCOMPARE(curve.front().x, 0.0);
    QCOMPARE(curve.front().y, 0.0);
    QVERIFY(std::abs(curve.back().x - end_temp_diff) < 1e-3);
    QVERIFY(std::abs(curve.back().y - end_power) < 1e-2);
    QVERIFY(
        std::all_of(curve.begin(), curve.end(), [](const PlotPoint& p) { return p.y <= 300.0; }));
  }

  void convection_curve_passes_through_its_formula() {
    // 0,1 * 40^1,3 = 12.097 W (hand calculation, 4 digits); 40 K is a sample point at 0,5 K steps.
    const Polyline curve = varmkalk::convection_curve(0.1, 60.0, 300.0, 120).front();
    const auto at_40 =
        std::find_if(curve.begin(), curve.end(), [](const PlotPoint& p) { return p.x == 40.0; });
    QVERIFY(at_40 != curve.end());
    QVERIFY(std::abs(at_40->y - 12.097) < 5e-4);
  }

  void standby_surfaces_stay_in_the_box_data() {
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("highest");
    // The highest point is C_1 = 2 at 60 K: 2 * 60^C_2 (hand calculation), or 800 W clipped.
    QTest::newRow("C_2 = 0,1") << 0.1 << 3.0119;
    QTest::newRow("C_2 = 0,9") << 0.9 << 2.0 * std::pow(60.0, 0.9);
    QTest::newRow("C_2 = 1,5, clipped") << 1.5 << 800.0;
  }
  void standby_surfaces_stay_in_the_box() {
    QFETCH(double, exponent);
    QFETCH(double, highest);
    const varmkalk::SurfaceGrid grid;  // C_1 0..2, ΔT 0..60 K, 800 W
    const std::vector<varmkalk::SpaceLine> mesh = varmkalk::standby_surface(exponent, grid);
    QVERIFY(mesh.size() >= std::size_t(grid.constant_lines + grid.temp_diff_lines));
    double top = 0.0;
    for (const varmkalk::SpaceLine& line : mesh) {
      QVERIFY(line.size() >= 2);
      for (const SpacePoint& p : line) {
        QVERIFY(p.x >= 0.0 && p.x <= grid.constant_max);
        QVERIFY(p.y >= 0.0 && p.y <= grid.temp_diff_max);
        QVERIFY(p.z >= 0.0 && p.z <= grid.power_max);
        // Each point lies on the surface C_1 ΔT^C_2, except where a line is cut at the top of
        // the box: there it lies on the chord between two samples, close to the surface.
        const double on_surface = varmkalk::standby_power(p.x, exponent, p.y);
        const double tolerance = p.z == grid.power_max ? 0.01 * grid.power_max : 1e-9;
        QVERIFY(std::abs(p.z - on_surface) <= tolerance);
        top = std::max(top, p.z);
      }
    }
    QVERIFY2(std::abs(top - highest) < 1e-3, qPrintable(QString::number(top)));
  }

  void projection_keeps_the_axes_apart() {
    using varmkalk::project_dimetric;
    const varmkalk::PlotBounds bounds = varmkalk::projected_bounds();
    QCOMPARE(project_dimetric({0, 0, 0}).x, 0.0);
    QCOMPARE(project_dimetric({0, 0, 0}).y, 0.0);
    QCOMPARE(project_dimetric({0, 0, 1}).y, 1.0);
    constexpr int kSteps = 10;
    for (int i = 0; i <= kSteps; ++i) {
      for (int j = 0; j <= kSteps; ++j) {
        const double a = double(i) / kSteps;
        const double b = double(j) / kSteps;
        for (int k = 0; k < kSteps; ++k) {
          const double t0 = double(k) / kSteps;
          const double t1 = double(k + 1) / kSteps;
          // x runs right and down, the depth y right and up, z straight up.
          const PlotPoint x0 = project_dimetric({t0, a, b});
          const PlotPoint x1 = project_dimetric({t1, a, b});
          QVERIFY(x1.x > x0.x && x1.y < x0.y);
          const PlotPoint y0 = project_dimetric({a, t0, b});
          const PlotPoint y1 = project_dimetric({a, t1, b});
          QVERIFY(y1.x > y0.x && y1.y > y0.y);
          const PlotPoint z0 = project_dimetric({a, b, t0});
          const PlotPoint z1 = project_dimetric({a, b, t1});
          QVERIFY(z1.x == z0.x && z1.y > z0.y);
        }
        const PlotPoint corner = project_dimetric({a, b, 1.0});
        QVERIFY(corner.x >= bounds.min_x && corner.x <= bounds.max_x + 1e-12);
        QVERIFY(corner.y >= bounds.min_y - 1e-12 && corner.y <= bounds.max_y + 1e-12);
      }
    }
    QVERIFY(std::abs(project_dimetric({1, 1, 1}).x - bounds.max_x) < 1e-12);
    QVERIFY(std::abs(project_dimetric({1, 0, 0}).y - bounds.min_y) < 1e-12);
    QVERIFY(std::abs(project_dimetric({0, 1, 1}).y - bounds.max_y) < 1e-12);
  }
};

QTEST_APPLESS_MAIN(ChartMathTest)
#include "chart_math_test.moc"
