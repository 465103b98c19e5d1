#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/ui/qt_drawing.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "support/grid_cells.h"
#include "support/screen_fixture.h"
#include "transport/trans_fixture.h"
#include "transport/transport_report.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon::testing {
namespace {

// Whole costs and amounts, typed unbalanced, so the reader adds a dummy.
test::TransProblem RandomProblem(int m, int n, unsigned seed) {
  std::mt19937 rng(seed);
  return test::RandomTransProblem(rng, m, n, 1, 100, 10, 100);
}

class TransOutputTest : public ScreenTest {
protected:
  // The problem as "SOLVE Menu" leaves it, with the output screen loaded and shown.
  void Load(const test::TransProblem &p) {
    ASSERT_TRUE(test::LoadTrans(p, "Shipping", false));
    scr5().Show();
  }
  // The final-solution road: least cost, solved, then the summary.
  void Summary(const test::TransProblem &p) {
    Load(p);
    g.TransStartMethod = 2;
    ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
    g.FinalIteration = g.IterCount;
    g.TransStartMethod = 0;
    ShowTransOutputSummary();
  }
  // The tableau road from a starting method.
  void Tableaus(const test::TransProblem &p, int method) {
    Load(p);
    g.TransStartMethod = static_cast<int16>(method);
    ShowTransIterations();
  }
  // A start run to its end as the user can: both step buttons live, as the screen's option list
  // makes them, then "Final Iteration" where it is offered. The last message said, if any.
  std::string RunToEnd(const test::TransProblem &p, int method) {
    scr5().cmdNextIter.SetEnabled(true);
    scr5().cmdFinalIter.SetEnabled(true);
    Tableaus(p, method);
    scr5().cmdFinalIter.PerformClick();
    const auto boxes = script.MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
  }
  static int FinalIterationFrom(const test::TransProblem &p, int method) {
    Mod1 saved = g;
    test::LoadTrans(p);
    g.TransStartMethod = static_cast<int16>(method);
    SolveTransportation();
    const int n = g.IterCount;
    g = saved;
    return n;
  }
  std::string Cell(int r, int c) { return scr5().outputGrid.TextMatrix(r, c); }
  Rgb Back(int r, int c) { return scr5().outputGrid.BackOf(r, c); }
  Rgb Fore(int r, int c) { return scr5().outputGrid.ForeOf(r, c); }
};

TEST_F(TransOutputTest, SummaryListsBasicCellsInCellOrder) {
  Summary(test::TextbookProblem());
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.Frame6.Visible());
  EXPECT_TRUE(Drawn(f, "TRANSPORTATION MODEL OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, std::string("Final Iteration No.: ") + Str(g.FinalIteration)));
  EXPECT_TRUE(Drawn(f, "Objective Value (minimum cost) =435.00"));
  ASSERT_EQ(grid.Cols(), 5);
  ASSERT_EQ(grid.Rows(), g.MRows + 1);
  EXPECT_EQ(Cell(0, 4), "Obj Contrib ");
  EXPECT_EQ(Back(0, 2), kCyan);
  double total = 0;
  std::string previous;
  for (int r = 1; r <= g.MRows; ++r) {
    const std::string key = Cell(r, 0).substr(0, 2) + Cell(r, 1).substr(0, 2);
    EXPECT_LT(previous, key) << "row " << r;
    previous = key;
    total += Val(Cell(r, 4));
    EXPECT_DOUBLE_EQ(Val(Cell(r, 4)), Val(Cell(r, 2)) * Val(Cell(r, 3)));
  }
  EXPECT_DOUBLE_EQ(total, 435);
  EXPECT_EQ(Cell(1, 0), "S1:   S1");
  // The button frame stands on the grid and leaves the heading's last line and rule uncovered.
  double ruleY = 0;
  for (const DrawOp &op : f.DrawnOps())
    if (op.kind == DrawKind::Line) ruleY = op.y1;
  EXPECT_GE(f.Frame2.Top(), ruleY);
  EXPECT_EQ(f.Frame2.Top() + f.Frame2.Height(), grid.Top());
}

TEST_F(TransOutputTest, SummaryNamesTheDummy) {
  Summary({{{1, 2}, {3, 4}}, {30.5, 20}, {10, 15}});
  bool dummy = false;
  for (int r = 1; r <= g.MRows; ++r)
    if (Cell(r, 1) == "D3:   DummyD") {
      dummy = true;
      EXPECT_EQ(Cell(r, 3), "0.00");
      EXPECT_EQ(Cell(r, 4), "0.00");
    }
  EXPECT_TRUE(dummy);
  // (1,1) ships 10 and (1,2) 15; the rest of source 1 (5.5) goes to the dummy.
  EXPECT_EQ(Cell(1, 0), "S1:   S1");
  EXPECT_EQ(Cell(3, 1), "D3:   DummyD");
  EXPECT_EQ(Cell(3, 2), "5.50");
}

// A summary longer than the grid: beside the vertical scroll bar every column still shows
// whole, each as wide as its widest text, a long name included.
TEST_F(TransOutputTest, LargeSummaryShowsEveryColumnWhole) {
  Load(RandomProblem(100, 100, 7));
  g.SourceName(1) = "Central warehouse at the river port";
  g.TransStartMethod = 2;
  ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
  ShowTransOutputSummary();
  Forms::DoEvents();
  const Grid &grid = scr5().outputGrid;
  const FontSpec font{"arial", 9, true};
  int total = 0;
  for (int c = 0; c < grid.Cols(); ++c) {
    double widest = 0;
    for (int r = 0; r < grid.Rows(); ++r)
      widest = std::max(widest, QtTextExtent(font, grid.TextMatrix(r, c)).width);
    EXPECT_GE(grid.ColWidthOf(c), widest + 90) << "column " << c;
    total += grid.ColWidthOf(c);
  }
  EXPECT_LE(total, grid.ViewWidth());
}

// On the small screen a problem of fewer sources gets the tableau room of three: the multiplier
// list stands beside the step buttons, and the grid reaches as far down as for three sources.
TEST_F(TransOutputTest, FewSourcesGetTheTableauRoomOfThreeOnTheSmallScreen) {
  UseScreen(12000, 9000);
  std::map<int, int> heights;
  const test::TransProblem twoSources{{{4, 6, 9}, {5, 3, 8}}, {30, 45}, {25, 20, 30}};
  for (const test::TransProblem &p : {test::TextbookProblem(), twoSources}) {
    Forms::Clear();
    Tableaus(p, 1);
    const Scr5 &f = scr5();
    EXPECT_EQ(f.Frame6.Top(), f.Frame2.Top()) << p.supplies.size();
    EXPECT_LE(f.Frame6.Left() + f.Frame6.Width(), f.Frame2.Left()) << p.supplies.size();
    heights[static_cast<int>(p.supplies.size())] = f.outputGrid.Height();
  }
  EXPECT_EQ(heights[2], heights[3]);
}

TEST_F(TransOutputTest, FirstTableauFromNorthWestCorner) {
  Tableaus(test::TextbookProblem(), 1);
  Scr5 &f = scr5();
  EXPECT_EQ(g.OutputPageKind, 1);
  EXPECT_TRUE(f.Frame6.Visible());
  EXPECT_TRUE(Drawn(f, "TRANSPORTATION TABLEAU - (North-West Corner Method)"));
  EXPECT_TRUE(Drawn(f, "Title: Shipping --(minimum cost)"));
  ASSERT_EQ(f.outputGrid.Rows(), 13);
  ASSERT_EQ(f.outputGrid.Cols(), 8);
  // Multipliers re-based on u1 = 0, which shows red. Cost, shipment, reduced cost per cell;
  // non-basic cells show no shipment, and (3,1), which enters, none either.
  test::ExpectCells(f.outputGrid, {{0, 0, "Iter 1"}, {0, 1, "ObjVal  ="}, {0, 2, "520.00"}, {0, 7, "Supply"},
                                   {12, 1, "Demand"}, {12, 4, "15"}, {3, 2, "u1=0.00"}, {6, 2, "u2=5.00"},
                                   {2, 3, "v1=10.00"}, {2, 6, "v4=15.00"}, {3, 3, "10.00"}, {4, 4, "10"},
                                   {5, 4, "0.00"}, {4, 5, ""}, {11, 3, "9.00"}, {4, 7, "15"}, {3, 7, "15"},
                                   {10, 3, ""}, {4, 3, "5"}});
  EXPECT_EQ(Fore(4, 2), kRed);
  EXPECT_EQ(Fore(6, 2), kCyan);
  // (1,1) leaves at the tie with (2,2) by the lower position.
  EXPECT_EQ(g.Entering, 9);
  EXPECT_EQ(g.Leaving, 1);
  ASSERT_EQ(g.ChangedCells(1, 0), 6);
  EXPECT_EQ(g.ChangedCells(1, 1), 10);
  EXPECT_EQ(g.ChangedCells(2, 1), 3);
  EXPECT_EQ(g.ChangedCells(1, 2), 4);
  EXPECT_EQ(g.ChangedCells(2, 2), 3);
  // Clicks: a loop cell takes its colour, in any order; another cell beeps.
  TransLoopCellClick(7, 6);
  EXPECT_EQ(Back(7, 6), kGrey);
  TransLoopCellClick(10, 3);
  EXPECT_EQ(Back(10, 3), kGreen);
  TransLoopCellClick(4, 5);
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_NE(Back(4, 5), kGrey);
}

TEST_F(TransOutputTest, AllIterationsToTheOptimumColourEachLoop) {
  const auto p = test::TextbookProblem();
  const int last = FinalIterationFrom(p, 1);
  ASSERT_GT(last, 2);
  Tableaus(p, 1);
  script.AnswerMsgBox(msg::OK, std::string("Iteration ") + std::to_string(last) + " is optimal");
  TransAllIterations();
  Scr5 &f = scr5();
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Optimal Tableau");
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  EXPECT_FALSE(f.Combo5.Enabled());
  EXPECT_EQ(f.outputGrid.Rows(), 13 * last);
  EXPECT_EQ(Cell(13 * (last - 1), 0), std::string("Iter ") + std::to_string(last));
  EXPECT_EQ(Cell(13 * (last - 1), 2), "435.00");
  // The last tableau is in view.
  EXPECT_EQ(f.outputGrid.TopRow(), std::min(13 * (last - 1), f.outputGrid.MaxTopRow()));
  EXPECT_GT(f.outputGrid.TopRow(), 0);
  EXPECT_EQ(Back(10, 3), kGreen);
  EXPECT_EQ(Back(4, 3), kRed);
  EXPECT_EQ(Back(4, 4), kGrey);
  // The optimal tableau has no loop: every click beeps.
  TransLoopCellClick(0, 0);
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_EQ(Back(0, 0), kCyan);
}

// Amounts as they are, in the output number format with whole ones whole, on the screen and on
// paper: the summary had rounded 1.5 to 2. A route standing for "infinity" reads so.
TEST_F(TransOutputTest, AmountsAndInfinityCostsShowAsTheyAre) {
  auto printed = [](const RecordingSurface &paper, int document) {
    std::multiset<std::string> texts;
    for (const auto &op : paper.Texts())
      if (op.document == document) texts.insert(Trim(op.text));
    return texts;
  };
  const test::TransProblem p{{{4, 6}, {5, 3}}, {1.5, 2.5}, {2, 2}};
  Summary(p);
  EXPECT_EQ((std::vector<std::string>{Cell(1, 2), Cell(2, 2), Cell(3, 2)}),
            (std::vector<std::string>{"1.50", "0.50", "2"}));
  RecordingSurface paper;
  ASSERT_TRUE(PrintTransOutputSummary(paper));
  const auto data = printed(paper, 1), summary = printed(paper, 2);
  EXPECT_EQ(data.count("1.50") + data.count("2.50"), 2u);
  EXPECT_EQ(data.count("2.00"), 0u);
  EXPECT_EQ(summary.count("1.50") + summary.count("0.50"), 2u);

  script.AnswerMsgBox(msg::OK, "Iteration 1 is optimal");
  Tableaus(p, 1);
  test::ExpectCells(scr5().outputGrid, {{4, 3, "1.50"}, {7, 3, "0.50"}, {4, 5, "1.50"}, {9, 4, "2"}});

  const double inf = INFINITY;
  Summary({{{1, inf}, {inf, 1}}, {1, 1}, {1, 1}});
  int infinite = 0;
  for (int r = 1; r <= g.MRows; ++r)
    if (Cell(r, 3) == "infinity") {
      ++infinite;
      EXPECT_EQ(Cell(r, 2), "0");
    }
  EXPECT_EQ(infinite, 1);
  paper.Reset();
  ASSERT_TRUE(PrintTransOutputSummary(paper));
  EXPECT_EQ(printed(paper, 1).count("infinity"), 2u);
  EXPECT_EQ(printed(paper, 2).count("infinity"), 1u);
}

// A huge objective in the widest formats stays on the printed line, written shorter where its
// digits would run past it.
TEST_F(TransOutputTest, HugeObjectiveStaysInsideThePrintedLine) {
  Summary({{{1e60, 2e60}, {3e60, 1e60}}, {1e60, 1e60}, {1e60, 1e60}});
  for (const int type : {1, 2}) {
    g.NumFormatType = static_cast<int16>(type);
    g.NumDigitsN = 15;
    g.NumDigitsD = 15;
    RecordingSurface paper;
    ASSERT_TRUE(PrintTransOutputSummary(paper));
    const std::vector<RecordedOp> texts = paper.Texts();
    const RecordedOp *line = nullptr;
    for (const RecordedOp &op : texts)
      if (op.text.starts_with("Objective Value (minimum cost) =")) line = &op;
    ASSERT_NE(line, nullptr) << type;
    EXPECT_LE(line->x2, kPrintRight) << line->text;
  }
}

// Every road reaches the final solution's verdict: a basis still shipping on an "infinity"
// route is never announced optimal, from any start; where the cost standing for it was too
// small to keep a loop off it, the tableaus go on to the true optimum.
TEST_F(TransOutputTest, TableausReachTheFinalVerdictOnInfinityRoutes) {
  const double inf = INFINITY;
  const std::string none = TransOutcomeMessage(TransOutcome::NoFeasibleSolution);
  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(method);
    script.AnswerMsgBox(msg::OK, none);
    RunToEnd({{{inf, inf}, {1, 1}}, {1, 1}, {1, 1}}, method);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(scr5().cmdFinalIter.Enabled());

    script.AnswerMsgBox(msg::OK);
    const std::string verdict = RunToEnd(test::DiagonalInfinityProblem(), method);
    ASSERT_TRUE(script.Done());
    EXPECT_NE(verdict.find(" is optimal"), std::string::npos);
    const int rows = 3 * 7 + 4, last = scr5().outputGrid.Rows() / rows - 1;
    EXPECT_EQ(Cell(last * rows, 2), "63.00");
  }
}

TEST_F(TransOutputTest, OptimalStartEndsAtOnce) {
  script.AnswerMsgBox(msg::OK, "Iteration 1 is optimal");
  Load({{{1, 5}, {5, 1}}, {10, 10}, {10, 10}});
  // The screen has painted its frame (a thick pen) before the tableaus are asked for.
  Forms::DoEvents();
  g.TransStartMethod = 2;
  ShowTransIterations();
  EXPECT_EQ(scr5().outputGrid.Rows(), 10);
  EXPECT_EQ(Cell(0, 0), "Iter 1");
  EXPECT_FALSE(scr5().cmdNextIter.Enabled());
  // The heading drawn again after the message keeps its thin rules, which cover no text.
  int rules = 0;
  for (const DrawOp &op : scr5().DrawnOps())
    if (op.kind == DrawKind::Line) {
      ++rules;
      EXPECT_EQ(op.width, 1) << "rule at Y " << op.y1;
    }
  EXPECT_EQ(rules, 4);
}

// At the size limit "All Iterations" runs every start to its end (the grid passes 32767 rows
// after about a hundred tableaus), and the tableaus read as those of their bases: the
// shipments add up to every supply and demand, u + v - c is the reduced cost shown (0 on the
// basic cells), each earlier loop is coloured, and the last tableau proves itself optimal
// (no positive reduced cost) at the cost it shows.
TEST_F(TransOutputTest, AllIterationsAtTheSizeLimitFromEveryStart) {
  const auto p = RandomProblem(100, 100, 20261209);
  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(method);
    const std::size_t shown = script.MessageBoxes().size();
    script.AnswerMsgBox(msg::OK);
    Tableaus(p, method);
    TransAllIterations();
    ASSERT_TRUE(script.Done());
    const int m = g.TransSources, n = g.TransDests, rows = 3 * m + 4;
    const int last = scr5().outputGrid.Rows() / rows;
    ASSERT_EQ(scr5().outputGrid.Rows(), last * rows);
    ASSERT_EQ(script.MessageBoxes().size(), shown + 1);
    EXPECT_EQ(script.MessageBoxes()[shown].text, "Iteration " + std::to_string(last) + " is optimal");
    EXPECT_EQ(Cell((last - 1) * rows, 0), "Iter " + std::to_string(last));
    auto value = [](const std::string &label) { return Val(label.substr(label.find('=') + 1)); };
    for (int b : {0, last / 2, last - 1}) {
      SCOPED_TRACE(b);
      const int r0 = b * rows;
      std::vector<double> out(static_cast<std::size_t>(m) + 1, 0), in(static_cast<std::size_t>(n) + 1, 0);
      int wrong = 0, positive = 0;
      double cost = 0;
      for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
          const double u = value(Cell(r0 + 3 * i, 2)), v = value(Cell(r0 + 2, j + 2));
          const double c = Val(Cell(r0 + 3 * i, j + 2)), rc = Val(Cell(r0 + 3 * i + 2, j + 2));
          const std::string x = Cell(r0 + 3 * i + 1, j + 2);
          if (!x.empty()) {
            out[static_cast<std::size_t>(i)] += Val(x);
            in[static_cast<std::size_t>(j)] += Val(x);
            cost += c * Val(x);
          }
          if (rc != (x.empty() ? u + v - c : 0) || (!x.empty() && u + v != c)) ++wrong;
          if (rc > 0) ++positive;
        }
      EXPECT_EQ(wrong, 0);
      for (int i = 1; i <= m; ++i)
        EXPECT_EQ(out[static_cast<std::size_t>(i)], Val(Cell(r0 + 3 * i + 1, n + 3))) << "source " << i;
      for (int j = 1; j <= n; ++j)
        EXPECT_EQ(in[static_cast<std::size_t>(j)], Val(Cell(r0 + 3 * m + 3, j + 2))) << "destination " << j;
      if (b == last - 1) {
        EXPECT_EQ(positive, 0);
        EXPECT_EQ(Cell(r0, 2), Trim(Format(cost, NumberFormatString())));
        continue;
      }
      EXPECT_GT(positive, 0);
      std::map<Rgb, int> marks;
      for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j)
          ++marks[Back(r0 + 3 * i + 1, j + 2)];
      EXPECT_EQ(marks[kGreen], 1);
      EXPECT_EQ(marks[kRed], 1);
      EXPECT_GE(marks[kGrey], 2);
    }
  }
}

TEST_F(TransOutputTest, MultiplierSetToZeroCarriesIntoLaterTableaus) {
  Tableaus(test::TextbookProblem(), 1);
  // v2 (item m + 2 - 1): every u up by 2 and every v down by 2, as plain numbers.
  TransChooseZeroMultiplier(g.TransSources + 1);
  EXPECT_EQ(g.ZeroV, 2);
  EXPECT_EQ(g.ZeroU, 0);
  test::ExpectCells(scr5().outputGrid, {{2, 4, "v2=0"}, {3, 2, "u1=2"}, {5, 2, "u1=2"}, {2, 6, "v4=13"}});
  EXPECT_EQ(Fore(2, 4), kRed);
  EXPECT_EQ(Fore(3, 2), kCyan);
  // The shift keeps every u + v - c as priced.
  const int m = g.TransSources, n = g.TransDests;
  for (int k = 1; k <= g.NVars; ++k)
    EXPECT_NEAR(g.Duals((k - 1) / n + 1) + g.Duals(m + (k - 1) % n + 1) - g.Cost(k), g.RedCost(k), 1E-9) << k;
  TransNextIteration();
  EXPECT_EQ(Cell(13 + 2, 4), "v2=0.00");
  EXPECT_EQ(Fore(13 + 2, 4), kRed);
  EXPECT_NE(Cell(13 + 3, 2), "u1=0.00");
  EXPECT_DOUBLE_EQ(g.Duals(m + 2), 0);

  // Fractional multipliers are written as plain decimals.
  script.AnswerMsgBox(msg::OK, "Iteration 1 is optimal");
  Tableaus({{{0.5, 3}, {2, 1}}, {1, 1}, {1, 1}}, 2);
  TransChooseZeroMultiplier(1);
  EXPECT_EQ(g.ZeroU, 2);
  EXPECT_EQ(Cell(6, 2), "u2=0");
  EXPECT_EQ(Cell(3, 2).substr(0, 3), "u1=");
  EXPECT_EQ(Cell(3, 2).find(' '), std::string::npos);

  // The chosen multiplier reads 0 whatever the costs, and the others as they are: shifted in
  // single precision u1 read -3 with costs near 123456789, and tenths read 0.200000002980232.
  Tableaus({{{123456789, 123456000}, {123450000, 123456780}}, {10, 20}, {15, 15}}, 1);
  EXPECT_EQ(Cell(3, 2), "u1=0.00");
  script.AnswerMsgBox(msg::OK, "Iteration 2 is optimal");
  TransNextIteration();
  EXPECT_EQ(Cell(10 + 3, 2), "u1=0.00");
  script.AnswerMsgBox(msg::OK, "Iteration 1 is optimal");
  Tableaus({{{0.1, 0.7}, {0.3, 0.2}}, {10, 20}, {15, 15}}, 1);
  TransChooseZeroMultiplier(1);
  EXPECT_EQ((std::vector<std::string>{Cell(3, 2), Cell(6, 2), Cell(2, 3), Cell(2, 4)}),
            (std::vector<std::string>{"u1=-0.2", "u2=0", "v1=0.3", "v2=0.2"}));
}

// The option list switches views from the full amounts whatever the last start consumed.
TEST_F(TransOutputTest, OptionListSolvesAgainFromTheFullAmounts) {
  const auto p = test::TextbookProblem();
  Tableaus(p, 1);
  TransOutputOptionChosen(1);
  EXPECT_TRUE(FrameDrawn(scr5()));
  EXPECT_TRUE(Drawn(scr5(), "Objective Value (minimum cost) =435.00"));
  EXPECT_TRUE(Drawn(scr5(), std::string("Final Iteration No.: ") + Str(FinalIterationFrom(p, 2))));
  EXPECT_EQ(g.TransStartMethod, 1);
  test::ExpectConsistentBasis();
  TransOutputOptionChosen(2);
  EXPECT_TRUE(FrameDrawn(scr5()));
  EXPECT_EQ(Cell(0, 0), "Iter 1");
  EXPECT_EQ(Cell(0, 2), "520.00");
  EXPECT_TRUE(scr5().cmdNextIter.Enabled());
}

// A basis that cannot be inverted ends the tableaus with a message, with nothing pivoted.
TEST_F(TransOutputTest, SingularBasisEndsWithAMessage) {
  Load(test::TextbookProblem());
  for (int p = 1; p <= g.MRows; ++p)
    g.BasisList(p) = static_cast<int16>(p == 1 ? 1 : 2);
  g.TransStartMethod = 0;
  script.AnswerMsgBox(msg::OK, TransOutcomeMessage(TransOutcome::SingularBasis));
  ShowTransIterations();
  EXPECT_FALSE(scr5().cmdNextIter.Enabled());
  EXPECT_FALSE(scr5().cmdFinalIter.Enabled());
  EXPECT_EQ(g.Entering, 0);
  EXPECT_EQ(Cell(0, 0), "");
}

TEST_F(TransOutputTest, TableausPrintAfterTheOriginalData) {
  const auto p = test::TextbookProblem();
  if (FinalIterationFrom(p, 2) == 2) script.AnswerMsgBox(msg::OK);
  Tableaus(p, 2);
  TransNextIteration();
  RecordingSurface paper;
  ASSERT_TRUE(PrintTransTableaus(paper, scr5().outputGrid));
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  const RecordedOp *data = paper.FindText("TRANSPORTATION MODEL-- ORIGINAL DATA");
  const RecordedOp *tableaus = paper.FindText("TRANSPORTATION MODEL -- TABLEAUS (Least-Cost Method )");
  ASSERT_NE(data, nullptr);
  ASSERT_NE(tableaus, nullptr);
  EXPECT_EQ(data->page, 1);
  EXPECT_EQ(tableaus->page, 2);
  // Each block is labelled once per band of columns the page width needs.
  std::set<std::string> blocks;
  for (const auto &op : paper.Texts())
    if (op.text.rfind("Iteration", 0) == 0) blocks.insert(Trim(op.text));
  EXPECT_EQ(blocks, (std::set<std::string>{"Iteration 1:", "Iteration 2:"}));
}

TEST_F(TransOutputTest, SummaryPrintsAsTwoJobs) {
  Summary(test::TextbookProblem());
  RecordingSurface paper;
  ASSERT_TRUE(PrintTransOutputSummary(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  ASSERT_NE(paper.FindText("TRANSPORTATION MODEL -- ORIGINAL DATA"), nullptr);
  const RecordedOp *title = paper.FindText("TRANSPORTATION MODEL OUTPUT SUMMARY");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->document, 2);
  EXPECT_EQ(title->y1, 1000);
  ASSERT_NE(paper.FindText("Obj Contrib"), nullptr);
  ASSERT_NE(paper.FindText("Objective Value (minimum cost) =435.00"), nullptr);
  int lines = 0;
  for (const auto &op : paper.Texts())
    if (op.document == 2 && op.text.rfind("S", 0) == 0 && op.text.find(":   ") != std::string::npos) ++lines;
  EXPECT_EQ(lines, g.MRows);
}

// A "-infinity" route: the total cost has no lower bound, and no figure made of the number
// standing for the word is shown as a cost, on the summary, its printout or any tableau.
TEST_F(TransOutputTest, MinusInfinityRouteShowsNoStandInCost) {
  const double inf = INFINITY;
  const test::TransProblem p{{{-inf, 1}, {1, 1}}, {1, 1}, {1, 1}};
  auto noStandIn = [](const std::string &text) {
    return text.find("99") == std::string::npos && text.find("98") == std::string::npos;
  };
  Summary(p);
  int routes = 0;
  for (int r = 1; r <= g.MRows; ++r) {
    for (int c = 0; c <= 4; ++c)
      EXPECT_TRUE(noStandIn(Cell(r, c))) << Cell(r, c);
    if (Cell(r, 3) != "-infinity") continue;
    ++routes;
    EXPECT_EQ(Cell(r, 2), "1");
    EXPECT_EQ(Cell(r, 4), "-infinity");
  }
  EXPECT_EQ(routes, 1);
  EXPECT_TRUE(Drawn(scr5(), "Objective Value (minimum cost) =-infinity"));
  RecordingSurface paper;
  ASSERT_TRUE(PrintTransOutputSummary(paper));
  EXPECT_NE(paper.FindText("Objective Value (minimum cost) =-infinity"), nullptr);
  for (const auto &op : paper.Texts())
    EXPECT_TRUE(noStandIn(op.text)) << op.text;

  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(method);
    script.AnswerMsgBox(msg::OK);
    RunToEnd(p, method);
    ASSERT_TRUE(script.Done());
    const int rows = 3 * 2 + 4, blocks = scr5().outputGrid.Rows() / rows;
    for (int b = 0; b < blocks; ++b) {
      EXPECT_EQ(Cell(b * rows, 2), "-infinity");
      EXPECT_EQ(Cell(b * rows + 3, 3), "-infinity");
    }
    EXPECT_EQ(Cell((blocks - 1) * rows + 4, 3), "1"); // the route carries all it can
  }
}

// Seeded problems with costs of "infinity" and "-infinity" among small ones, from every start:
// no multiplier, reduced cost or total of any tableau is a figure made of the numbers standing
// for the words (99 here, where sums of the finite costs stay below 50); the word stands there.
TEST_F(TransOutputTest, TableausShowWordsNeverFiguresMadeOfThem) {
  std::mt19937 rng(52);
  std::uniform_int_distribution<int> size(2, 4), cost(-5, 5), pick(0, 7), amount(1, 9);
  const double inf = INFINITY;
  int words = 0;
  for (int round = 0; round < 30; ++round) {
    test::TransProblem p;
    p.costs.assign(static_cast<std::size_t>(size(rng)), {});
    const int n = size(rng);
    for (auto &row : p.costs)
      for (int j = 0; j < n; ++j) {
        const int w = pick(rng);
        row.push_back(w == 0 ? inf : w == 1 ? -inf : cost(rng));
      }
    for (std::size_t i = 0; i < p.costs.size(); ++i)
      p.supplies.push_back(amount(rng));
    for (int j = 0; j < n; ++j)
      p.demands.push_back(amount(rng));
    for (int method = 1; method <= 3; ++method) {
      SCOPED_TRACE(std::to_string(round) + " method " + std::to_string(method));
      // Every other run holds another multiplier at zero, shifting the words with the numbers.
      script.AnswerMsgBox(msg::OK);
      scr5().cmdNextIter.SetEnabled(true);
      scr5().cmdFinalIter.SetEnabled(true);
      Tableaus(p, method);
      if (round % 2 == 1) {
        const int chosen = round % (g.TransSources + g.TransDests);
        TransChooseZeroMultiplier(chosen);
        const bool u = chosen < g.TransSources;
        const int at = u ? chosen + 1 : chosen + 1 - g.TransSources;
        EXPECT_EQ(u ? Cell(3 * at, 2) : Cell(2, at + 2), (u ? "u" : "v") + std::to_string(at) + "=0");
      }
      if (scr5().cmdFinalIter.Enabled()) scr5().cmdFinalIter.PerformClick();
      ASSERT_TRUE(script.Done());
      const int m = g.TransSources, cols = g.TransDests, rows = 3 * m + 4;
      auto check = [&](const std::string &text) {
        const std::string value = text.substr(text.find('=') + 1);
        if (value == "infinity" || value == "-infinity")
          ++words;
        else
          EXPECT_LT(std::fabs(Val(value)), 50) << text;
      };
      for (int top = 0; top < scr5().outputGrid.Rows(); top += rows) {
        check(Cell(top, 2));
        for (int j = 1; j <= cols; ++j)
          check(Cell(top + 2, j + 2));
        for (int i = 1; i <= m; ++i) {
          check(Cell(top + 3 * i, 2));
          for (int j = 1; j <= cols; ++j)
            check(Cell(top + 3 * i + 2, j + 2));
        }
      }
    }
  }
  EXPECT_GT(words, 500);
}

// The printout of a run's tableaus closes with the text of the message the run ended with
// (an optimum, no feasible solution, a stop at the limit), and prints an "infinity" cost and a
// total made of one as the word.
TEST_F(TransOutputTest, TableauPrintoutEndsWithTheRunsVerdict) {
  const double inf = INFINITY;
  const test::TransProblem none{{{inf, inf, 5}, {1, 2, inf}, {3, 4, inf}}, {10, 10, 10}, {5, 5, 20}};
  auto printed = [] {
    RecordingSurface paper;
    SetPrinterForTesting(&paper);
    scr5().cmdWriteToPrinter.PerformClick();
    SetPrinterForTesting(nullptr);
    return paper.Texts();
  };
  auto run = [&](const test::TransProblem &p, int method) {
    script.AnswerMsgBox(msg::OK);
    const std::string verdict = RunToEnd(p, method);
    EXPECT_TRUE(script.Done());
    return verdict;
  };
  const test::TransProblem textbook = test::TextbookProblem();
  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(method);
    for (const test::TransProblem *p : {&none, &textbook}) {
      const std::string verdict = run(*p, method);
      EXPECT_EQ(verdict, p == &none ? TransOutcomeMessage(TransOutcome::NoFeasibleSolution)
                                    : "Iteration " + std::to_string(FinalIterationFrom(*p, method)) + " is optimal");
      const auto texts = printed();
      ASSERT_FALSE(texts.empty());
      EXPECT_EQ(texts.back().text, verdict);
      EXPECT_LE(texts.back().x2, kPrintRight);
    }
  }
  // North-west corner ends with 10 on an "infinity" route; its costs, the last total and the
  // multipliers and reduced costs made of one print as the word, never as a figure of 99.
  run(none, 1);
  const int rows = 3 * 3 + 4, last = (scr5().outputGrid.Rows() / rows - 1) * rows;
  EXPECT_EQ(Cell(last, 2), "infinity");
  int words = 0;
  for (const auto &op : printed()) {
    words += Trim(op.text) == "infinity";
    EXPECT_EQ(op.text.find("99"), std::string::npos) << op.text;
  }
  EXPECT_GE(words, 5 * (scr5().outputGrid.Rows() / rows) + 1);

  const int cap = TransPivotCap;
  TransPivotCap = 1;
  const std::string stopped = run(test::TextbookProblem(), 1);
  EXPECT_EQ(stopped, TransOutcomeMessage(TransOutcome::PivotCapReached));
  TransPivotCap = cap;
  EXPECT_EQ(printed().back().text, stopped);

  // Part way, nothing is said about an end.
  Tableaus(test::TextbookProblem(), 1);
  const auto texts = printed();
  EXPECT_EQ(texts.back().text.find("optimal"), std::string::npos);
  script.ClearRecord();
}

} // namespace
} // namespace quon::testing
