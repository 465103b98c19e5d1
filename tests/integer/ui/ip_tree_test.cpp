#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "integer/ip_fixture.h"
#include "integer/ui/ip_output.h"
#include "linear/mod_lp_simplex.h"
#include "platform/colors.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

// Two integer variables, each in a row of its own: c1 x1 + c2 x2 with x1 rel1 b1, x2 rel2 b2.
LP Boxed(const std::string &sense, const std::vector<double> &c, const std::vector<std::string> &rel,
         const std::vector<double> &b) {
  LP lp = Program(sense, c, {{1, 0}, {0, 1}}, rel, b);
  lp.integer = {"y", "y"};
  return lp;
}

class IPTreeTest : public ScreenTest {
protected:
  void TreeOf(const LP &lp) {
    BuildIP(lp);
    g.HeaderText[1] = "Test IP";
    g.OutputOption = 0;
    scr4().Show();
    scr4().cmdDone.PerformClick();
    scr5().Combo1.PerformChoose(1);
  }
  static Grid &T() { return scr5().outputGrid; }
  // The five rows of the node block whose label cell is (r, c).
  static std::vector<std::string> Block(int r, int c) {
    std::vector<std::string> out;
    for (int k = 0; k < 5; ++k)
      out.push_back(T().TextMatrix(r + k, c));
    return out;
  }
  static bool Has(const std::vector<std::string> &lines, const std::string &text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
  // The texts one click of the print button puts on paper, as one print job.
  static std::vector<std::string> PrintNow() {
    RecordingSurface paper;
    SetPrinterForTesting(&paper);
    scr5().cmdWriteToPrinter.PerformClick();
    SetPrinterForTesting(nullptr);
    EXPECT_EQ(paper.DocumentsEnded(), 1);
    std::vector<std::string> out;
    for (const auto &op : paper.Texts())
      out.push_back(op.text);
    return out;
  }
};

// Six variables held to 0.5 each: every branching opens one level deeper, with an infeasible
// second child, until the tree is far taller than its grid. Each new pair of nodes is shown
// as it is drawn, and the grid scrolls.
TEST_F(IPTreeTest, NewNodesComeIntoViewAsTheTreeGrowsDown) {
  constexpr int n = 6;
  LP lp;
  lp.c.assign(n, 1);
  for (int j = 0; j < n; ++j) {
    lp.a.emplace_back(n, 0);
    lp.a.back()[static_cast<std::size_t>(j)] = 2;
  }
  lp.rel.assign(n, "<=");
  lp.b.assign(n, 1);
  TreeOf(lp);
  Scr5 &f = scr5();
  f.Show();
  Forms::DoEvents();
  for (int j = 1; j <= n; ++j) {
    const int parent = 5 * (j - 1);
    T().PerformClick(parent, 0);
    f.BBGrid.PerformClick(2, j);
    Forms::DoEvents();
    const int row = parent + 5;
    ASSERT_EQ(T().TextMatrix(row + 3, 1), "infeasible");
    EXPECT_GE(T().RowY(row), 0) << "level " << j + 1;
    EXPECT_LE(T().RowY(row + 4) + T().RowHeightOf(row + 4), T().ViewHeight()) << "level " << j + 1;
  }
  EXPECT_GT(T().TopRow(), 0);
  const auto *area = qobject_cast<QAbstractScrollArea *>(T().Widget());
  ASSERT_NE(area, nullptr);
  EXPECT_TRUE(area->verticalScrollBar()->isVisible());
}

// Maximise 3x1 + 2x2: the root (2.75, 1.75) branches on x1 into N20 (2, 2.5) and N21 (3, 1),
// both with z = 11; N21 is integral and best, N20 is then fathomed by the bound.
TEST_F(IPTreeTest, WorkedExampleClickByClick) {
  TreeOf(WorkedExample());
  Scr5 &f = scr5();
  EXPECT_EQ(f.Label1.Caption(), "(MAX) B&&B SEARCH TREE (Click any GREEN node)");
  EXPECT_EQ(Block(0, 0), (std::vector<std::string>{"N10", "", "z= 11.75", "x?", ""}));
  EXPECT_EQ(T().BackOf(0, 0), kGreen);
  // While nodes stay open the paper says nothing the search has not settled: no integer node
  // yet is not "no feasible solution", and the best node so far is not yet the optimum.
  auto settlesNothing = [](const std::vector<std::string> &paper) {
    for (const std::string &l : paper)
      if (l == "Problem has no feasible solution" || l.rfind("Optimum solution", 0) == 0 ||
          l.find("OPTIMUM NODE") != std::string::npos)
        return false;
    return Has(paper, "Subproblem N10");
  };
  EXPECT_TRUE(settlesNothing(PrintNow()));

  T().PerformClick(2, 0); // anywhere in the block picks the node
  EXPECT_EQ(g.PickedNodeId, 10);
  EXPECT_EQ(T().BackOf(0, 0), kGrey);
  EXPECT_TRUE(f.Frame3.Visible());
  EXPECT_EQ(f.Frame3.Caption(), "Click BRANCHING variable (N10)");
  EXPECT_EQ(f.BBGrid.TextMatrix(2, 1), "2.75");
  EXPECT_EQ(f.BBGrid.TextMatrix(2, 2), "1.75");
  EXPECT_EQ(f.BBGrid.TextMatrix(3, 1), "y");
  EXPECT_EQ(f.Label18.Caption(), "LBound=-infinity");
  EXPECT_EQ(f.Label17.Caption(), "UBound=11.75  (continuous max)");
  // The screen paints with the node detail up (its layout once looped without end).
  f.Show();
  Forms::DoEvents();

  f.BBGrid.PerformClick(2, 1);
  EXPECT_EQ(Block(0, 0), (std::vector<std::string>{"N10", "", "z= 11.75", "x1=2.75", "<N20, N21>"}));
  EXPECT_EQ(T().BackOf(0, 0), kRed);
  EXPECT_EQ(T().ForeOf(4, 0), kGreen);
  EXPECT_EQ(Block(5, 0), (std::vector<std::string>{"N20", "x1<=2", "z= 11.00", "x?", ""}));
  EXPECT_EQ(Block(5, 1), (std::vector<std::string>{"N21", "x1>=3", "z= 11.00", "integer", "Best LBound"}));
  EXPECT_EQ(T().BackOf(5, 0), kGreen);
  EXPECT_EQ(T().BackOf(5, 1), kMagenta);
  EXPECT_EQ(T().ForeOf(9, 1), kMagenta);
  EXPECT_FALSE(f.Frame3.Visible());
  EXPECT_EQ(f.Label18.Caption(), "LBound=11.00");
  EXPECT_EQ(f.Label19.Caption(), "Occurs at node  21");
  EXPECT_EQ(f.Label1.Caption(), "(MAX) B&&B SEARCH TREE (Click any GREEN node)");
  EXPECT_TRUE(settlesNothing(PrintNow()));

  // The best node can be inspected, not branched.
  T().PerformClick(6, 1);
  EXPECT_EQ(f.Frame3.Caption(), "Subproblem N21 -- Best Bound");
  f.BBGrid.PerformClick(2, 2);
  EXPECT_EQ(T().Rows(), 10);

  // With the bound switched on, N20 (z = 11, no better than 11) is fathomed by its click.
  f.Check2.SetValue(1);
  T().PerformClick(9, 0);
  EXPECT_EQ(T().BackOf(5, 0), kRed);
  EXPECT_EQ(T().TextMatrix(8, 0), "z<=LBound");
  EXPECT_EQ(f.Frame3.Caption(), "Subproblem N20 fathomed");
  EXPECT_EQ(f.Label1.Caption(), "(MAX) B&&B Search completed.  Click any node to reveal its solution");
  EXPECT_EQ(f.Label1.ForeColor(), kMagenta);

  const auto paper = PrintNow();
  for (const char *line : {"INTEGER PROGRAM PROGRAM -- ORIGINAL DATA", "INTEGER PROGRAMMING B&B TREE",
                           "Optimum solution encountered at subrpoblem N21:", "Objective Value = 11.00",
                           "x1 =  3 ", "x2 =  1 ", "Subproblem N10", "Defining branches: ",
                           "Branching variable: x1=2.75", "Subproblem N21   (from N10) (OPTIMUM NODE)",
                           "Defining branches: x1>=3", "Branching variable: None (integer solution)",
                           "Subproblem N20   (from N10)", "Branching variable: z<=LBound",
                           "Objective value, z= 11.00"})
    EXPECT_TRUE(Has(paper, line)) << line;
}

// A notice in the node detail's place (an unbounded root, a click on an infeasible child) has a
// line of its own above the tree's title on both screens, in the widest formats too.
TEST_F(IPTreeTest, NoticesStandClearOfTheTree) {
  for (const int w : {15360, 12000})
    for (const int16 format : {0, 1, 2}) {
      SCOPED_TRACE(std::to_string(w) + " format " + std::to_string(format));
      auto open = [format](const LP &lp) {
        Forms::Clear();
        BuildIP(lp);
        g.HeaderText[1] = "Test IP";
        Scr4 &f4 = scr4();
        f4.Show();
        if (format == 2) f4.exponentialOption.PerformClick();
        if (format != 0) {
          f4.nbrNsText.SetText("15");
          f4.nbrDsText.SetText("15");
        }
        f4.cmdDone.PerformClick();
        scr5().Combo1.PerformChoose(1);
      };
      SetLogicalScreen(w, w * 3 / 4);
      open(NoIntegerPointUnboundedRelaxation());
      ASSERT_EQ(g.NumDigitsD, format == 0 ? 2 : 15);
      ASSERT_TRUE(scr5().Label6.Visible());
      EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{});
      T().PerformClick(0, 0);
      EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{});
      open(Boxed("Minimize", {1, 1}, {">=", ">="}, {2.5, 0.5}));
      T().PerformClick(0, 0);
      scr5().BBGrid.PerformClick(2, 1);
      T().PerformClick(5, 0);
      ASSERT_EQ(scr5().Label6.Caption(), "Subproblem has no feasible solution");
      EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{});
    }
  SetLogicalScreen(15360, 11520);
}

// Without the bound N20 stays open; its children are an integral tie (red) and a dominated
// fractional node that the solve fathoms, as the bound is now switched on.
TEST_F(IPTreeTest, DeeperLevelFathomsAtTheSolveAndPrintsThePath) {
  TreeOf(WorkedExample());
  Scr5 &f = scr5();
  T().PerformClick(0, 0);
  f.BBGrid.PerformClick(2, 1);
  T().PerformClick(5, 0);
  f.Check2.SetValue(1);
  // x1 is already whole in N20: refused, nothing changes.
  script.AnswerMsgBox(msg::OK, "Target variable is already integer");
  f.BBGrid.PerformClick(2, 1);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Branching Variable");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::OKOnly | msg::Critical);
  EXPECT_EQ(T().Rows(), 10);
  EXPECT_EQ(T().BackOf(5, 0), kGrey);

  f.BBGrid.PerformClick(2, 2);
  EXPECT_EQ(Block(10, 0), (std::vector<std::string>{"N30", "x2<=2", "z= 10.00", "integer", ""}));
  EXPECT_EQ(T().BackOf(10, 0), kRed);
  EXPECT_EQ(Block(10, 1), (std::vector<std::string>{"N31", "x2>=3", "z= 10.50", "z <= LBound", ""}));
  EXPECT_EQ(T().BackOf(10, 1), kRed);
  EXPECT_EQ(f.Label1.Caption(), "(MAX) B&&B Search completed.  Click any node to reveal its solution");

  const auto paper = PrintNow();
  for (const char *line :
       {"Subproblem N31   (from N20)", "Defining branches: x2>=3, x1<=2", "Branching variable: z <= LBound"})
    EXPECT_TRUE(Has(paper, line)) << line;
}

// Minimise x1 + x2 with x1 >= 1000000.5 and x2 <= 1: the root's x1 = 1000000.5 branches into
// N20 (infeasible) and N21 with z = 1000001, the first incumbent, however large its objective.
TEST_F(IPTreeTest, AnIncumbentBeyondTheProgramsInfinityIsTheBest) {
  TreeOf(Boxed("Minimize", {1, 1}, {">=", "<="}, {1000000.5, 1}));
  Scr5 &f = scr5();
  T().PerformClick(0, 0);
  EXPECT_EQ(f.Label18.Caption(), "UBound=infinity");
  f.BBGrid.PerformClick(2, 1);
  EXPECT_EQ(Block(5, 0)[3], "infeasible");
  EXPECT_EQ(Block(5, 1),
            (std::vector<std::string>{"N21", "x1>=1000001", "z= 1000001.00", "integer", "Best UBound"}));
  EXPECT_EQ(T().BackOf(5, 1), kMagenta);
  EXPECT_EQ(f.Label18.Caption(), "UBound=1000001.00");
  const auto paper = PrintNow();
  EXPECT_TRUE(Has(paper, "Optimum solution encountered at subrpoblem N21:"));
  EXPECT_FALSE(Has(paper, "Problem has no feasible solution"));
}

// Maximise x1 + x2 with x1 <= B + 0.5 and x2 <= 0.5: branching x1 at B, then x2 at 0, gives
// N20 (x1 = B, x2 = 0.5, z = B + 0.5) and its integral child N30 (z = B), however large B
// is: a branch bound of a million and more is a bound like any other.
TEST_F(IPTreeTest, LargeBranchBoundsHold) {
  for (double big : {999998.0, 999999.0, 1500000.0, 4294967296.0}) {
    Forms::Clear();
    TreeOf(Boxed("Maximize", {1, 1}, {"<=", "<="}, {big + 0.5, 0.5}));
    const std::string whole = NumText(big), z = Format(big, NumberFormatString());
    T().PerformClick(0, 0);
    scr5().BBGrid.PerformClick(2, 1);
    EXPECT_EQ(Block(5, 0), (std::vector<std::string>{"N20", "x1<=" + whole, "z= " + Format(big + 0.5, NumberFormatString()),
                                                     "x?", ""}))
        << whole;
    EXPECT_EQ(Block(5, 1)[3], "infeasible") << whole;
    T().PerformClick(5, 0);
    EXPECT_EQ(scr5().BBGrid.TextMatrix(2, 1), whole);
    scr5().BBGrid.PerformClick(2, 2);
    EXPECT_EQ(Block(10, 0), (std::vector<std::string>{"N30", "x2<=0", "z= " + z, "integer", "Best LBound"})) << whole;
    EXPECT_EQ(Block(10, 1)[3], "infeasible") << whole;
  }
}

// x1 >= B + 0.5 and x2 >= 0.5, the sum minimised (or its negative maximised): the first child
// of each branching is infeasible while its sibling is open, so the tree is complete only
// after the second branching; the title says so then, and never before.
TEST_F(IPTreeTest, CompletedOnlyOnceNoNodeCanBeBranched) {
  for (const double big : {2.0, 1000000.0, 4294967296.0})
    for (const char *sense : {"Minimize", "Maximize"}) {
      SCOPED_TRACE(std::string(sense) + " " + NumText(big));
      const double s = std::string(sense) == "Minimize" ? 1 : -1;
      Forms::Clear();
      TreeOf(Boxed(sense, {s, s}, {">=", ">="}, {big + 0.5, 0.5}));
      Scr5 &f = scr5();
      const std::string open = s > 0 ? "(MIN) B&&B SEARCH TREE (Click any GREEN node)"
                                     : "(MAX) B&&B SEARCH TREE (Click any GREEN node)";
      const std::string done = std::string(s > 0 ? "(MIN) " : "(MAX) ") +
                               "B&&B Search completed.  Click any node to reveal its solution";
      T().PerformClick(0, 0);
      f.BBGrid.PerformClick(2, 1);
      ASSERT_EQ(Block(5, 0)[3], "infeasible");
      ASSERT_EQ(T().BackOf(5, 1), kGreen);
      EXPECT_EQ(f.Label1.Caption(), open);
      EXPECT_EQ(f.Label1.ForeColor(), kGreen);
      // Picked and waiting is still open.
      T().PerformClick(5, 1);
      EXPECT_EQ(f.Label1.Caption(), open);
      f.BBGrid.PerformClick(2, 2);
      ASSERT_EQ(Block(10, 0)[3], "infeasible");
      ASSERT_EQ(Block(10, 1)[3], "integer");
      EXPECT_EQ(f.Label1.Caption(), done);
      EXPECT_EQ(f.Label1.ForeColor(), kMagenta);
    }
}

// The engine held to no pivot (as when it cannot solve a badly scaled subproblem): from the
// root, or once N21 is the incumbent and N20 is branched. No node is left open, but nothing
// is proven: neither the title nor the paper gives a verdict, and the best node is feasible
// only. On the small screen, where the longer title must still show whole.
TEST_F(IPTreeTest, AnUnsolvedNodeLeavesTheSearchUnproven) {
  SetLogicalScreen(12000, 9000);
  const int cap = LPPivotCap;
  for (const bool fromRoot : {true, false}) {
    SCOPED_TRACE(fromRoot ? "root" : "N20");
    Forms::Clear();
    Scr5 &f = scr5();
    if (fromRoot) LPPivotCap = 0;
    TreeOf(WorkedExample());
    if (!fromRoot) {
      T().PerformClick(0, 0);
      f.BBGrid.PerformClick(2, 1);
      T().PerformClick(5, 0);
      LPPivotCap = 0;
      f.BBGrid.PerformClick(2, 2);
    }
    LPPivotCap = cap;
    const std::string node = fromRoot ? "N10" : "N30";
    ASSERT_EQ(T().TextMatrix(fromRoot ? 3 : 13, 0), "not solved");
    EXPECT_EQ(f.Label1.Caption(),
              "(MAX) B&&B Search incomplete.  The simplex engine could not solve subproblem " + node);
    EXPECT_EQ(f.Label1.ForeColor(), kRed);
    f.Show();
    EXPECT_EQ(UnseenOn(f), std::vector<std::string>{});
    const auto paper = PrintNow();
    EXPECT_TRUE(Has(paper, "Search incomplete: the simplex engine could not solve subproblem " + node));
    EXPECT_EQ(Has(paper, "Feasible solution encountered at subproblem N21:"), !fromRoot);
    for (const std::string &l : paper)
      EXPECT_TRUE(l != "Problem has no feasible solution" && l.rfind("Optimum solution", 0) != 0 &&
                  l.find("OPTIMUM NODE") == std::string::npos)
          << l;
    // Its click shows no values, bounds or "fathomed" of a solve that never was.
    T().PerformClick(fromRoot ? 0 : 10, 0);
    EXPECT_FALSE(f.Frame3.Visible());
    EXPECT_EQ(f.Label6.Caption(), "The simplex engine could not solve subproblem " + node);
    EXPECT_EQ(UnseenOn(f), std::vector<std::string>{});
  }
  SetLogicalScreen(15360, 11520);
}

TEST_F(IPTreeTest, ContinuousTargetIsRefused) {
  LP mixed = WorkedExample();
  mixed.integer = {"y", "n"};
  TreeOf(mixed);
  T().PerformClick(0, 0);
  EXPECT_EQ(scr5().BBGrid.TextMatrix(3, 2), "n");
  script.AnswerMsgBox(msg::OK, "Target variable is continuous");
  scr5().BBGrid.PerformClick(2, 2);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Branching Variable");
  EXPECT_EQ(T().Rows(), 5);
}

// A level that already holds 9 nodes takes the first child; the second would be the 11th.
TEST_F(IPTreeTest, EleventhNodeOfALevelRevertsToTheAutomatedSearch) {
  TreeOf(WorkedExample());
  T().PerformClick(0, 0);
  T().SetRows(10);
  T().SetCols(9);
  g.LevelCount.ReDimPreserve(2);
  g.LevelCount(2) = 9;
  script.AnswerMsgBox(msg::OK,
                      "Maximum number of B&B branches AT ANY ONE LEVEL cannot exceed 10.  Execution reverted to "
                      "automatic mode");
  scr5().BBGrid.PerformClick(2, 1);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Module Capacity Exceeded!");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::OKOnly | msg::Information);
  EXPECT_EQ(g.NodeIds(2), 29);
  EXPECT_EQ(g.OutputOption, 1);
  EXPECT_EQ(scr5().Label1.Caption(), "FEASIBLE SOLUTIONS (in improved order)");
  EXPECT_EQ(scr5().outputGrid.TextMatrix(3, 0), "7");
}

TEST_F(IPTreeTest, PrintedSummaryFollowsHowTheSearchEnded) {
  // Completed: improving solutions, the last one optimal.
  TreeOf(WorkedExample());
  scr5().Combo1.PerformChoose(0);
  auto paper = PrintNow();
  for (const char *line : {"INTEGER PROGRAMMING B&B OUTPUT SUMMARY", "FEASIBLE SOLUTION 1:", "Objective Value = 10",
                           "Solution found at iteration 3", "OPTIMAL SOLUTION:", "Objective Value = 11 (MAX) ",
                           "Optimum solution found at iteration  7 ", "Result verified at iteration  7 ",
                           "x1:  = 3"})
    EXPECT_TRUE(Has(paper, line)) << line;

  // Aborted: what was found is feasible, not optimal, and the abort is said.
  BBSubproblemLimit = 5;
  script.AnswerMsgBox(msg::OK);
  scr5().Combo1.PerformChoose(1);
  scr5().Combo1.PerformChoose(0);
  BBSubproblemLimit = 32000;
  paper = PrintNow();
  EXPECT_TRUE(Has(paper, "FEASIBLE SOLUTION 1:"));
  EXPECT_FALSE(Has(paper, "OPTIMAL SOLUTION:"));
  EXPECT_TRUE(Has(paper, "Search aborted after 5 subproblems"));
  // The paper closes with the message the screen stopped the search with.
  EXPECT_EQ(paper.back(), "Number of examined subproblems exceeds 5.  Execution aborted");
  EXPECT_FALSE(Has(paper, "Problem has no feasible solution"));

  // Unbounded and infeasible roots.
  const std::pair<LP, const char *> cases[] = {{UnboundedExample(), kUnboundedRelaxationText},
                                               {NoIntegerPointUnboundedRelaxation(), kUnboundedRelaxationText},
                                               {InfeasibleExample(), "Problem has no feasible solution"}};
  for (const auto &[lp, text] : cases) {
    Forms::Clear();
    TreeOf(lp);
    scr5().Combo1.PerformChoose(0);
    paper = PrintNow();
    EXPECT_EQ(paper.back(), text);
    EXPECT_FALSE(Has(paper, "OPTIMAL SOLUTION:"));
    // The tree's report gives the same verdict.
    scr5().Combo1.PerformChoose(1);
    paper = PrintNow();
    EXPECT_TRUE(Has(paper, text)) << text;
    if (text != kUnboundedRelaxationText) continue;
    // The tree says it too, at once and when its root is clicked, and bounds nothing by 999999.
    Scr5 &f = scr5();
    EXPECT_EQ(Block(0, 0)[3], "unbounded");
    EXPECT_TRUE(f.Label6.Visible());
    EXPECT_EQ(f.Label6.Caption(), text);
    EXPECT_GE(f.Label6.Width(), f.TextWidth(text));
    T().PerformClick(0, 0);
    EXPECT_FALSE(f.Frame3.Visible());
    EXPECT_TRUE(f.Label6.Visible());
    EXPECT_EQ(f.Label6.Caption(), text);
    EXPECT_EQ(f.Label17.Caption(), g.ObjSense == -1 ? "UBound=infinity  (continuous max)"
                                                    : "LBound=-infinity  (continuous min)");
    for (const auto &line : paper)
      EXPECT_EQ(line.find("Solution is unbounded"), std::string::npos);
  }
  // The tree of an infeasible root: no solution, and the root is printed all the same.
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(scr5().Label1.Caption(), "(MAX) B&&B Search completed.  Click any node to reveal its solution");
  paper = PrintNow();
  for (const char *line : {"Problem has no feasible solution", "Objective Value: Infeasible solution",
                           "Branching variable: None (no fesible solution)"})
    EXPECT_TRUE(Has(paper, line)) << line;
}

} // namespace
} // namespace quon::testing
