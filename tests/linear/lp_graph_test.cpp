#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "linear/lp_fixture.h"
#include "linear/lp_graph.h"
#include "linear/mod_lp_simplex.h"
#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "platform/surface_core.h"
#include "platform/values.h"
#include "support/chart_check.h"

namespace quon::testing {
namespace {

constexpr double kSide = 7680; // the picture, twips

class LPGraphTest : public ::testing::Test {
protected:
  void Solve(const LP &lp) {
    Build(lp);
    g.HeaderText[1] = "Graph example";
    g.SenseText = lp.sense;
    SolveLP();
    SetLPGraphScale(pic);
  }
  // Graphs the constraints and draws them, with the objective line at `objective`.
  void DrawAll(double objective, int16 first = 0) {
    pic.Reset();
    for (int k = 1; k <= g.MRows; ++k)
      g.GraphDrawn(k) = static_cast<int16>(k);
    RecountGraphDrawn();
    g.Tab(2, g.NColsPlus1) = objective;
    int16 last = g.MRows;
    DrawLPConstraint(first, last, pic, false);
  }
  // A recorded position back in graph units.
  static double UX(double twips) { return g.GraphXMin + twips / kSide * (g.GraphXMax - g.GraphXMin); }
  static double UY(double twips) { return g.GraphYMax - twips / kSide * (g.GraphYMax - g.GraphYMin); }
  std::vector<RecordedOp> Ops(DrawKind kind, int width) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp &op : pic.Ops())
      if (op.kind == kind && op.width == width) out.push_back(op);
    return out;
  }
  // The texts drawn, but for the axes' values and names.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const RecordedOp &op : pic.Texts())
      if (op.text.find_first_not_of(" -0123456789") != std::string::npos && op.text != "x1" && op.text != "x2")
        out.push_back(op.text);
    return out;
  }

  static LP Example() {
    LP lp{.c = {3, 2}, .a = {{2, 1}, {1, 3}}, .rel = {"<=", "<="}, .b = {8, 9}};
    return lp;
  }

  RecordingSurface pic{kSide, kSide};
};

TEST_F(LPGraphTest, ConstraintsShadingAndOptimum) {
  Solve(Example());
  ASSERT_DOUBLE_EQ(g.ZValue, 13);
  EXPECT_EQ(g.GraphXMin, -1);
  EXPECT_EQ(g.GraphXMax, 10);
  EXPECT_EQ(g.GraphStep, 1);

  // Constraint frames keep the objective's value away from the optimum: no objective's optimum.
  DrawAll(g.ZValue + 6, 1);
  std::vector<RecordedOp> lines = Ops(DrawKind::Line, 2);
  ASSERT_EQ(lines.size(), 2u);
  for (const RecordedOp &l : lines)
    EXPECT_EQ(l.color, kRed);
  // 2x1 + x2 = 8 runs from the left edge to the bottom edge of the square.
  EXPECT_NEAR(UX(lines[0].x1), -1, 1e-3);
  EXPECT_NEAR(UY(lines[0].y1), 10, 1e-3);
  EXPECT_NEAR(UX(lines[0].x2), 4.5, 1e-3);
  EXPECT_NEAR(UY(lines[0].y2), -1, 1e-3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"( 1)", "( 2)"}));
  EXPECT_TRUE(Ops(DrawKind::Point, 15).empty());

  // Every grey dot lies in the feasible region, 1 % short of the lines; the region is covered.
  std::vector<RecordedOp> dots = Ops(DrawKind::Point, 2);
  std::erase_if(dots, [](const RecordedOp &d) { return d.color != kGrey; }); // the axes' ticks
  ASSERT_GT(dots.size(), 200u);
  for (const RecordedOp &d : dots) {
    const double x = UX(d.x1), y = UY(d.y1);
    EXPECT_LE(2 * x + y, 8 * 0.99 + 1e-3);
    EXPECT_LE(x + 3 * y, 9 * 0.99 + 1e-3);
  }

  // At the optimum: the objective line in blue, its label, the optimum point and its text.
  DrawAll(g.ZValue);
  const std::vector<RecordedOp> obj = Ops(DrawKind::Line, 5);
  ASSERT_EQ(obj.size(), 1u);
  EXPECT_EQ(obj[0].color, kBlue);
  EXPECT_NEAR(3 * UX(obj[0].x1) + 2 * UY(obj[0].y1), 13, 1e-3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Obj", "( 1)", "( 2)", "Optimum"}));
  const std::vector<RecordedOp> optimum = Ops(DrawKind::Point, 15);
  ASSERT_EQ(optimum.size(), 1u);
  EXPECT_NEAR(UX(optimum[0].x1), 3, 1e-6);
  EXPECT_NEAR(UY(optimum[0].y1), 2, 1e-6);
  // The labels sit on yellow boxes.
  EXPECT_EQ(Ops(DrawKind::FilledBox, 2).size() + Ops(DrawKind::FilledBox, 5).size(), 3u);
}

// A "<=" row typed with a negative right-hand side is kept negated in the standard form; the
// dots must follow the row as typed: -x1 - x2 <= -2 keeps the corner at the origin empty.
TEST_F(LPGraphTest, NegativeRightHandSideShadesTheTypedSide) {
  LP lp{.c = {1, 2}, .a = {{-1, -1}, {1, 1}}, .rel = {"<=", "<="}, .b = {-2, 6}};
  Solve(lp);
  DrawAll(g.ZValue + 6, 1);
  std::vector<RecordedOp> dots = Ops(DrawKind::Point, 2);
  std::erase_if(dots, [](const RecordedOp &d) { return d.color != kGrey; });
  ASSERT_GT(dots.size(), 100u);
  for (const RecordedOp &d : dots) {
    const double s = UX(d.x1) + UY(d.y1);
    EXPECT_GE(s, 1.98 - 1e-3);
    EXPECT_LE(s, 6 * 0.99 + 1e-3);
  }
  EXPECT_TRUE(IsPointFeasible(3, 2));
  EXPECT_FALSE(IsPointFeasible(0.5, 0.5));
}

TEST_F(LPGraphTest, UnboundedAndZeroObjectiveHaveNoObjectiveLine) {
  LP lp{.c = {1, 1}, .a = {{1, -1}}, .rel = {"<="}, .b = {2}};
  Solve(lp);
  ASSERT_EQ(g.ZValue, g.Infinity);
  DrawAll(g.ZValue);
  EXPECT_TRUE(Ops(DrawKind::Line, 5).empty());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"( 1)", "Optimum solution is UNBOUNDED"}));

  lp.c = {0, 0};
  lp.a = {{1, 1}};
  Solve(lp);
  DrawAll(g.ZValue);
  EXPECT_TRUE(Ops(DrawKind::Line, 5).empty());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"( 1)", "Optimum"}));
}

// The product mix, the example, a program whose lines all pass near the origin, and a hundred
// rows, drawn in one stroke on the pictures of both screen sizes and on paper: every axis
// value near its tick, every line named once beside it (or listed, or counted on the screen
// by the note that points to the list beside the graph), and no text under a line or dot or
// over another text.
TEST_F(LPGraphTest, EveryLineIsNamedClearOfEveryLine) {
  LP hundred{.c = {3, 5}};
  for (int k = 0; k < 100; ++k) {
    hundred.a.push_back({1.0 + (k * 7) % 9, 1.0 + (k * 5 + 3) % 9});
    hundred.rel.push_back("<=");
    hundred.b.push_back(40.0 + (k * 37) % 80);
  }
  LP fan{.c = {1, 1}, .a = {{1, -1}, {1, -2}, {2, -1}, {1, 1}}, .rel = {"<=", "<=", ">=", "<="}, .b = {1, 1, -1, 6}};
  for (const LP &lp : {DoorsAndWindows(), Example(), fan, hundred}) {
    const std::string what = std::to_string(lp.b.size()) + " rows";
    std::vector<std::string> names{"Obj"};
    for (std::size_t k = 1; k <= lp.b.size(); ++k)
      names.push_back("(" + Str(static_cast<double>(k)) + ")");
    for (const double side : {6000.0, 7680.0}) {
      pic = RecordingSurface(side, side);
      Solve(lp);
      DrawAll(g.ZValue);
      const GraphFrame f = CurrentGraphFrame();
      const auto X = [&](double x) { return (x - f.xMin) / (f.xMax - f.xMin) * side; };
      const auto Y = [&](double y) { return (f.yMax - y) / (f.yMax - f.yMin) * side; };
      // Every tick's value from the frame (every second one beyond 1000), the names anywhere.
      std::vector<test::ChartMark> numbers{{"x1"}, {"x2"}};
      int tick = 0;
      for (int v = f.xMin; v <= f.xMax; v += f.step) {
        if (f.xMax > 1000 && ++tick % 2 == 1) continue;
        numbers.push_back({Str(v), X(v), Y(0), X(v), Y(0)});
        numbers.push_back({Str(v), X(0), Y(v), X(0), Y(v)});
      }
      std::vector<test::ChartMark> lines;
      for (int k = 0; k <= g.MRows; ++k)
        if (const auto seg = ClipGraphLine({g.Tab(k + 2, 1), g.Tab(k + 2, 2), g.Tab(k + 2, g.NColsPlus1)}, f))
          lines.push_back({names[static_cast<std::size_t>(k)], X(seg->from.x), Y(seg->from.y), X(seg->to.x),
                           Y(seg->to.y)});
      test::ExpectChartReadable({pic.Ops().begin(), pic.Ops().end()}, names, kScreenTwipsPerPixel,
                                what + ", picture " + std::to_string(side),
                                " more constraints: see the list beside the graph", numbers, lines);
      if (lp.b.size() < 10) {
        EXPECT_NE(pic.FindText(names.back()), nullptr) << what;
      }
    }
    RecordingSurface paper;
    for (int k = 0; k <= g.MRows; ++k)
      g.GraphDrawn(k) = static_cast<int16>(k);
    RecountGraphDrawn();
    g.GraphDrawn(0) = 1; // the objective drawn on the screen
    g.Tab(2, g.NColsPlus1) = g.ZValue;
    ASSERT_TRUE(PrintLPGraph(paper));
    std::vector<DrawOp> graph;
    for (const RecordedOp &op : paper.Ops())
      if (op.page == paper.Ops().back().page) graph.push_back(op);
    std::vector<test::ChartMark> paperNumbers{{"x1"}, {"x2"}};
    const GraphFrame f = CurrentGraphFrame();
    for (int v = f.xMin; v <= f.xMax; v += f.step)
      for (int axis = 0; axis < 2; ++axis)
        paperNumbers.push_back({Str(v)});
    test::ExpectChartReadable(graph, names, kPrinterTwipsPerPixel, what + " on paper", "", paperNumbers);
  }
}

TEST_F(LPGraphTest, PrintedGraph) {
  Solve(Example());
  RecordingSurface paper;
  // Objective drawn on the screen: the print carries it.
  for (int k = 1; k <= g.MRows; ++k)
    g.GraphDrawn(k) = static_cast<int16>(k);
  RecountGraphDrawn();
  g.Tab(2, g.NColsPlus1) = g.ZValue;
  g.GraphDrawn(0) = 1;
  ASSERT_TRUE(PrintLPGraph(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  ASSERT_NE(paper.FindText("LINEAR PROGRAM -- ORIGINAL DATA"), nullptr);
  const RecordedOp *summary = paper.FindText("Summary of Optimal Solution:");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->page, 2);
  EXPECT_TRUE(summary->font.bold);
  EXPECT_NE(paper.FindText("Objective Value = 13.00"), nullptr);
  EXPECT_NE(paper.FindText("x1 =  3.00"), nullptr);
  EXPECT_NE(paper.FindText("x2 =  2.00"), nullptr);
  EXPECT_NE(paper.FindText("Obj"), nullptr);
  EXPECT_NE(paper.FindText("Optimum"), nullptr);
  // The x range takes 0.647 of the page width, from 0.15 of it; the optimum is a 40-dot point.
  // The x-axis is the first horizontal line of page 2 that is not a rule (rules start at 1200).
  const RecordedOp *xAxis = nullptr;
  int optimumDots = 0;
  for (const RecordedOp &op : paper.Ops()) {
    if (op.page == 2 && op.kind == DrawKind::Line && op.y1 == op.y2 && op.x1 != 1200 && !xAxis) xAxis = &op;
    if (op.kind == DrawKind::Point && op.width == 40) ++optimumDots;
  }
  ASSERT_NE(xAxis, nullptr);
  EXPECT_NEAR(xAxis->x2 - xAxis->x1, 11.0 / 17 * kPageWidthTwips, 1);
  EXPECT_NEAR(xAxis->x1, 2.5 / 17 * kPageWidthTwips, 1);
  EXPECT_EQ(optimumDots, 1);

  // After a zoom the whole picture is printed and the marks are reset.
  paper.Reset();
  g.GraphDrawn.ReDim(g.MRows);
  g.GraphDrawnCount = 0;
  g.GraphZoomed = 1;
  ASSERT_TRUE(PrintLPGraph(paper));
  EXPECT_EQ(g.GraphZoomed, 0);
  EXPECT_EQ(g.GraphDrawnCount, g.MRows);
  for (int j = 1; j <= g.MRows; ++j)
    EXPECT_EQ(g.GraphDrawn(j), j);
  EXPECT_NE(paper.FindText("Obj"), nullptr);

  // Before the objective: the constraints only.
  paper.Reset();
  g.GraphDrawn(0) = 0;
  ASSERT_TRUE(PrintLPGraph(paper));
  EXPECT_EQ(paper.FindText("Obj"), nullptr);
  EXPECT_NE(paper.FindText("( 2)"), nullptr);

  // Without an optimum the summary says what the screen's solution box says, and shows no
  // objective value (an unbounded one would be the number standing for infinity).
  LP open{.c = {1, 1}, .a = {{1, -1}}, .rel = {"<="}, .b = {2}};
  LP none = open;
  none.a = {{1, 1}, {1, 1}};
  none.rel = {">=", "<="};
  none.b = {5, 2};
  for (const LP *lp : {&open, &none}) {
    Solve(*lp);
    paper.Reset();
    ASSERT_TRUE(PrintLPGraph(paper));
    const std::string verdict =
        lp == &open ? "Optimum solution is unbounded" : "Problem has no feasible solution";
    EXPECT_NE(paper.FindText(verdict), nullptr) << verdict;
    for (const RecordedOp &op : paper.Texts()) {
      EXPECT_EQ(op.text.find("Objective Value"), std::string::npos) << verdict;
      EXPECT_EQ(op.text.find("x1 = "), std::string::npos) << op.text;
    }
  }
}

} // namespace
} // namespace quon::testing
