// The simplex tableau view driven press by press. Every block on the grid is checked against
// the tableau the test computes itself from the block's basis (a dense Gauss-Jordan solve of
// the standard form taken before the run), and every pivot against the rules applied to the
// test's own tableau, so no table is copied from the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "input/problem_file.h"
#include "linear/lp_fixture.h"
#include "support/grid_text.h"
#include "linear/mod_lp_simplex.h"
#include "linear/print_reports.h"
#include "linear/tableau_size.h"
#include "linear/ui/simplex_iterations.h"
#include "platform/colors.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/dual_start.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

// The standard form as the run starts, and tableaus computed from it.
struct Reference {
  int m = 0, n = 0;
  std::vector<std::vector<double>> a; // m x n, then b as column n
  std::vector<double> cost;           // Tab(2, j): the user's costs (M included)
  std::vector<std::string> names;     // ColNames
  double shift = 0;                   // objective constant of the lower-bound shift
  int method = 0;

  void Capture(int lpMethod) {
    method = lpMethod;
    shift = g.ObjShift;
    m = g.MRows;
    n = g.NCols;
    a.assign(m, std::vector<double>(n + 1));
    for (int i = 0; i < m; ++i) {
      for (int j = 0; j < n; ++j)
        a[i][j] = g.Tab(i + 3, j + 1);
      a[i][n] = g.Tab(i + 3, g.NColsPlus1);
    }
    cost.assign(n, 0);
    names.assign(n, "");
    for (int j = 0; j < n; ++j) {
      cost[j] = g.Tab(2, j + 1);
      names[j] = g.ColNames(j + 1);
    }
  }
  bool Artificial(int j) const { return names[j][0] == 'R'; }
  void Negate(int j) {
    for (auto &row : a)
      row[j] = -row[j];
    cost[j] = -cost[j];
  }
  double Cost(int j, int phase) const {
    if (phase == 1) return Artificial(j) ? 1 : 0;
    if (method == 4 && Artificial(j)) return 0;
    return cost[j];
  }

  // B^-1 [A | b] by Gauss-Jordan with partial pivoting.
  std::vector<std::vector<double>> Tableau(const std::vector<int> &basis) const {
    std::vector<std::vector<double>> t(m, std::vector<double>(m + n + 1));
    for (int i = 0; i < m; ++i) {
      for (int k = 0; k < m; ++k)
        t[i][k] = a[i][basis[k]];
      for (int j = 0; j <= n; ++j)
        t[i][m + j] = a[i][j];
    }
    for (int c = 0; c < m; ++c) {
      int p = c;
      for (int i = c + 1; i < m; ++i)
        if (std::fabs(t[i][c]) > std::fabs(t[p][c])) p = i;
      std::swap(t[p], t[c]);
      const double d = t[c][c];
      for (double &v : t[c])
        v /= d;
      for (int i = 0; i < m; ++i)
        if (i != c && t[i][c] != 0) {
          const double f = t[i][c];
          for (int k = 0; k < m + n + 1; ++k)
            t[i][k] -= f * t[c][k];
        }
    }
    std::vector<std::vector<double>> out(m, std::vector<double>(n + 1));
    for (int i = 0; i < m; ++i)
      for (int j = 0; j <= n; ++j)
        out[i][j] = t[i][m + j];
    return out;
  }
};

struct Shown {
  int top = 0;
  std::string heading;
  int phase = 0;
  std::vector<int> basis; // 0-based columns
  std::vector<std::vector<double>> body;
  std::vector<double> reduced; // z_j - c_j
};

std::string F(double v) {
  return Format(std::fabs(v) < 1E-9 ? 0.0 : v, NumberFormatString());
}

class SimplexIterationsTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // Messages are answered OK and checked afterwards from the record.
    script.SetFaultHandler([](const std::string &) {});
  }
  void TearDown() override {
    EndSimplexTableauView();
    ScreenTest::TearDown();
  }

  // The program as the SOLVE/MODIFY items leave it, then the output screen's start.
  void Start(const LP &lp, int method, double bigM = 100) {
    Build(lp);
    StartBuilt(method, bigM);
  }
  // The same from a program already built into its standard form.
  void StartBuilt(int method, double bigM = 100) {
    ASSERT_EQ(g.InputErrorIndex, 0);
    g.HeaderText[1] = "Example";
    g.OutputMode = 2;
    g.LPMethod = static_cast<int16>(method);
    g.Phase = static_cast<int16>(method == 4 ? 1 : 0);
    if (method == 5) ConvertToDualSimplexForm();
    if (method == 3) ApplyTypedBigM(bigM);
    SizeSimplexTableau(method == 3 || method == 4);
    ref.Capture(method);
    scr5().Show();
    ShowSimplexIterations();
  }

  Grid &G() { return scr5().outputGrid; }
  int BlockRows() const { return ref.m + 7; }
  int Blocks() { return G().Rows() / BlockRows(); }
  bool Stepping() { return scr5().cmdNextIter.Enabled() || scr5().cmdFinalIter.Enabled(); }

  std::vector<std::string> Messages() {
    std::vector<std::string> out;
    for (const auto &r : script.MessageBoxes())
      out.push_back(r.title + ": " + r.text);
    script.ClearRecord();
    return out;
  }

  // Reads block b and checks every number of it against the reference tableau of its basis.
  Shown CheckBlock(int b) {
    Shown s;
    s.top = b * BlockRows();
    const int t = s.top, m = ref.m, n = ref.n;
    s.heading = G().TextMatrix(t, 0);
    s.phase = ref.method == 4 && s.heading.rfind("Phase 1", 0) == 0 ? 1 : 2;
    std::map<std::string, int> column;
    Reference start = ref;
    for (int j = 0; j < n; ++j) {
      const std::string label = G().TextMatrix(t + 1, j + 1);
      column[label] = j;
      // An unrestricted column the pricing turned round ("-") enters with the opposite sign.
      if (label.back() == '-') ref.Negate(j);
    }
    for (int k = 1; k <= m; ++k) {
      auto it = column.find(G().TextMatrix(t + 2 + k, 0));
      EXPECT_NE(it, column.end()) << "basic label of row " << k << " in block " << b;
      s.basis.push_back(it == column.end() ? 0 : it->second);
    }
    s.body = ref.Tableau(s.basis);
    double z = 0;
    for (int k = 0; k < m; ++k)
      z += ref.Cost(s.basis[k], s.phase) * s.body[k][n];
    if (s.phase != 1) z += ref.shift;
    s.reduced.assign(n, 0);
    for (int j = 0; j < n; ++j) {
      double zj = 0;
      for (int k = 0; k < m; ++k)
        zj += ref.Cost(s.basis[k], s.phase) * s.body[k][j];
      s.reduced[j] = zj - ref.Cost(j, s.phase);
      const bool blocked = ref.method == 4 && s.phase == 2 && ref.Artificial(j);
      EXPECT_EQ(G().TextMatrix(t + 2, j + 1), blocked ? "blocked" : F(s.reduced[j])) << "block " << b << " col " << j + 1;
      for (int k = 0; k < m; ++k)
        EXPECT_EQ(G().TextMatrix(t + 3 + k, j + 1), F(s.body[k][j]))
            << "block " << b << " row " << k + 1 << " col " << j + 1;
    }
    EXPECT_EQ(G().TextMatrix(t + 2, n + 1), F(z)) << "block " << b;
    for (int k = 0; k < m; ++k)
      EXPECT_EQ(G().TextMatrix(t + 3 + k, n + 1), F(s.body[k][n])) << "block " << b << " row " << k + 1;
    EXPECT_EQ(G().TextMatrix(t + 1, 0), "Basic");
    EXPECT_EQ(G().TextMatrix(t + 1, n + 1), "Solution");
    const bool minimising = s.phase == 1 || g.ObjSenseSaved == 1;
    EXPECT_EQ(G().TextMatrix(t + 2, 0), minimising ? "z (min)" : "z (max)");
    EXPECT_EQ(G().TextMatrix(t + 3 + m, 0), "Lower Bound");
    EXPECT_EQ(G().TextMatrix(t + 5 + m, 0), "Unrestr'd (y/n)?");
    EXPECT_EQ(G().BackOf(t, 0), kCyan);
    EXPECT_EQ(G().ForeOf(t + 1, n + 1), kBlue);
    EXPECT_EQ(G().BackOf(t + 2, 0), kCyan);
    ref = start;
    return s;
  }

  // The pivot the rules take on a shown tableau: {entering column, leaving row}, 0-based;
  // -1 when there is none.
  std::pair<int, int> Pivot(const Shown &s) const {
    const int m = ref.m, n = ref.n;
    std::vector<bool> basic(n, false);
    for (int j : s.basis)
      basic[j] = true;
    if (ref.method == 5) {
      int row = -1;
      double most = 0;
      for (int k = 0; k < m; ++k)
        if (s.body[k][n] < most - 1E-9) most = s.body[k][n], row = k;
      if (row < 0) return {-1, -1};
      int col = -1;
      double best = 1E300;
      for (int j = 0; j < n; ++j)
        if (!basic[j] && s.body[row][j] < -1E-8) {
          const double r = std::fabs(s.reduced[j] / s.body[row][j]);
          if (r < best - 1E-12) best = r, col = j;
        }
      return {col, row};
    }
    const double sense = s.phase == 1 ? 1 : g.ObjSenseSaved;
    int col = -1;
    double best = 1E-9;
    for (int j = 0; j < n; ++j) {
      if (basic[j] || (ref.method == 4 && s.phase == 2 && ref.Artificial(j))) continue;
      if (sense * s.reduced[j] > best + 1E-12) best = sense * s.reduced[j], col = j;
    }
    if (col < 0) return {-1, -1};
    int row = -1;
    double ratio = 1E300;
    for (int k = 0; k < m; ++k)
      if (s.body[k][col] > 1E-9 && s.body[k][n] / s.body[k][col] < ratio - 1E-12)
        ratio = s.body[k][n] / s.body[k][col], row = k;
    return {col, row};
  }

  // Checks that block b+1 follows from block b by the rules, with b's pivot painted.
  void CheckStep(const Shown &from, const Shown &to) {
    const auto [col, row] = Pivot(from);
    if (from.phase == 1 && to.phase == 2) {
      EXPECT_EQ(to.basis, from.basis) << "phase 2 starts from the last phase-1 basis";
      EXPECT_EQ(col, -1);
      return;
    }
    ASSERT_GE(col, 0) << "a step after " << from.heading << " without an entering column";
    ASSERT_GE(row, 0);
    std::vector<int> expected = from.basis;
    expected[row] = col;
    EXPECT_EQ(to.basis, expected) << "after " << from.heading;
    const int t = from.top;
    for (int r = t; r <= t + ref.m + 5; ++r)
      if (r != t + 3 + row) {
        EXPECT_EQ(G().BackOf(r, col + 1), kGreen) << "row " << r;
      }
    for (int c = 0; c <= ref.n + 1; ++c)
      EXPECT_EQ(G().BackOf(t + 3 + row, c), kRed) << "leaving row, col " << c;
  }

  // Presses "Next Iteration" until the run ends, checking every block and every step from the
  // newest one on.
  std::vector<std::string> RunByNext(int maxPresses = 50) {
    std::vector<std::string> messages = Messages();
    Shown last = CheckBlock(Blocks() - 1);
    for (int press = 0; press < maxPresses && scr5().cmdNextIter.Enabled(); ++press) {
      const int before = Blocks();
      scr5().cmdNextIter_Click();
      for (const auto &text : Messages())
        messages.push_back(text);
      if (Blocks() == before) break;
      const int b = Blocks() - 1;
      if (G().TextMatrix(b * BlockRows(), 0).empty()) break; // the unbounded end's empty block
      Shown next = CheckBlock(b);
      CheckStep(last, next);
      last = next;
      // The newest block never shows a pivot of its own.
      EXPECT_NE(G().BackOf(next.top + 3, 1), kRed);
    }
    return messages;
  }

  Reference ref;
};

// Minimise 4x1 + x2 subject to 3x1 + x2 = 3, 4x1 + 3x2 >= 6, x1 + 2x2 <= 4.
LP Artificial() {
  return LP{.sense = "Minimize",
            .c = {4, 1},
            .a = {{3, 1}, {4, 3}, {1, 2}},
            .rel = {"=", ">=", "<="},
            .b = {3, 6, 4}};
}

// Minimise 3x1 + 2x2 subject to 3x1 + x2 >= 3, 4x1 + 3x2 >= 6, x1 + x2 <= 3.
LP DualStart() {
  return LP{.sense = "Minimize",
            .c = {3, 2},
            .a = {{3, 1}, {4, 3}, {1, 1}},
            .rel = {">=", ">=", "<="},
            .b = {3, 6, 3}};
}

// Beale's example: the largest-coefficient rule with top-most ties cycles on it.
LP Beale() {
  return LP{.c = {0.75, -20, 0.5, -6},
            .a = {{0.25, -8, -1, 9}, {0.5, -12, -0.5, 3}, {0, 0, 1, 0}},
            .rel = {"<=", "<=", "<="},
            .b = {0, 0, 1}};
}

bool IsBasic(const Shown &s, int j) {
  return std::find(s.basis.begin(), s.basis.end(), j) != s.basis.end();
}

TEST_F(SimplexIterationsTest, AllSlackPressByPress) {
  Start(DoorsAndWindows(true), 2);
  EXPECT_EQ(g.OutputPageKind, 1);
  EXPECT_EQ(G().TextMatrix(0, 0), "Iteration 1");
  EXPECT_EQ(G().TextMatrix(0, 1), g.VarNames(1).str());
  EXPECT_EQ(G().TextMatrix(0, 3), " ");
  EXPECT_EQ(G().TextMatrix(ref.m + 4, 1), "infinity");
  EXPECT_EQ(G().TextMatrix(ref.m + 5, 2), "n");
  EXPECT_EQ(G().BackOf(3, ref.n), kWhite); // where the basis inverse stands
  EXPECT_EQ(G().ForeOf(3, ref.n), kBlue);
  EXPECT_EQ(RunByNext(), (std::vector<std::string>{"Optimal Tableau: Iteration 3 is optimal"}));
  EXPECT_EQ(Blocks(), 3);
  EXPECT_EQ(G().TextMatrix(2 * BlockRows() + 2, ref.n + 1), "36.00");
  EXPECT_FALSE(Stepping());
  EXPECT_EQ(scr5().Combo1.ListCount(), 2);
}

// The button frame stands on the grid and must leave the heading with its three steps in view.
TEST_F(SimplexIterationsTest, TheButtonFrameLeavesTheHeadingInView) {
  Start(DoorsAndWindows(true), 2);
  double lowest = 0;
  for (const DrawOp &op : scr5().DrawnOps())
    lowest = std::max(lowest, std::max(op.y1, op.y2));
  EXPECT_GE(scr5().Frame2.Top(), lowest);
  EXPECT_EQ(scr5().Frame2.Top() + scr5().Frame2.Height(), G().Top());
}

TEST_F(SimplexIterationsTest, MMethodPressByPress) {
  Start(Artificial(), 3);
  const auto messages = RunByNext();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal");
  for (int b = 0; b < Blocks(); ++b)
    EXPECT_EQ(G().TextMatrix(b * BlockRows(), 0), "Iteration" + Str(b + 1));
  EXPECT_EQ(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1), "3.40"); // x = (0.4, 1.8)
}

TEST_F(SimplexIterationsTest, TwoPhaseByNextTellsTheEndOfPhaseOne) {
  Start(Artificial(), 4);
  const auto messages = RunByNext();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Phase 1: End of Phase 1: Feasible solution found--initiating Phase 2");
  EXPECT_EQ(messages[1], "Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal");
  int phase2 = 0;
  for (int b = 0; b < Blocks(); ++b) {
    const std::string h = G().TextMatrix(b * BlockRows(), 0);
    EXPECT_EQ(h.substr(h.find("(Iter")), "(Iter" + Str(b + 1));
    if (h.rfind("Phase 2", 0) == 0) ++phase2;
  }
  EXPECT_GE(phase2, 1);
  EXPECT_EQ(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1), "3.40");
}

TEST_F(SimplexIterationsTest, TwoPhaseByAllCrossesSilentlyAndMatchesNext) {
  Start(Artificial(), 4);
  scr5().cmdFinalIter_Click();
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal");
  for (int b = 0; b + 1 < Blocks(); ++b)
    CheckStep(CheckBlock(b), CheckBlock(b + 1));
  EXPECT_FALSE(Stepping());
}

TEST_F(SimplexIterationsTest, DualSimplexPressByPress) {
  Start(DualStart(), 5);
  const auto messages = RunByNext();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal");
  EXPECT_GE(Blocks(), 2);
  EXPECT_EQ(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1), "4.20"); // x = (0.6, 1.2)
}

TEST_F(SimplexIterationsTest, EndsOfTheRun) {
  // Already optimal: one block, the step's message, no stepping.
  LP done{.c = {-1}, .a = {{1}}, .rel = {"<="}, .b = {1}};
  Start(done, 2);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Optimal Tableau: Iteration 1 is optimal"}));
  EXPECT_EQ(Blocks(), 1);
  EXPECT_FALSE(Stepping());

  // Infeasible phase 1.
  LP none{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {">=", "<="}, .b = {5, 2}};
  Start(none, 4);
  scr5().cmdFinalIter_Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Phase 1: Phase 2 nixed.  Phase1 shows the problem has no feasible solution"}));
  EXPECT_FALSE(Stepping());

  // Unbounded: "Next" keeps the empty block and paints the entering column, "All" drops it.
  LP open{.c = {1, 0}, .a = {{1, -1}}, .rel = {"<="}, .b = {1}};
  for (bool all : {false, true}) {
    Start(open, 2);
    std::vector<std::string> messages;
    if (all) {
      scr5().cmdFinalIter_Click();
      messages = Messages();
    } else {
      messages = RunByNext();
    }
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Optimal Tableau: Last tableau shows solution is unbounded");
    EXPECT_EQ(Blocks(), all ? 2 : 3);
    const int t = BlockRows(); // the second block shows x2 entering with no row to leave
    EXPECT_EQ(G().BackOf(t + 2, 2), kGreen);
    EXPECT_FALSE(Stepping());
  }
}

// The SOLVE/MODIFY screen lets through the largest M whose products with the data stay finite
// in the first tableau; the objective row of a later one, M times sums of B^-1 entries, may pass
// a double's range. The run stops there with its own message instead of showing infinities and
// going round for ever; an M of 1E17 runs to the end as with M = 100.
TEST_F(SimplexIterationsTest, EveryAcceptedMEndsAtTheVerdictOfThatM) {
  LP lp{.sense = "Minimize",
        .c = {6, -6, 9, -6, 2, 7},
        .a = {{5, 7, -540, -6, 8, 0}, {0, -8454, -3, -1, 3, 0}},
        .rel = {"=", ">="},
        .b = {257, 27}};
  Build(lp);
  double lo = 1, hi = 1E308; // the largest M the screen accepts, to a part in a million
  while (hi / lo > 1 + 1E-6) {
    const double mid = std::sqrt(lo) * std::sqrt(hi);
    (BigMFitsData(mid) ? lo : hi) = mid;
  }
  const std::string stopped = "Value of M: Iterations stopped: the next tableau's numbers pass the largest number "
                              "the computer holds, so M is too large for this problem.  Enter a smaller value of M on "
                              "the SOLVE/MODIFY screen.";
  std::vector<std::string> ends;
  for (const double bigM : {lo, 1E17, 100.0}) {
    Start(lp, 3, bigM);
    scr5().cmdFinalIter_Click();
    const auto messages = Messages();
    ASSERT_FALSE(messages.empty()) << bigM;
    ends.push_back(messages.back());
    EXPECT_FALSE(Stepping()) << bigM;
    for (int r = 0; r < G().Rows(); ++r)
      for (int c = 0; c < G().Cols(); ++c) {
        const std::string text = G().TextMatrix(r, c);
        if (text == "infinity") continue; // a bound's own cell
        EXPECT_EQ(text.find("inf"), std::string::npos) << bigM << " " << r << "," << c << ": " << text;
        EXPECT_EQ(text.find("nan"), std::string::npos) << bigM << " " << r << "," << c << ": " << text;
      }
  }
  // The objective row kept as an M part and the rest gives every M the verdict exact arithmetic
  // gives (the program is unbounded), M = 100 and the largest alike.
  EXPECT_NE(ends[0], stopped);
  EXPECT_EQ(ends[0], ends[2]);
  EXPECT_EQ(ends[1], ends[2]);
}

TEST_F(SimplexIterationsTest, UnrestrictedVariableTurnsRound) {
  // Minimise x1 + x2 with x1 free: x1 runs negative, down to -4 where x1 + 2 x2 >= -4 binds.
  LP lp{.sense = "Minimize",
        .c = {1, 3},
        .a = {{-1, -2}, {1, 1}},
        .rel = {"<=", "<="},
        .b = {4, 10},
        .unrestricted = {"y", "n"}};
  lp.lower = {"-infinity", "0"};
  Start(lp, 2);
  EXPECT_EQ(G().TextMatrix(ref.m + 5, 1), "y");
  EXPECT_EQ(G().TextMatrix(ref.m + 3, 1), "-infinity");
  const auto messages = RunByNext();
  EXPECT_EQ(messages, (std::vector<std::string>{"Optimal Tableau: Iteration 2 is optimal"}));
  EXPECT_EQ(G().TextMatrix(BlockRows() + 1, 1), "x1-");
  EXPECT_EQ(G().TextMatrix(BlockRows() + 2, ref.n + 1), "-4.00");
}

TEST_F(SimplexIterationsTest, LowerBoundShiftsTheObjective) {
  LP lp{.c = {1, 2}, .a = {{1, 1}}, .rel = {"<="}, .b = {5}, .lower = {"2", "0"}};
  Start(lp, 2);
  EXPECT_EQ(G().TextMatrix(1, 1), "Lx1");
  EXPECT_EQ(G().TextMatrix(2, ref.n + 1), "2.00"); // x1 at its lower bound 2
  EXPECT_EQ(G().TextMatrix(ref.m + 3, 1), "2.00");
  EXPECT_EQ(RunByNext(), (std::vector<std::string>{"Optimal Tableau: Iteration 2 is optimal"}));
  EXPECT_EQ(G().TextMatrix(BlockRows() + 2, ref.n + 1), "8.00");
}

TEST_F(SimplexIterationsTest, PicksAreCheckedAgainstTheTieRules) {
  // x1 and x2 tie for entering (left-most x1 enters); rows 1 and 2 tie for leaving (top-most).
  LP tie{.c = {2, 2}, .a = {{1, 1}, {1, 0}}, .rel = {"<=", "<="}, .b = {2, 2}};
  Start(tie, 2);
  const int T = g.TableauOutState;
  EXPECT_EQ(T, 1);
  G().PerformClick(T, 2);
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Entering Variable: If there is a tie, QUON always selects left-most TIED col only. "
                            "Else, your selection is not consistent with Optimality Condition. Re-select or click "
                            "NEXT/ALL ITERATIONS button."}));
  EXPECT_EQ(G().BackOf(T, 2), kCyan);
  G().PerformClick(T - 1, 1);
  EXPECT_TRUE(Messages().empty());
  for (int r = T - 1; r <= T + ref.m + 4; ++r)
    EXPECT_EQ(G().BackOf(r, 1), kGreen);
  G().PerformClick(T + 3, 1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Leaving Variable: If there is a tie, QUON always selects top-most TIED row only.  "
                            "Else, your selection is not consistent with Feasiblity Condition. Reselect or clik "
                            "NEXT/ALL ITERATIONS button."}));
  G().PerformClick(T + 2, 3);
  EXPECT_TRUE(Messages().empty());
  for (int c = 0; c < G().Cols(); ++c)
    EXPECT_EQ(G().BackOf(T + 2, c), kRed);
  const int beeps = script.Beeps();
  G().PerformClick(T + ref.m + 3, 2);
  EXPECT_EQ(script.Beeps(), beeps + 1);
  // The picks moved nothing: the step still goes as the program chose.
  RunByNext();
}

TEST_F(SimplexIterationsTest, BoundFlipPickAndStep) {
  LP lp{.c = {1, 0}, .a = {{1, 1}}, .rel = {"<="}, .b = {10}, .upper = {"3", "infinity"}};
  Start(lp, 2);
  EXPECT_EQ(g.Leaving, kBoundFlip);
  G().PerformClick(g.TableauOutState + 2, 0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Leaving Variable: No leaving variable.  Entering variable "
                                                  "stays nonbasic but at upper bound."}));
  EXPECT_EQ(G().TextMatrix(ref.m + 4, 1), "3.00");
  scr5().cmdNextIter_Click();
  // The flipped column is headed "U" and the objective counts it at its bound.
  const int t = BlockRows();
  EXPECT_EQ(G().TextMatrix(t + 1, 1), "Ux1");
  EXPECT_EQ(G().TextMatrix(t + 2, ref.n + 1), "3.00");
  EXPECT_EQ(G().TextMatrix(t + 3, ref.n + 1), "7.00");
}

TEST_F(SimplexIterationsTest, PostOptimumIteration) {
  // Alternative optima: x1 + x2 <= 1 with both costs 1.
  LP alt{.c = {1, 1}, .a = {{1, 1}, {1, 0}}, .rel = {"<=", "<="}, .b = {1, 1}};
  Start(alt, 2);
  scr5().cmdFinalIter_Click();
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Optimal Tableau: Iteration 2 is optimal.  Alternative soltuion(s) detected: Click a "
                         "nonbasic var with zj-cj=0 in last tableau, then click NEXT ITERATION button.  Output "
                         "Summary cannot be used to view alternative optima solution ");
  const Shown last = CheckBlock(1);
  int zero = -1; // the non-basic structural column with z_j - c_j = 0
  for (int j = 0; j < ref.n; ++j)
    if (std::find(last.basis.begin(), last.basis.end(), j) == last.basis.end() && std::fabs(last.reduced[j]) < 1E-9)
      zero = j;
  ASSERT_GE(zero, 0);
  const int T = g.TableauOutState;
  // A basic column, the labels and the Solution column are refused with their reason.
  const std::string basic = G().TextMatrix(T, last.basis[0] + 1);
  for (int col : {last.basis[0] + 1, 0, ref.n + 1})
    G().PerformClick(T + 1, col);
  const auto refused = Messages();
  ASSERT_EQ(refused.size(), 3u);
  EXPECT_EQ(refused[0].rfind("Post-Optimum Iteration: " + basic + " is a basic variable: only a nonbasic", 0), 0u);
  EXPECT_EQ(refused[1].rfind("Post-Optimum Iteration: The row labels are not variables", 0), 0u);
  EXPECT_EQ(refused[2].rfind("Post-Optimum Iteration: The Solution column is not a variable", 0), 0u);
  EXPECT_EQ(g.EnterSelState, 0);
  G().PerformClick(T + 1, zero + 1);
  EXPECT_EQ(g.EnterSelState, zero + 1);
  EXPECT_TRUE(scr5().cmdNextIter.Enabled());
  EXPECT_FALSE(scr5().cmdFinalIter.Enabled());
  EXPECT_FALSE(scr5().Frame4.Visible());
  G().PerformClick(T + 1, zero == 0 ? 2 : 1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Double selection error: An entering variable selection is "
                                                  "already made. You must click NextIteration"}));
  const int leavingRow = g.LeavingRow;
  scr5().cmdNextIter_Click();
  EXPECT_TRUE(Messages().empty()); // the post-optimum tableau ends without a message
  EXPECT_EQ(Blocks(), 3);
  const Shown post = CheckBlock(2);
  std::vector<int> expected = last.basis;
  expected[leavingRow - 1] = zero;
  EXPECT_EQ(post.basis, expected);
  // The pivot is painted on the constraint row that left, not on a heading row.
  for (int c = 0; c < G().Cols(); ++c)
    EXPECT_EQ(G().BackOf(last.top + 2 + leavingRow, c), kRed);
  EXPECT_NE(G().BackOf(last.top + leavingRow, ref.n + 1), kRed);
  EXPECT_EQ(g.EnterSelState, -1);
  G().PerformClick(T + 1, zero + 1);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Post-Optimum Iteration: Only ONE post-optimum iteration is allowed"}));
}

// At the optimum only a non-basic, non-artificial column with z_j - c_j = 0 may enter; any
// other pick is refused with its reason and moves nothing.
TEST_F(SimplexIterationsTest, PostOptimumPickOnlyWhereTheOptimumStays) {
  for (int method : {2, 4}) {
    Start(method == 2 ? DoorsAndWindows() : Artificial(), method);
    scr5().cmdFinalIter_Click();
    Messages();
    const int blocks = Blocks(), T = g.TableauOutState;
    const Shown last = CheckBlock(blocks - 1);
    int refused = 0;
    for (int j = 0; j < ref.n; ++j) {
      if (IsBasic(last, j) || (std::fabs(last.reduced[j]) < 1E-9 && !ref.Artificial(j))) continue;
      G().PerformClick(T + 1, j + 1);
      const auto messages = Messages();
      ASSERT_EQ(messages.size(), 1u) << "column " << j + 1;
      EXPECT_EQ(messages[0].rfind("Post-Optimum Iteration: " + G().TextMatrix(T, j + 1) + " ", 0), 0u) << messages[0];
      EXPECT_NE(G().BackOf(T + 1, j + 1), kGreen);
      ++refused;
    }
    EXPECT_GE(refused, method == 2 ? 2 : 3);
    EXPECT_EQ(g.EnterSelState, 0);
    EXPECT_EQ(g.Entering, 0);
    EXPECT_FALSE(Stepping());
    EXPECT_EQ(Blocks(), blocks);
  }
  // Max x1 + 0.999 x2 subject to x1 + x2 <= 1: x2's z_j - c_j of 0.001 shows as 0.00 in the
  // tableau; its refusal gives it in digits that show it is not 0.
  LP nearly{.c = {1, 0.999}, .a = {{1, 1}}, .rel = {"<="}, .b = {1}};
  Start(nearly, 2);
  scr5().cmdFinalIter_Click();
  Messages();
  G().PerformClick(g.TableauOutState + 1, 2);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Post-Optimum Iteration: x2 has zj-cj = 0.001, not 0", 0), 0u) << messages[0];
}

// Max x1 - x2 subject to x1 - x2 <= 1: at the optimum x2 has z_j - c_j = 0 and no positive
// entry, so it grows without end at z = 1. The optimal set is unbounded, the objective is not.
TEST_F(SimplexIterationsTest, AlternativeOptimumAlongARayKeepsTheOptimum) {
  LP ray{.c = {1, -1}, .a = {{1, -1}}, .rel = {"<="}, .b = {1}};
  Start(ray, 2);
  scr5().cmdFinalIter_Click();
  ASSERT_EQ(Messages().size(), 1u);
  const int blocks = Blocks(), T = g.TableauOutState;
  for (int twice = 0; twice < 2; ++twice) {
    G().PerformClick(T + 1, 2);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("the optimal solutions form an unbounded set"), std::string::npos) << messages[0];
  }
  EXPECT_EQ(g.EnterSelState, 0);
  EXPECT_EQ(g.Entering, 0);
  EXPECT_EQ(g.ZValue, 1);
  EXPECT_FALSE(Stepping());
  EXPECT_EQ(Blocks(), blocks);
  EXPECT_EQ(G().TextMatrix(T + 1, ref.n + 1), "1.00");
}

// After an end without an optimum, and between the phases, a click on the grid only beeps.
TEST_F(SimplexIterationsTest, NoPickWhereNoPivotIsDue) {
  auto onlyBeeps = [&](int rowFrom, int rowTo) {
    const int beeps = script.Beeps(), blocks = Blocks(), clicks = (rowTo - rowFrom + 1) * ref.n;
    for (int r = rowFrom; r <= rowTo; ++r)
      for (int c = 1; c <= ref.n; ++c)
        G().PerformClick(r, c);
    EXPECT_EQ(script.Beeps(), beeps + clicks);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(g.EnterSelState, 0);
    EXPECT_EQ(Blocks(), blocks);
    for (int r = rowFrom; r <= rowTo; ++r)
      EXPECT_NE(G().BackOf(r, ref.n + 1), kRed);
  };
  // Infeasible: phase 1 ends with w > 0; the dual simplex finds no entering column; the
  // M-method's optimum keeps the artificial of the second row basic at 3 (maximising, where the
  // optimum also has alternatives to pick; by "Next" and by "All").
  LP none{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {"<=", ">="}, .b = {2, 5}};
  for (auto [method, byNext] : {std::pair{3, true}, {3, false}, {4, false}, {5, false}}) {
    none.sense = method == 3 ? "Maximize" : "Minimize";
    Start(none, method);
    if (!byNext) scr5().cmdFinalIter_Click();
    const auto messages = byNext ? RunByNext() : Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("no feasible solution"), std::string::npos) << messages[0];
    if (method == 3) {
      EXPECT_EQ(messages[0], "No Feasible Solution: Problem has no feasible solution.  Iteration " +
                                 std::to_string(Blocks()) + " is optimal with the artificial variable " +
                                 G().TextMatrix((Blocks() - 1) * BlockRows() + 4, 0) +
                                 " = 3.00 in the basis, so no solution satisfies every constraint.");
    }
    const int T = g.TableauOutState;
    onlyBeeps(T - 1, T + 1 + ref.m);
    EXPECT_FALSE(Stepping());
  }

  // Unbounded (max x1 + x2, x1 - x2 <= 2): the rows of the last tableau are not leaving picks.
  LP open{.c = {1, 1}, .a = {{1, -1}}, .rel = {"<="}, .b = {2}};
  Start(open, 2);
  EXPECT_EQ(RunByNext().back(), "Optimal Tableau: Last tableau shows solution is unbounded");
  onlyBeeps(g.TableauOutState - 1, g.TableauOutState + 1 + ref.m);

  // Between the phases: the next press shows the first phase-2 block, and the run ends with
  // exactly one message.
  Start(Artificial(), 4);
  std::vector<std::string> messages;
  for (int press = 0; press < 20 && g.Phase != -2; ++press) {
    scr5().cmdNextIter_Click();
    for (const auto &m : Messages())
      messages.push_back(m);
  }
  ASSERT_EQ(messages,
            (std::vector<std::string>{"Phase 1: End of Phase 1: Feasible solution found--initiating Phase 2"}));
  onlyBeeps(g.TableauOutState - 1, g.TableauOutState + 1 + ref.m);
  messages = RunByNext();
  EXPECT_EQ(messages,
            (std::vector<std::string>{"Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal"}));
  EXPECT_FALSE(Stepping());
}

// An M-method optimum that keeps an artificial variable basic shows the program infeasible only
// when M is large enough. Over seeded programs with a small M that their costs often dwarf, the
// run's verdict and the final solve's agree with a search of the corners, and the check behind
// the verdict leaves every tableau and the run's own data as they were.
TEST_F(SimplexIterationsTest, ArtificialLeftInTheBasisIsJudgedWhateverM) {
  auto feasible = [](const LP &lp) {
    std::vector<std::array<double, 3>> lines{{1, 0, 0}, {0, 1, 0}}; // a x1 + b x2 = c
    for (std::size_t i = 0; i < lp.b.size(); ++i)
      lines.push_back({lp.a[i][0], lp.a[i][1], lp.b[i]});
    for (std::size_t p = 0; p < lines.size(); ++p)
      for (std::size_t q = p + 1; q < lines.size(); ++q) {
        const auto &u = lines[p], &v = lines[q];
        const double det = u[0] * v[1] - u[1] * v[0];
        if (det == 0) continue;
        const double x = (u[2] * v[1] - u[1] * v[2]) / det, y = (u[0] * v[2] - u[2] * v[0]) / det;
        bool holds = x >= -1E-9 && y >= -1E-9;
        for (std::size_t i = 0; i < lp.b.size() && holds; ++i) {
          const double d = lp.a[i][0] * x + lp.a[i][1] * y - lp.b[i];
          holds = lp.rel[i] == "<=" ? d <= 1E-9 : lp.rel[i] == ">=" ? d >= -1E-9 : std::fabs(d) <= 1E-9;
        }
        if (holds) return true;
      }
    return false;
  };
  std::mt19937 rng(20261209);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int tooSmall = 0, infeasible = 0;
  for (int trial = 0; trial < 80; ++trial) {
    LP lp{.sense = pick(0, 1) ? "Maximize" : "Minimize", .c = {pick(-30, 30) * 10.0, pick(-30, 30) * 10.0}};
    for (int i = 0, m = pick(2, 3); i < m; ++i) {
      lp.a.push_back({double(pick(0, 4)), double(pick(-2, 4))});
      if (lp.a.back()[0] == 0 && lp.a.back()[1] == 0) lp.a.back()[0] = 1;
      lp.rel.push_back(i == 0 ? ">=" : std::array<const char *, 3>{"<=", ">=", "="}[pick(0, 2)]);
      lp.b.push_back(pick(1, 8));
    }
    const double bigM = std::array<double, 3>{5, 20, 100}[pick(0, 2)];
    const bool truth = feasible(lp);
    Build(lp);
    ApplyTypedBigM(bigM);
    g.LPMethod = 3;
    const LPStatus final = SolveLP();
    EXPECT_EQ(final != LPStatus::Infeasible, truth) << "trial " << trial;

    Start(lp, 3, bigM);
    if (Stepping()) scr5().cmdFinalIter_Click();
    const auto messages = Messages();
    ASSERT_FALSE(messages.empty());
    const std::string &end = messages.back();
    EXPECT_FALSE(Stepping());
    if (end == "Optimal Tableau: Last tableau shows solution is unbounded") {
      EXPECT_EQ(final, LPStatus::Unbounded) << "trial " << trial;
      continue;
    }
    EXPECT_EQ(end.rfind("No Feasible Solution: ", 0) != 0, truth) << "trial " << trial << ": " << end;
    const std::string mText = "Value of M: Iteration " + std::to_string(Blocks()) + " is optimal for M = " + NumText(bigM);
    if (end.rfind(mText, 0) == 0) ++tooSmall;
    if (!truth) ++infeasible;
    for (int b = 0; b < Blocks(); ++b)
      CheckBlock(b);
    const int top = (Blocks() - 1) * BlockRows();
    for (int k = 1; k <= ref.m; ++k)
      EXPECT_EQ(F(g.XBasic(k)), G().TextMatrix(top + 2 + k, ref.n + 1));
    for (int j = 1; j <= ref.n; ++j)
      EXPECT_EQ(g.Tab(2, j), ref.cost[j - 1]);
    EXPECT_EQ(g.LPResult, LPStatus::NotSolved);
  }
  EXPECT_GT(tooSmall, 0);
  EXPECT_GT(infeasible, 0);

  // Max x2 subject to x1 - x2 >= 5 and x1 <= b: with M = 0.5 the artificial of the first row
  // grows with x2 at a profit, so the run finds a ray; with b = 2 there is no solution, with
  // b = 8 the optimum is x2 = 3.
  for (const double b : {2.0, 8.0}) {
    LP ray{.c = {0, 1}, .a = {{1, -1}, {1, 0}}, .rel = {">=", "<="}, .b = {5, b}};
    Start(ray, 3, 0.5);
    scr5().cmdFinalIter_Click();
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], b == 2 ? "No Feasible Solution: Problem has no feasible solution.  The last tableau lets the "
                                    "objective grow without bound only with an artificial variable growing too, so no "
                                    "solution satisfies every constraint."
                                  : "Value of M: The last tableau lets the objective grow without bound for M = 0.5 only "
                                    "because an artificial variable grows with it: M is too small for this problem.  "
                                    "Enter a larger value of M on the SOLVE/MODIFY screen.");
    EXPECT_FALSE(Stepping());
    EXPECT_EQ(g.LPResult, LPStatus::NotSolved);
  }
}

// The post-optimum block of the two-phase method stays in phase 2, with its artificial columns
// blocked (CheckBlock reads the phase from the heading and checks "blocked").
TEST_F(SimplexIterationsTest, PostOptimumBlockKeepsThePhase) {
  LP alt{.c = {1, 1}, .a = {{1, 1}, {1, 1}, {1, 0}}, .rel = {">=", "<=", "<="}, .b = {1, 4, 3}};
  Start(alt, 4);
  scr5().cmdFinalIter_Click();
  ASSERT_EQ(Messages().size(), 1u);
  const Shown last = CheckBlock(Blocks() - 1);
  int zero = -1;
  for (int j = 0; j < ref.n; ++j)
    if (!IsBasic(last, j) && !ref.Artificial(j) && std::fabs(last.reduced[j]) < 1E-9) zero = j;
  ASSERT_GE(zero, 0);
  G().PerformClick(g.TableauOutState, zero + 1);
  EXPECT_TRUE(Messages().empty());
  scr5().cmdNextIter_Click();
  EXPECT_TRUE(Messages().empty());
  const Shown post = CheckBlock(Blocks() - 1);
  EXPECT_EQ(post.heading, "Phase 2 (Iter" + Str(Blocks()));
  EXPECT_EQ(Pivot(post).first, -1) << "the post-optimum tableau is optimal too";
}

// Once the program has turned to its anti-cycling rule, picks by the stated rules (largest
// score, left-most; smallest ratio, top-most) are still right; the rule steers only the
// program's own steps.
TEST_F(SimplexIterationsTest, PicksFollowTheStatedRulesWhileTheProgramAvoidsCycling) {
  Start(Beale(), 2);
  bool ownRule = false;
  for (int press = 0; press < 60 && scr5().cmdNextIter.Enabled(); ++press) {
    const Shown s = CheckBlock(Blocks() - 1);
    const auto [col, row] = Pivot(s);
    if (col < 0) break;
    const int T = g.TableauOutState;
    G().PerformClick(T, col + 1);
    G().PerformClick(T + 2 + row, 0);
    EXPECT_TRUE(Messages().empty()) << s.heading;
    EXPECT_EQ(G().BackOf(T + 1, col + 1), kGreen) << s.heading;
    EXPECT_EQ(G().BackOf(T + 2 + row, ref.n + 1), kRed) << s.heading;
    ownRule = ownRule || std::abs(g.Entering) != col + 1;
    scr5().cmdNextIter_Click();
    Messages();
  }
  EXPECT_TRUE(ownRule);
  EXPECT_FALSE(Stepping());
}

std::tm HeadingTime() {
  static int calls = 0;
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 9;
  t.tm_wday = 3;
  t.tm_hour = calls == 0 ? 13 : 14;
  t.tm_min = calls++ == 0 ? 59 : 0;
  return t;
}

// The heading is drawn once (again at the optimum, with the later time); each new tableau is
// scrolled into view; a pick on a row label keeps the row's red in sight.
TEST_F(SimplexIterationsTest, TheScreenShowsTheNewTableauAndThePicks) {
  SetHeadingClock(&HeadingTime);
  Start(KleeMinty(3), 2);
  const Shown first = CheckBlock(0);
  const int leaving = Pivot(first).second;
  G().PerformClick(g.TableauOutState + 2 + leaving, 0);
  EXPECT_EQ(G().BackOf(g.TableauOutState + 2 + leaving, ref.n + 1), kRed);
  const CellRange sel = G().Selection();
  EXPECT_TRUE(sel.row1 == sel.row2 && sel.col1 == sel.col2) << "the selection hides the pick";
  while (scr5().cmdNextIter.Enabled()) {
    scr5().cmdNextIter_Click();
    const int top = g.TableauOutState - 1;
    EXPECT_GE(G().RowY(top), 0) << "block at " << top;
    EXPECT_LT(G().RowY(top), G().ViewHeight()) << "block at " << top;
  }
  EXPECT_EQ(Blocks(), 8);
  SetHeadingClock(nullptr);
  const auto texts = DrawnTexts(scr5());
  auto count = [&](const std::string &part) {
    return std::count_if(texts.begin(), texts.end(),
                         [&](const std::string &t) { return t.find(part) != std::string::npos; });
  };
  EXPECT_EQ(count("13:59"), 0);
  EXPECT_EQ(count("14:00"), 1);
  EXPECT_EQ(count("Title: Example (Maximize)"), 1);
  EXPECT_EQ(count("SIMPLEX TABLEAU - "), 1);
}

TEST_F(SimplexIterationsTest, CyclingClassicEnds) {
  Start(Beale(), 2);
  scr5().cmdFinalIter_Click();
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Optimal Tableau: Iteration " + std::to_string(Blocks()) + " is optimal");
  EXPECT_EQ(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1), "1.25");
  // The run did meet a basis twice before it left the cycle.
  std::map<std::vector<int>, int> seen;
  bool repeated = false;
  for (int b = 0; b < Blocks(); ++b) {
    std::vector<int> basis = CheckBlock(b).basis;
    std::sort(basis.begin(), basis.end());
    repeated = repeated || seen[basis]++ > 0;
  }
  EXPECT_TRUE(repeated);
}

TEST_F(SimplexIterationsTest, SafetyCapEndsTheRun) {
  const int cap = LPPivotCap;
  LPPivotCap = 1;
  Start(DoorsAndWindows(true), 2);
  scr5().cmdFinalIter_Click();
  LPPivotCap = cap;
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Iteration Limit: Iterations stopped after 1 tableaus: the run "
                                                  "reached the limit on simplex pivots without an optimal tableau"}));
  EXPECT_EQ(Blocks(), 2);
  EXPECT_FALSE(Stepping());
}

TEST_F(SimplexIterationsTest, LongRunPassesSixteenBitRows) {
  // Klee and Minty's cube in 9 dimensions, on which the largest-coefficient rule visits all
  // 2^9 vertices, with 60 rows that never bind: 512 blocks of 76 rows.
  const int n = 9, extra = 60;
  LP km;
  km.c.resize(n);
  km.a.assign(n + extra, std::vector<double>(n, 0));
  km.rel.assign(n + extra, "<=");
  km.b.resize(n + extra);
  for (int i = 0; i < n; ++i) {
    km.c[i] = std::pow(2.0, n - 1 - i);
    for (int j = 0; j < i; ++j)
      km.a[i][j] = std::pow(2.0, i - j + 1);
    km.a[i][i] = 1;
    km.b[i] = std::pow(5.0, i + 1);
  }
  for (int i = n; i < n + extra; ++i) {
    km.a[i][0] = 1;
    km.b[i] = 900000 + i;
  }
  Start(km, 2);
  scr5().cmdFinalIter_Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Optimal Tableau: Iteration 512 is optimal"}));
  ASSERT_EQ(Blocks(), 512);
  EXPECT_GT(g.TableauOutState, 32767);
  EXPECT_EQ(g.TableauOutState, 511 * BlockRows() + 1);
  EXPECT_GT(g.ChangedCells(1, 2), 32767); // the pending row of the last pivot
  EXPECT_EQ(G().TextMatrix(511 * BlockRows(), 0), "Iteration 512");
  EXPECT_EQ(G().TextMatrix(511 * BlockRows() + 2, ref.n + 1), F(std::pow(5.0, n)));
  CheckStep(CheckBlock(509), CheckBlock(510));
}

TEST_F(SimplexIterationsTest, OutputRoadsAndOptionList) {
  Build(DoorsAndWindows(true));
  g.HeaderText[1] = "Wyndor";
  g.OutputMode = 2;
  g.LPMethod = 2;
  SizeSimplexTableau(false);
  ref.Capture(2);
  auto road = OutputRoad();
  ASSERT_TRUE(road);
  road();
  EXPECT_TRUE(Drawn(scr5(), "SIMPLEX TABLEAU - (Starting All-Slack Method)"));
  EXPECT_TRUE(Drawn(scr5(), "Title: Wyndor (Maximize)"));
  scr5().cmdFinalIter_Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Optimal Tableau: Iteration 3 is optimal"}));
  // The summary takes the grid back cell by cell; the iterations start again from block 1.
  scr5().Combo1.PerformChoose(0);
  EXPECT_FALSE(G().HasCellSource());
  EXPECT_EQ(G().TextMatrix(0, 0), "Variable");
  EXPECT_EQ(g.OutputPageKind, 2);
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(g.OutputPageKind, 1);
  EXPECT_EQ(Blocks(), 1);
  CheckBlock(0);
  EXPECT_TRUE(scr5().cmdNextIter.Enabled());
  RunByNext();
  EXPECT_EQ(Blocks(), 3);
}

TEST_F(SimplexIterationsTest, PrintsDataThenEveryBlock) {
  Start(Artificial(), 4);
  scr5().cmdFinalIter_Click();
  Messages();
  RecordingSurface printer;
  SetPrinterForTesting(&printer);
  scr5().cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(printer.DocumentsEnded(), 1);
  const RecordedOp *data = printer.FindText("LINEAR PROGRAM -- ORIGINAL DATA");
  const RecordedOp *tabs = printer.FindText("SIMPLEX TABLEAUS --  (Two-Phase Method)");
  ASSERT_TRUE(data && tabs);
  EXPECT_EQ(data->page, 1);
  EXPECT_EQ(tabs->page, 2);
  // Every block heading and the optimal value appear after the tableau title, none on page 1.
  std::set<std::string> headings; // wide tableaus repeat them in each column block
  bool optimum = false;
  for (const auto &op : printer.Texts()) {
    if (op.text.find("(Iter") != std::string::npos) {
      EXPECT_GE(op.page, 2);
      headings.insert(Trim(op.text));
    }
    optimum = optimum || Trim(op.text) == "3.40";
  }
  EXPECT_EQ(static_cast<int>(headings.size()), Blocks());
  EXPECT_TRUE(optimum);
}

// The printout of a run's tableaus closes with the text the screen's last message gave, for
// every way a run ends; a run still going prints no verdict.
TEST_F(SimplexIterationsTest, PrintoutEndsWithTheRunsVerdict) {
  auto squeezed = [](const std::string &text) {
    std::string out;
    for (char ch : text)
      if (ch != ' ' || (!out.empty() && out.back() != ' ')) out += ch;
    return Trim(out);
  };
  // The last printed lines, joined, as far back as it takes to give `text`.
  auto closesWith = [&](const std::string &text) {
    RecordingSurface printer;
    SetPrinterForTesting(&printer);
    scr5().cmdWriteToPrinter.PerformClick();
    SetPrinterForTesting(nullptr);
    const auto texts = printer.Texts();
    std::string joined;
    for (std::size_t k = texts.size(); k-- > 0 && joined.size() <= text.size();) {
      EXPECT_LE(texts[k].x2, kPrintRight) << texts[k].text;
      joined = squeezed(texts[k].text + " " + joined);
      if (joined == squeezed(text)) return true;
    }
    return false;
  };
  auto lastMessage = [&] {
    const auto boxes = script.MessageBoxes();
    const std::string text = boxes.empty() ? "" : boxes.back().text;
    script.ClearRecord();
    return text;
  };
  LP done{.c = {-1}, .a = {{1}}, .rel = {"<="}, .b = {1}};
  LP none{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {">=", "<="}, .b = {5, 2}};
  LP open{.c = {1, 0}, .a = {{1, -1}}, .rel = {"<="}, .b = {1}};
  LP ray{.c = {0, 1}, .a = {{1, -1}, {1, 0}}, .rel = {">=", "<="}, .b = {5, 2}};
  LP small = ray; // M too small: an artificial variable grows with the objective
  small.b = {5, 8};
  LP stuck = ray; // no feasible solution, the artificial left in the basis at the optimum
  stuck.c = {-1, -1};
  const LP twoPhase = Artificial();
  struct Run {
    const LP *lp;
    int method;
    double bigM;
    const char *starts; // the message's first words
  };
  const Run runs[] = {{&done, 2, 100, "Iteration 1 is optimal"},
                      {&none, 4, 100, "Phase 2 nixed."},
                      {&open, 2, 100, "Last tableau shows solution is unbounded"},
                      {&ray, 3, 0.5, "Problem has no feasible solution."},
                      {&small, 3, 0.5, "The last tableau lets the objective grow"},
                      {&stuck, 3, 100, "Problem has no feasible solution."},
                      {&none, 3, 100, "Problem has no feasible solution."},
                      {&twoPhase, 4, 100, "Iteration 5 is optimal"},
                      {&none, 5, 100, "Problem has no feasible solution--Iterations stopped"}};
  for (const Run &run : runs) {
    SCOPED_TRACE(run.starts);
    Start(*run.lp, run.method, run.bigM);
    if (Stepping()) scr5().cmdFinalIter_Click();
    const std::string verdict = lastMessage();
    EXPECT_EQ(verdict.rfind(run.starts, 0), 0u) << verdict;
    EXPECT_TRUE(closesWith(verdict)) << verdict;
  }
  // Stopped at the limit on pivots.
  const int cap = LPPivotCap;
  LPPivotCap = 1;
  Start(DoorsAndWindows(true), 2);
  scr5().cmdFinalIter_Click();
  LPPivotCap = cap;
  EXPECT_TRUE(closesWith(lastMessage()));
  // Part way: the first tableau prints with nothing after it that a verdict would say.
  Start(DoorsAndWindows(true), 2);
  lastMessage();
  EXPECT_FALSE(closesWith("Iteration 1 is optimal"));
  EXPECT_FALSE(closesWith("Last tableau is optimal"));
}

} // namespace
} // namespace quon::testing

namespace quon::testing {
namespace {

// Programs whose coefficients run to a million, each once shown a verdict its data do not bear
// out: a two-phase run called unbounded on a column of rounding noise, a dual simplex run called
// infeasible on its optimal tableau and one called optimal with a row broken by 590, and the
// M-method whose costs vanished beside M = 1e16 and 1e17. Each now ends at the exact optimum,
// whatever the M; and an infeasible program with M = 1e16 says so in two tableaus.
TEST_F(SimplexIterationsTest, LargeNumbersEndAtTheExactVerdict) {
  struct Case {
    LP lp;
    int method;
    double bigM;
    int blocks;
    std::string z;
  };
  const LP large{.sense = "Minimize", .c = {9, 0, 0, 2, -5, -8, -4, 0, -4, 1, 0, -3}, .a = {{5, 0, 0, 0, 0, -4, 6, -3, -5, -1, -3, -8}, {0, 0, 9, 0, 0, 7, -2, 0, -8, 0, -2, 0}, {0, 3, 0, 6, -1, -3, 5, 0, 0, -5, 0, 0}, {7, -7, 1, -8, 0, 0, -1, 4, 0, 0, 0, 0}, {-4, 0, 9, 6, 0, -5, -6, 0, -3, -7, 0, -4}, {-3, 2, 0, 0, 7, -9, -3, -9, -6, -5, -1, 0}, {3, 0, -5, -1, 1, 0, 3, -2, -6, -7, -3, 6}, {-2, -7, 0, 2, 2, -6, -9, 0, 6, -2, -7, 0}, {8, 0, -5, -1, 1, -4, 9, -5, -11, -8, -6, -2}}, .rel = {"=", "=", "=", "<=", ">=", ">=", ">=", "=", "="}, .b = {16, 15, 0, 37, -11, -1, 48, -13, 64}, .lower = {"0", "0", "-2", "-5", "0", "-7", "0", "0", "-3", "-5", "-9", "0"}, .upper = {"8", "3", "-1", "-2", "6", "9", "2", "5", "0", "5", "-1", "2"}, .unrestricted = {"n", "n", "y", "y", "n", "y", "n", "n", "y", "y", "y", "n"}};
  const std::vector<Case> cases{
      {LP{.sense = "Minimize", .c = {7, 555204, 2, 7}, .a = {{171, 882, -2, 219004}, {275, 796362, 0, 423}, {394204, -541, 0, 0}}, .rel = {"=", ">=", ">="}, .b = {1098548, 3187563, -2164}},
       4, 100, 7, "964674.60"},
      {LP{.sense = "Minimize", .c = {4, 6, 9, 120867}, .a = {{-6, 0, 571, -916}, {-82714, 0, 131743, -6}, {-82714, 0, 131743, -6}}, .rel = {"<=", "<=", ">="}, .b = {-5508, -165464, -165464}},
       5, 100, 4, "725210.00"},
      {LP{.sense = "Minimize", .c = {711727, 0, 194966, 8}, .a = {{-272424, 609763, 0, -1}, {-272424, 609763, 0, -1}, {-46660, -7, 0, 0}, {679, 9, 0, 4}, {-9, 0, 938, 0}, {0, 0, 1, 0}, {0, 77420, -942971, 155}, {0, 77420, -942971, 155}}, .rel = {"<=", ">=", "<=", ">=", ">=", ">=", "<=", ">="}, .b = {-1842054, -1842054, -419933, 6124, 6485, 7, -6523222, -6523222}},
       5, 100, 9, "7770100.00"},
      {large, 3, 1E15, 13, "-44.25"},
      {large, 3, 1E16, 13, "-44.25"},
      {large, 3, 1E17, 13, "-44.25"},
  };
  for (const Case &c : cases) {
    Start(c.lp, c.method, c.bigM);
    scr5().cmdFinalIter_Click();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Optimal Tableau: Iteration " + std::to_string(c.blocks) + " is optimal"}))
        << c.z;
    ASSERT_EQ(Blocks(), c.blocks) << c.z;
    EXPECT_EQ(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1), c.z);
    if (c.lp.upper.empty()) CheckBlock(Blocks() - 1); // the reference knows no complemented column
    EndSimplexTableauView();
  }
  // Decimals beside large numbers, as typed: the two-phase method's only feasible point (2, 1),
  // once called infeasible on the binary fractions of 0.1 and 6.1; an optimum, once called
  // unproven, with a cost of 1001 as with 999.
  const LP point{.c = {-3, 2}, .a = {{8, -1}, {6000000, 0}, {3, 0.1}, {7, 9}}, .rel = {"=", "<=", "<=", "="},
                 .b = {15, 12000000, 6.1, 23}, .lower = {"-infinity", "-infinity"}, .upper = {"infinity", "infinity"},
                 .unrestricted = {"y", "y"}};
  LP priced{.c = {0, -7, -1001, -3}, .a = {{3, -6, -9, 1}, {-0.1, 9, 0, 0}, {2.9, 3, -9, 1}}, .rel = {"<=", "<=", "="},
            .b = {21, 23, 44}, .lower = {"-infinity", "0", "0", "0"}, .upper = {"infinity", "infinity", "infinity", "infinity"},
            .unrestricted = {"y", "n", "n", "n"}};
  for (const double cost : {1001.0, 999.0}) {
    priced.c[2] = -cost;
    for (const LP *lp : {&point, static_cast<const LP *>(&priced)}) {
      SCOPED_TRACE(cost);
      Start(*lp, 4);
      scr5().cmdFinalIter_Click();
      const int blocks = lp == &point ? 7 : 5;
      EXPECT_EQ(Messages(), (std::vector<std::string>{"Optimal Tableau: Iteration " + std::to_string(blocks) + " is optimal"}));
      ASSERT_EQ(Blocks(), blocks);
      EXPECT_EQ(G().TextMatrix((blocks - 1) * BlockRows() + 2, ref.n + 1), lp == &point ? "-4.00" : "-18.85");
      EndSimplexTableauView();
    }
  }
  // The dual simplex method on a program whose reduced costs are mostly 0, once cycling on to the
  // limit of a million tableaus: it leaves the cycle and ends at the optimum 0.
  const std::filesystem::path runaway = std::filesystem::path(QUON_SHARED_CASES) / "numbers2/lp-dual-simplex-runaway.txt";
  if (std::filesystem::exists(runaway)) {
    FreshProgram();
    const OpenResult file = ReadProblemFile(runaway.string(), 3, 0, 0);
    ASSERT_EQ(file.status, OpenStatus::Loaded);
    ApplyProblemFile(file.file, 3);
    const GridShape shape = ShapeForElected(file.file, 3);
    GridStore grid;
    grid.SetRows(shape.rows);
    grid.SetCols(shape.cols);
    FillGridFromFile(grid, file.file, 3);
    BuildLPStandardForm(grid);
    StartBuilt(5);
    scr5().cmdFinalIter_Click();
    const std::vector<std::string> shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("Optimal Tableau: Iteration ", 0), 0u) << shown[0];
    EXPECT_LT(Blocks(), 1000);
    EXPECT_EQ(Val(G().TextMatrix((Blocks() - 1) * BlockRows() + 2, ref.n + 1)), 0.0);
    EndSimplexTableauView();
  }
  LP infeasible{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {"<=", ">="}, .b = {1000000, 3000000}};
  Start(infeasible, 3, 1E16);
  scr5().cmdFinalIter_Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "No Feasible Solution: Problem has no feasible solution.  Iteration 2 is optimal with the "
                            "artificial variable Rx5 = 2000000.00 in the basis, so no solution satisfies every "
                            "constraint."}));
  EXPECT_EQ(Blocks(), 2);
}

} // namespace
} // namespace quon::testing
