// The output side of a solved game: the graph's scale and printed frame, the solution against
// closed forms (saddle points, 2 x 2 games), the graph as drawn, the printed reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "games/game_graph.h"
#include "games/game_lp.h"
#include "games/game_output.h"
#include "linear/mod_lp_simplex.h"
#include "platform/recording_surface.h"
#include "shell/mod1.h"
#include "platform/values.h"
#include "support/chart_check.h"
#include "support/grid_text.h"

namespace quon {
namespace {

using Matrix = std::vector<std::vector<double>>;

// Builds and solves the game as "SOLVE Menu" and the game item do, then restores the payoffs.
void SolveGame(const Matrix &a) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = 9;
  const int m = static_cast<int>(a.size()), n = static_cast<int>(a[0].size());
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 0; i < m; ++i) {
    std::vector<std::string> cells;
    for (double v : a[static_cast<std::size_t>(i)])
      cells.push_back(std::to_string(v));
    test::SetRow(grid, i + 1, cells);
  }
  BuildGameLP(grid);
  SolveLP();
  RestorePayoffMatrix();
}

TwoRowGame Rows(const std::vector<double> &a1, const std::vector<double> &a2) {
  TwoRowGame t;
  t.a1 = a1;
  t.a2 = a2;
  return t;
}

TEST(GameGraphScale, WidensRoundsAndHoldsEveryPayoff) {
  GameGraphScale s = GameScaleFor(Rows({3, -2}, {-1, 1}));
  EXPECT_EQ(s.yMin, -3);
  EXPECT_EQ(s.yMax, 6);
  EXPECT_EQ(s.step, 1);
  s = GameScaleFor(Rows({0, 50}, {10, 20}));
  EXPECT_EQ(s.yMin, -6);
  EXPECT_EQ(s.yMax, 66);
  EXPECT_EQ(s.step, 6);
  // One step up from -20 would put the bottom at 0, above the payoff -9: it rounds down.
  s = GameScaleFor(Rows({-9, 200}, {0, 100}));
  EXPECT_EQ(s.step, 20);
  EXPECT_EQ(s.yMin, -20);
  EXPECT_EQ(s.yMax, 220);
  // A smallest payoff of 0 under a step of 20: the x axis keeps a step below it for its labels.
  s = GameScaleFor(Rows({0, 200}, {150, 20}));
  EXPECT_EQ(s.yMin, -20);
  // Payoffs beyond 16 bits keep a scale that holds them.
  s = GameScaleFor(Rows({-400000, 2000000}, {70000, 5}));
  EXPECT_LE(s.yMin, -400000);
  EXPECT_GE(s.yMax, 2000000);
  EXPECT_EQ(s.step, 200000);
  s = GameScaleFor(Rows({-1e15, 1e15}, {0, 0}));
  EXPECT_LT(s.yMin, s.yMax);

  std::mt19937 rng(7);
  for (int c = 0; c < 500; ++c) {
    const double span = std::pow(10.0, std::uniform_int_distribution<int>(0, 6)(rng));
    // Every second game has no negative payoff.
    std::uniform_int_distribution<int> pay(c % 2 == 0 ? 0 : -static_cast<int>(span), static_cast<int>(span));
    TwoRowGame t;
    for (int j = 0; j < 5; ++j) {
      t.a1.push_back(pay(rng));
      t.a2.push_back(pay(rng));
    }
    s = GameScaleFor(t);
    const double lo = std::min(*std::min_element(t.a1.begin(), t.a1.end()), *std::min_element(t.a2.begin(), t.a2.end()));
    const double hi = std::max(*std::max_element(t.a1.begin(), t.a1.end()), *std::max_element(t.a2.begin(), t.a2.end()));
    EXPECT_LE(s.yMin, std::min(lo, 0.0)) << c;
    EXPECT_LT(s.yMin, 0) << c; // room below the x axis
    EXPECT_GE(s.yMax, hi) << c;
    EXPECT_GT(s.step, 0);
    EXPECT_EQ(s.yMin % s.step, 0);
    EXPECT_EQ(s.yMax % s.step, 0);
  }
}

TEST(GameGraphScale, PrintedFrameIsTheSameFrameWithoutDivision) {
  const PrintedGameFrame d = PrintedFrameFor(GameGraphScale{});
  EXPECT_EQ(d.left, -4);
  EXPECT_EQ(d.right, 5);
  // The written-out frame: every end times (1 + share / (fraction of the range it is)).
  std::mt19937 rng(3);
  for (int c = 0; c < 300; ++c) {
    GameGraphScale s;
    s.yMin = -std::uniform_int_distribution<int>(1, 5000)(rng);
    s.yMax = std::uniform_int_distribution<int>(1, 5000)(rng);
    const double r = s.xMax - s.xMin, h = s.yMax - s.yMin;
    const PrintedGameFrame p = PrintedFrameFor(s);
    EXPECT_NEAR(p.left, s.xMin * (1 + 0.3 / (0.647 * (-s.xMin) / r)), 0.5 + 1e-9);
    EXPECT_NEAR(p.right, s.xMax * (1 + 0.053 / (0.647 * s.xMax / r)), 0.5 + 1e-9);
    EXPECT_NEAR(p.bottom, s.yMin * (1 + 0.15 / (0.5 * (-s.yMin) / h)), 0.5 + 1e-9);
    EXPECT_NEAR(p.top, s.yMax * (1 + 0.35 / (0.5 * s.yMax / h)), 0.5 + 1e-9);
  }
}

TEST(GameSolution, SaddlePointsAndTwoByTwoClosedForm) {
  SolveGame({{3, -1}, {-2, 1}});
  EXPECT_NEAR(g.ZValue, 1.0 / 7, 1e-9);
  EXPECT_NEAR(g.XSol(2), 3.0 / 7, 1e-9);
  EXPECT_NEAR(g.XSol(3), 4.0 / 7, 1e-9);
  EXPECT_NEAR(g.Duals(1), 2.0 / 7, 1e-9);
  EXPECT_NEAR(g.Duals(2), 5.0 / 7, 1e-9);
  EXPECT_DOUBLE_EQ(g.ArcMatrix(2, 1), -2);

  std::mt19937 rng(11);
  std::uniform_int_distribution<int> pay(-20, 20);
  for (int c = 0; c < 200; ++c) {
    Matrix a(2, std::vector<double>(2));
    for (auto &row : a)
      for (double &v : row)
        v = pay(rng);
    // Pure value by brute force: max of row minima equals min of column maxima at a saddle.
    double lower = -1e9, upper = 1e9;
    for (int i = 0; i < 2; ++i)
      lower = std::max(lower, std::min(a[i][0], a[i][1]));
    for (int j = 0; j < 2; ++j)
      upper = std::min(upper, std::max(a[0][j], a[1][j]));
    SolveGame(a);
    if (lower == upper) {
      EXPECT_NEAR(g.ZValue, lower, 1e-9) << c;
      continue;
    }
    const double den = a[0][0] + a[1][1] - a[0][1] - a[1][0];
    const double v = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) / den;
    EXPECT_NEAR(g.ZValue, v, 1e-9) << c;
    EXPECT_NEAR(g.XSol(2), (a[1][1] - a[1][0]) / den, 1e-9) << c;
    EXPECT_NEAR(g.Duals(1), (a[1][1] - a[0][1]) / den, 1e-9) << c;
  }

  // Larger games with a planted saddle point: row 2 column 3 is its row's minimum and its
  // column's maximum, strictly.
  for (int c = 0; c < 50; ++c) {
    Matrix a(4, std::vector<double>(5));
    for (auto &row : a)
      for (double &v : row)
        v = pay(rng);
    a[1][2] = 0;
    for (int j = 0; j < 5; ++j)
      if (j != 2) a[1][j] = std::abs(a[1][j]) + 1;
    for (int i = 0; i < 4; ++i)
      if (i != 1) a[i][2] = -std::abs(a[i][2]) - 1;
    SolveGame(a);
    EXPECT_NEAR(g.ZValue, 0, 1e-9) << c;
    EXPECT_NEAR(g.XSol(3), 1, 1e-9) << c;
    EXPECT_NEAR(g.Duals(3), 1, 1e-9) << c;
  }
}

// The picture in user units on a square recording surface.
struct Picture {
  RecordingSurface s{6000, 6000};
  GameGraphScale sc;
  double X(double twips) const { return sc.xMin + twips / 6000 * (sc.xMax - sc.xMin); }
  double Y(double twips) const { return sc.yMax - twips / 6000 * (sc.yMax - sc.yMin); }
  // The graph of the two-row game just solved, drawn on its own scale.
  void Draw() {
    const TwoRowGame game = CurrentTwoRowGame();
    sc = GameScaleFor(game);
    ApplyGameScale(s, sc);
    DrawTwoRowGame(s, game, sc, false);
  }
};

TEST(GameGraph, LinesHatchingUnderTheEnvelopeAndTheOptimum) {
  for (const Matrix &a : {Matrix{{3, -1}, {-2, 1}}, Matrix{{0, 50, 20}, {10, 20, 40}}, Matrix{{-9, 200}, {0, 100}},
                          Matrix{{4, 2, 3}, {1, 0, 5}}}) {
    SolveGame(a);
    Picture p;
    p.Draw();
    bool negative = false;
    for (const auto &row : a)
      for (double v : row)
        negative = negative || v < 0;
    int lines = 0, hatches = 0;
    bool optimum = false;
    for (const RecordedOp &op : p.s.Ops()) {
      if (op.kind == DrawKind::Line && op.color == 0xFF0000 && op.width == 2) {
        // B's line j from (0, a2j) to (4, a1j).
        EXPECT_NEAR(p.Y(op.y1), a[1][static_cast<std::size_t>(lines)], 1e-6);
        EXPECT_NEAR(p.Y(op.y2), a[0][static_cast<std::size_t>(lines)], 1e-6);
        ++lines;
      }
      if (op.kind == DrawKind::Line && op.color == 0xFFFF00) {
        ++hatches;
        const double t = p.X(op.x1) / 4, top = p.Y(op.y2);
        double env = 1e18;
        for (std::size_t j = 0; j < a[0].size(); ++j)
          env = std::min(env, (1 - t) * a[1][j] + t * a[0][j]);
        EXPECT_LE(top, env + 1e-4);
        EXPECT_GT(top, env - 0.02 - 1e-4);
        EXPECT_LT(t, 1);
        // From the bottom, or from the x axis when the envelope never goes below it.
        EXPECT_NEAR(p.Y(op.y1), negative ? p.sc.yMin : 0, 1e-6);
      }
      if (op.kind == DrawKind::Point && op.width == 10) {
        optimum = true;
        EXPECT_NEAR(p.X(op.x1), 4 * g.XSol(2), 1e-6);
        EXPECT_NEAR(p.Y(op.y1), g.ZValue, 1e-6);
      }
    }
    EXPECT_EQ(lines, static_cast<int>(a[0].size()));
    EXPECT_GE(hatches, 1);
    EXPECT_TRUE(optimum);
    EXPECT_NE(p.s.FindText("B1"), nullptr);
    EXPECT_NE(p.s.FindText(" .25"), nullptr);

    // Zoomed in below the highest line start: every label and value mark stays in the picture.
    Picture zoomed;
    zoomed.sc = p.sc;
    zoomed.sc.yMax = std::max(1, static_cast<int>(std::floor(*std::max_element(a[1].begin(), a[1].end()))) - 1);
    ApplyGameScale(zoomed.s, zoomed.sc);
    DrawTwoRowGame(zoomed.s, CurrentTwoRowGame(), zoomed.sc, false);
    const double valueAxis = -zoomed.sc.xMin * 6000.0 / (zoomed.sc.xMax - zoomed.sc.xMin);
    const double twipsPerUnit = 6000.0 / (zoomed.sc.yMax - zoomed.sc.yMin);
    int labels = 0;
    for (const RecordedOp &op : zoomed.s.Ops()) {
      if (op.kind != DrawKind::Text || op.text.empty() || (op.text[0] != 'B' && std::fabs(op.x1 - valueAxis) > 1e-6)) continue;
      labels += op.text[0] == 'B';
      EXPECT_GE(op.y1, -1e-6) << op.text;
      EXPECT_LE(op.y1 + std::fabs(zoomed.s.TextHeight(op.text)) * twipsPerUnit, 6000 + 1e-6) << op.text;
    }
    EXPECT_EQ(labels, static_cast<int>(a[0].size()));
  }
}


// Small games and a hundred strategies for B, on the pictures of both screen sizes and on
// paper: every number and name stands clear of every line and dot and of each other, and every
// strategy is named once, beside an axis or in the list.
TEST(GameGraph, EveryLineIsNamedClearOfEveryLine) {
  Matrix crowded(2, std::vector<double>(100));
  for (int j = 0; j < 100; ++j) {
    crowded[0][static_cast<std::size_t>(j)] = (j * 37) % 19 - 9;
    crowded[1][static_cast<std::size_t>(j)] = (j * 53) % 23 - 11;
  }
  Matrix repeated(2, std::vector<double>(100));
  for (int j = 1; j <= 100; ++j) {
    repeated[0][static_cast<std::size_t>(j - 1)] = (7 + j * 13) % 23 - 11;
    repeated[1][static_cast<std::size_t>(j - 1)] = (14 + j * 13) % 23 - 11;
  }
  // Payoffs of two digits either side of 0, where the value axes step by tens.
  Matrix ten(2, std::vector<double>(10));
  for (std::size_t j = 0; j < 10; ++j) {
    ten[0][j] = static_cast<double>((j * 61 + 44) % 199) - 99;
    ten[1][j] = static_cast<double>((j * 83 + 120) % 197) - 98;
  }
  for (const Matrix &a : {Matrix{{3, -1}, {-2, 1}}, Matrix{{0, 50, 20}, {10, 20, 40}}, Matrix{{1, 1, 2}, {1, 1, 0}},
                          crowded, repeated, ten}) {
    SolveGame(a);
    std::vector<std::string> names;
    for (std::size_t j = 1; j <= a[0].size(); ++j)
      names.push_back("B" + std::to_string(j));
    const TwoRowGame game = CurrentTwoRowGame();
    CurrentGameScale() = GameScaleFor(game);
    // Every value on both value axes and every probability, from the scale.
    const GameGraphScale sc = CurrentGameScale();
    std::vector<test::ChartMark> paperNumbers;
    for (std::int64_t y = sc.yMin; y <= sc.yMax; y += sc.step)
      for (int axis = 0; axis < 2; ++axis)
        paperNumbers.push_back({Str(static_cast<double>(y))});
    for (int k = 0; k <= sc.xMax - 2; ++k)
      paperNumbers.push_back({Str(k / 4.0)});
    for (const double side : {6000.0, 7680.0}) {
      RecordingSurface pic(side, side);
      ApplyGameScale(pic, sc);
      pic.SetFontBold(true);
      DrawTwoRowGame(pic, game, sc, false);
      const auto X = [&](double x) { return (x - sc.xMin) / (sc.xMax - sc.xMin) * side; };
      const auto Y = [&](double y) { return (sc.yMax - y) / (static_cast<double>(sc.yMax) - sc.yMin) * side; };
      std::vector<test::ChartMark> numbers;
      for (std::int64_t y = sc.yMin; y <= sc.yMax; y += sc.step)
        for (const double x : {0.0, 4.0})
          numbers.push_back({Str(static_cast<double>(y)), X(x), Y(static_cast<double>(y)), X(x),
                             Y(static_cast<double>(y))});
      // A probability stands under its mark, or where lines cross there, at the picture's foot
      // or top: in its mark's column.
      for (int k = 0; k <= sc.xMax - 2; ++k)
        numbers.push_back({Str(k / 4.0), X(k), 0, X(k), side});
      test::ExpectChartReadable({pic.Ops().begin(), pic.Ops().end()}, names, kScreenTwipsPerPixel,
                                std::to_string(a[0].size()) + " strategies, picture " + std::to_string(side),
                                " more: see A's expected payoffs", numbers);
      // Where the picture has room for them, every name is in it.
      if (a[0].size() < 10) {
        EXPECT_NE(pic.FindText(names.back()), nullptr);
      }
    }
    RecordingSurface paper;
    ASSERT_TRUE(PrintGameLPSolution(paper));
    ASSERT_TRUE(PrintGameGraph(paper));
    std::vector<DrawOp> graph;
    for (const RecordedOp &op : paper.Ops())
      if (op.document == 2 && op.page == paper.Ops().back().page) graph.push_back(op);
    test::ExpectChartReadable(graph, names, kPrinterTwipsPerPixel, std::to_string(a[0].size()) + " strategies on paper",
                              "", paperNumbers);
  }
}

// Payoffs in the millions, where single precision is coarser than the hatching's step, and up
// to the largest a cell takes, beyond single precision: the graph is drawn (it used to hang or
// run out of memory) and the hatching still stops at the envelope.
TEST(GameGraph, PayoffsInTheMillionsAreDrawn) {
  for (const Matrix &a : {Matrix{{-331946858, 68283562}, {-3541893, 346942995}}, Matrix{{600000, -250000}, {-400000, 900000}},
                          Matrix{{3e60, -1e60}, {-2e60, 4e60}}, Matrix{{1e100, 2e99}, {-1e100, 5e99}}}) {
    SolveGame(a);
    Picture p;
    p.Draw();
    int hatches = 0;
    for (const RecordedOp &op : p.s.Ops())
      if (op.kind == DrawKind::Line && op.color == 0xFFFF00) {
        ++hatches;
        const double t = p.X(op.x1) / 4;
        const double env = std::min((1 - t) * a[1][0] + t * a[0][0], (1 - t) * a[1][1] + t * a[0][1]);
        EXPECT_NEAR(p.Y(op.y2), std::min<double>(env, p.sc.yMax), 1e-5 * (p.sc.yMax - p.sc.yMin));
      }
    EXPECT_GE(hatches, 1);
  }
}
TEST(GamePrint, LPSolutionAndGraphPageFromZeroUpwardPayoffs) {
  // Payoffs 0 to 200: the scale keeps a step below the x axis for its labels. A frame whose
  // bottom is 0, where the divided form of the frame fails, still prints.
  SolveGame({{0, 200}, {150, 20}});
  g.HeaderText[1] = "Printed game";
  CurrentGameScale() = GameScaleFor(CurrentTwoRowGame());
  EXPECT_EQ(CurrentGameScale().yMin, -CurrentGameScale().step);
  CurrentGameScale().yMin = 0;
  CurrentGameNotes() = AltOptimaNotes();
  RecordingSurface paper;
  ASSERT_TRUE(PrintGameLPSolution(paper));
  ASSERT_TRUE(PrintGameGraph(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  for (const RecordedOp &op : paper.Ops())
    for (double v : {op.x1, op.y1, op.x2, op.y2})
      ASSERT_TRUE(std::isfinite(v));
  EXPECT_NE(paper.FindText("TWO-PERSON ZERO-SUM GAME (LP SOLUTION)"), nullptr);
  EXPECT_NE(paper.FindText("Original Game Data:"), nullptr);
  EXPECT_NE(paper.FindText("Strategy B1:  150.00 + -150.00x"), nullptr);
  const RecordedOp *optimum = nullptr;
  for (const RecordedOp &op : paper.Ops())
    if (op.kind == DrawKind::Point && op.width == 30) optimum = &op;
  ASSERT_NE(optimum, nullptr);
  // The graph lies on the page, below the text.
  EXPECT_GT(optimum->x1, 0);
  EXPECT_LT(optimum->x1, kPageWidthTwips);
  EXPECT_GT(optimum->y1, 0);
  EXPECT_LT(optimum->y1, kPageHeightTwips);
}

TEST(GameNotes, AlternativeOptimaFromTheFinalBasis) {
  // Every mix of A is optimal when all payoffs are equal; B's mixes too.
  SolveGame({{2, 2}, {2, 2}});
  GameNotes n = AltOptimaNotes();
  EXPECT_EQ(n.playerA, kAltOptimaA);
  EXPECT_EQ(n.playerB, kAltOptimaB);
  // A unique, completely mixed solution has neither note.
  SolveGame({{3, -1}, {-2, 1}});
  n = AltOptimaNotes();
  EXPECT_EQ(n.playerA, "");
  EXPECT_EQ(n.playerB, "");
}

} // namespace
} // namespace quon
