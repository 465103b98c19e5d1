#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "linear/lp_graph_geometry.h"

namespace quon {
namespace {

TEST(LPGraphGeometry, LeadingDigitFloor) {
  EXPECT_EQ(LeadingDigitFloor(5), 5);
  EXPECT_EQ(LeadingDigitFloor(87), 80);
  EXPECT_EQ(LeadingDigitFloor(3456), 3000);
  EXPECT_EQ(LeadingDigitFloor(0), 0);
  EXPECT_EQ(LeadingDigitFloor(10), 10);
  EXPECT_EQ(LeadingDigitFloor(32767), 30000);
  // Against the digits of the decimal text.
  for (int n = 1; n <= 32767; n += 37) {
    const std::string t = std::to_string(n);
    const int expect = (t[0] - '0') * static_cast<int>(std::pow(10, t.size() - 1));
    ASSERT_EQ(LeadingDigitFloor(static_cast<std::int16_t>(n)), expect) << n;
  }
}

TEST(LPGraphGeometry, ScaleFromInterceptsAndOptimum) {
  // 2x1 + x2 <= 8 and x1 + 3x2 <= 9, optimum (3, 2): intercepts 4, 8, 9, 3.
  auto f = LPGraphScale({{2, 1, 8}, {1, 3, 9}}, 3, 2);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->step, 1);
  EXPECT_EQ(f->xMin, -1);
  EXPECT_EQ(f->xMax, 10);
  EXPECT_EQ(f->yMin, -1);
  EXPECT_EQ(f->yMax, 10);

  f = LPGraphScale({{1, 0, 37}}, 0, 0);
  EXPECT_EQ(f->step, 4);
  EXPECT_EQ(f->xMin, -4);
  EXPECT_EQ(f->xMax, 40);
  f = LPGraphScale({{0, 1, 250}}, 0, 0);
  EXPECT_EQ(f->step, 20);
  EXPECT_EQ(f->yMax, 260);
  EXPECT_EQ(f->xMax, 260); // square
  f = LPGraphScale({{1, 1, 5}}, 0, 0);
  EXPECT_EQ(f->step, 1);
  EXPECT_EQ(f->xMax, 6);

  // A negative coefficient adds no intercept; nothing at all gives the axis of 5.
  f = LPGraphScale({{-1, 0, 2}}, 0, 0);
  EXPECT_EQ(f->xMax, 6);
  // The optimum widens the axes.
  f = LPGraphScale({{1, 1, 5}}, 0, 17);
  EXPECT_EQ(f->yMax, 18);

  // Intercept limits: x1 25000 accepted, 25000.5 refused; x2 22000.
  EXPECT_TRUE(LPGraphScale({{1, 0, 25000}}, 0, 0));
  EXPECT_FALSE(LPGraphScale({{1, 0, 25000.5}}, 0, 0));
  EXPECT_TRUE(LPGraphScale({{0, 1, 22000}}, 0, 0));
  EXPECT_FALSE(LPGraphScale({{0, 1, 22000.5}}, 0, 0));
  EXPECT_FALSE(LPGraphScale({{1, 1, 5}}, 30000, 0));
  // Every accepted scale has its axis end within 16 bits.
  f = LPGraphScale({{1, 0, 25000}}, 25000, 22000);
  ASSERT_TRUE(f);
  EXPECT_GT(f->xMax, 25000);
}

// The line through the segment's ends: both ends satisfy a1 x + a2 y = b and lie on the frame's
// edge or inside it (the ends are inside the square for lines that cross it).
TEST(LPGraphGeometry, ClippedLinesEndOnTheLineAndTheFrame) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> coef(-5, 5), rhs(-20, 60);
  const GraphFrame f{-4, 44, -4, 44, 4};
  int crossing = 0;
  for (int n = 0; n < 2000; ++n) {
    GraphLine l{std::round(coef(rng)), std::round(coef(rng)), std::round(rhs(rng))};
    const auto seg = ClipGraphLine(l, f);
    if (l.a1 == 0 && l.a2 == 0) {
      EXPECT_FALSE(seg);
      continue;
    }
    ASSERT_TRUE(seg);
    for (const GraphPoint &p : {seg->from, seg->to}) {
      const double scale = std::fabs(l.a1) + std::fabs(l.a2) + std::fabs(l.b);
      EXPECT_NEAR(l.a1 * p.x + l.a2 * p.y, l.b, 1e-5 * scale * 50) << l.a1 << " " << l.a2 << " " << l.b;
    }
    // A line that crosses the inside of the frame is drawn within it.
    bool inside = false;
    for (double x = f.xMin; x <= f.xMax && !inside; x += 0.5)
      for (double y = f.yMin; y <= f.yMax && !inside; y += 0.5)
        inside = l.a2 != 0 ? std::fabs(y - (l.b - l.a1 * x) / l.a2) < 0.25 : std::fabs(x - l.b / l.a1) < 0.25;
    if (!inside) continue;
    ++crossing;
    for (const GraphPoint &p : {seg->from, seg->to}) {
      EXPECT_GE(p.x, f.xMin - 1e-3);
      EXPECT_LE(p.x, f.xMax + 1e-3);
      EXPECT_GE(p.y, f.yMin - 1e-3 * f.yMax);
      EXPECT_LE(p.y, f.yMax + 1e-3 * f.yMax);
    }
  }
  EXPECT_GT(crossing, 500);
}

TEST(LPGraphGeometry, LabelPositions) {
  const GraphFrame f{-1, 10, -1, 10, 1};
  // Vertical line: below the x-axis at its foot; horizontal: left of the y-axis.
  auto p = GraphLabelPosition({2, 0, 8}, f);
  EXPECT_DOUBLE_EQ(p->x, 4);
  EXPECT_DOUBLE_EQ(p->y, -0.6);
  p = GraphLabelPosition({0, 3, 9}, f);
  EXPECT_DOUBLE_EQ(p->x, -0.9);
  EXPECT_DOUBLE_EQ(p->y, 3);
  // x1 + 3x2 = 9 meets x = -0.9 inside the frame.
  p = GraphLabelPosition({1, 3, 9}, f);
  EXPECT_DOUBLE_EQ(p->x, -0.9);
  EXPECT_NEAR(p->y, 3.3, 1e-6);
  // 2x1 + x2 = 12 is above the frame there: moved under the top, on the line.
  p = GraphLabelPosition({2, 1, 12}, f);
  EXPECT_NEAR(p->y, 9.9, 1e-9);
  EXPECT_NEAR(2 * p->x + p->y, 12, 1e-9);
  // x1 - x2 = 3 is below -step there: moved to -0.6 step, on the line.
  p = GraphLabelPosition({1, -1, 3}, f);
  EXPECT_NEAR(p->y, -0.6, 1e-9);
  EXPECT_NEAR(p->x - p->y, 3, 1e-9);
  EXPECT_FALSE(GraphLabelPosition({0, 0, 3}, f));
}

// Feasibility against the exact inequality: a point declared feasible satisfies every typed
// row to within 1 % of its right-hand side, and a point with more room than that is feasible.
TEST(LPGraphGeometry, FeasibilityAgainstTheTypedRows) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> coef(-4, 4), rhs(-30, 30), pt(0, 20);
  int feasibleSeen = 0;
  for (int n = 0; n < 300; ++n) {
    std::vector<TypedRow> rows;
    const int m = 1 + n % 3;
    for (int i = 0; i < m; ++i)
      rows.push_back({std::round(coef(rng)), std::round(coef(rng)), std::round(rhs(rng)), i % 2 ? '>' : '<'});
    for (int k = 0; k < 50; ++k) {
      const double x = pt(rng), y = pt(rng);
      bool clear = true, within = true;
      for (const TypedRow &r : rows) {
        const double lhs = r.a1 * x + r.a2 * y;
        const double margin = 0.01 * std::fabs(r.b);
        const double room = r.rel == '<' ? r.b - lhs : lhs - r.b;
        if (room <= margin + 1e-9) clear = false;
        if (room < -margin - 1e-9) within = false;
      }
      const bool f = PointFeasible(rows, x, y);
      if (clear) {
        EXPECT_TRUE(f);
      }
      if (f) {
        EXPECT_TRUE(within);
        ++feasibleSeen;
      }
    }
  }
  EXPECT_GT(feasibleSeen, 1000);
  EXPECT_FALSE(PointFeasible({}, 1, 1));
  // "=" leaves only the exact line; any other relation passes.
  EXPECT_TRUE(PointFeasible({{1, 1, 4, '='}}, 1, 3));
  EXPECT_FALSE(PointFeasible({{1, 1, 4, '='}}, 1, 3.001));
  EXPECT_TRUE(PointFeasible({{1, 1, 4, '?'}}, 100, 100));
}

TEST(LPGraphGeometry, ZoomLimitsFramesAndPrintedFrame) {
  EXPECT_EQ(ZoomedInMax(4, true), std::optional<std::int16_t>(3));
  EXPECT_FALSE(ZoomedInMax(3, true));
  EXPECT_EQ(ZoomedInMax(3, false), std::optional<std::int16_t>(2));
  EXPECT_EQ(ZoomedOutMax(10), std::optional<std::int16_t>(12));
  EXPECT_EQ(ZoomedOutMax(26213), std::optional<std::int16_t>(32766));
  EXPECT_FALSE(ZoomedOutMax(26214));

  EXPECT_EQ(ObjectiveFrameValues(1, 9, 999999), (std::vector<double>{18, 15, 12, 9}));
  EXPECT_EQ(ObjectiveFrameValues(-1, 8, 999999), (std::vector<double>{2, 4, 6, 8}));
  EXPECT_EQ(ObjectiveFrameValues(-1, -999999, 999999), (std::vector<double>{-999999}));

  const PrintedGraphFrame p = PrintedFrame({-1, 10, -1, 10, 1});
  EXPECT_EQ(p.left, -6);
  EXPECT_EQ(p.right, 11);
  EXPECT_EQ(p.bottom, -4);
  EXPECT_EQ(p.top, 18);
  // An axis that starts at 0 still gives a finite frame.
  const PrintedGraphFrame z = PrintedFrame({0, 10, 0, 10, 1});
  EXPECT_EQ(z.left, -5);
  EXPECT_EQ(z.bottom, -3);

  // Dot spacing by the axis end, and never more than 150 dots along an axis.
  EXPECT_DOUBLE_EQ(QuadrantDotSpacing({-1, 10, -1, 10, 1}), 0.15);
  EXPECT_DOUBLE_EQ(FeasibleDotSpacing({-4, 44, -4, 44, 4}), 4 * 0.32);
  EXPECT_DOUBLE_EQ(QuadrantDotSpacing({-4, 44, -4, 44, 4}), 4 * 0.3);
  EXPECT_DOUBLE_EQ(FeasibleDotSpacing({-1, 30000, -1, 30000, 1}), 200);
}

} // namespace
} // namespace quon
