#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "linear/lp_resolve.h"
#include "shell/dual_start.h"
#include "shell/mod1.h"

namespace quon {
namespace {

struct Row {
  std::vector<double> a;
  char rel; // '<', '>' or '='
  double rhs;
};

// A linear program laid out in standard form as the input screen's build leaves it:
// decision columns, one surplus per ">" row, then one slack or artificial column per row.
void StandardForm(int sense, const std::vector<double> &c, const std::vector<Row> &rows) {
  g = Mod1{};
  g.ModelClass = ModelClassCode::LinearProgramming;
  g.BigM = 100;
  g.Infinity = 999999;
  const int n = static_cast<int>(c.size());
  const int m = static_cast<int>(rows.size());
  g.NVars = static_cast<int16>(n);
  g.MRows = static_cast<int16>(m);
  g.LBRow = static_cast<int16>(m + 3);
  g.UBRow = static_cast<int16>(m + 4);
  g.FreeVarRow = static_cast<int16>(m + 5);
  g.ObjSense = static_cast<int16>(sense);
  ReDimProblemArrays(ArrayKind::LPFirstStage);
  int k = 0;
  for (const Row &r : rows) {
    if (r.rel == '>') ++k;
    if (r.rel == '=') ++g.NArtificial2;
  }
  g.NArtificial1 = static_cast<int16>(k);
  g.NCols = static_cast<int16>(n + k + m);
  g.NColsPlus1 = static_cast<int16>(g.NCols + 1);
  g.NColsPlus2 = static_cast<int16>(g.NCols + 2);
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  for (int j = 1; j <= n; ++j) {
    g.Tab(2, j) = c[j - 1];
    g.ColNames(j) = "x" + std::to_string(j);
    g.Tab(g.UBRow, j) = g.Infinity;
  }
  int s = 0;
  for (int r = 1; r <= m; ++r) {
    const Row &row = rows[r - 1];
    const int i = r + 2;
    for (int j = 1; j <= n; ++j)
      g.Tab(i, j) = row.a[j - 1];
    const int code = row.rel == '<' ? -1 : row.rel == '=' ? 0 : 1;
    g.Tab(i, g.NColsPlus1) = row.rhs;
    g.Tab(i, g.NColsPlus2) = code;
    if (code == 1) {
      ++s;
      g.Tab(i, n + s) = -1;
      g.ColNames(n + s) = "Sx" + std::to_string(n + s);
    }
    const int col = n + k + r;
    g.Tab(i, col) = 1;
    g.ColNames(col) = (code >= 0 ? "Rx" : "sx") + std::to_string(col);
    if (code >= 0) g.Tab(2, col) = sense * g.BigM;
  }
}

TEST(DualStartTest, WorkedExampleIsRewrittenToTheAllSlackForm) {
  // Minimize 2x1 + 3x2 subject to x1 + x2 >= 4 and x1 <= 3.
  StandardForm(1, {2, 3}, {{{1, 1}, '>', 4}, {{1, 0}, '<', 3}});
  ASSERT_EQ(DualSimplexRoad(), DualStartRoad::Convert);
  ConvertToDualSimplexForm();

  EXPECT_EQ(g.LPMethod, 5);
  EXPECT_EQ(g.NCols, 4);
  EXPECT_EQ(g.NColsPlus1, 5);
  EXPECT_EQ(g.NColsPlus2, 6);
  EXPECT_EQ(g.ColNames(3), "Sx3");
  EXPECT_EQ(g.ColNames(4), "sx4");
  EXPECT_EQ(g.NArtificial1, 0);
  EXPECT_EQ(g.NArtificial2, 0);
  EXPECT_EQ(g.Phase, 0);

  // Objective unchanged, slack costs 0.
  const std::vector<double> obj{2, 3, 0, 0};
  // -x1 - x2 + Sx3 = -4 and x1 + sx4 = 3, both "<=".
  const std::vector<double> row1{-1, -1, 1, 0, -4, -1};
  const std::vector<double> row2{1, 0, 0, 1, 3, -1};
  for (int j = 1; j <= 4; ++j)
    EXPECT_EQ(g.Tab(2, j), obj[j - 1]) << "objective column " << j;
  for (int j = 1; j <= 6; ++j) {
    EXPECT_EQ(g.Tab(3, j), row1[j - 1]) << "row 1 column " << j;
    EXPECT_EQ(g.Tab(4, j), row2[j - 1]) << "row 2 column " << j;
  }
}

TEST(DualStartTest, SeveralGreaterRowsKeepTheirRightHandSidesWhenColumnsShiftLeft) {
  // Two ">" rows: the old right-hand side and code sit two columns to the right of the new.
  StandardForm(1, {1, 1, 4}, {{{1, 2, 0}, '>', 5}, {{0, 1, 1}, '<', 6}, {{3, 0, 1}, '>', 2}});
  ASSERT_EQ(DualSimplexRoad(), DualStartRoad::Convert);
  ConvertToDualSimplexForm();
  EXPECT_EQ(g.NCols, 6);
  EXPECT_EQ(g.ColNames(4), "Sx4");
  EXPECT_EQ(g.ColNames(5), "sx5");
  EXPECT_EQ(g.ColNames(6), "Sx6");
  const std::vector<std::vector<double>> want{{-1, -2, 0, 1, 0, 0, -5, -1},
                                              {0, 1, 1, 0, 1, 0, 6, -1},
                                              {-3, 0, -1, 0, 0, 1, -2, -1}};
  for (int r = 0; r < 3; ++r)
    for (int j = 1; j <= 8; ++j)
      EXPECT_EQ(g.Tab(r + 3, j), want[r][j - 1]) << "row " << r + 1 << " column " << j;
}

TEST(DualStartTest, ConvertingAgainFromTheSameStandardFormGivesTheSameForm) {
  StandardForm(1, {2, 3}, {{{1, 1}, '>', 4}, {{1, 0}, '<', 3}});
  const BArray<double> built = g.Tab;
  const int16 cols = g.NCols, a1 = g.NArtificial1;
  const auto names = g.ColNames;
  ConvertToDualSimplexForm();
  const BArray<double> once = g.Tab;
  // What a restore brings back: the form as built on submission.
  g.Tab = built;
  g.ColNames = names;
  g.NCols = cols;
  g.NColsPlus1 = static_cast<int16>(cols + 1);
  g.NColsPlus2 = static_cast<int16>(cols + 2);
  g.NArtificial1 = a1;
  ConvertToDualSimplexForm();
  for (int i = 2; i <= 4; ++i)
    for (int j = 1; j <= 6; ++j)
      EXPECT_EQ(g.Tab(i, j), once(i, j)) << i << "," << j;
}

TEST(DualStartTest, FirstFailingVariableDecidesTheRoad) {
  // The worked example maximised: x1's cost makes the slack basis non-optimal; a ">" row exists.
  StandardForm(-1, {2, 3}, {{{1, 1}, '>', 4}, {{1, 0}, '<', 3}});
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::TwoPhaseOrM);

  // A negative cost in a minimisation with only "<=" rows.
  StandardForm(1, {2, -1}, {{{1, 1}, '<', 4}});
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::AllSlack);

  // An equation with passing costs is refused; a failing x1 sends it to two-phase instead.
  StandardForm(1, {2, 3}, {{{1, 1}, '=', 4}});
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::Equations);
  StandardForm(1, {-2, 3}, {{{1, 1}, '=', 4}});
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::TwoPhaseOrM);

  // A zero cost passes the optimality test.
  StandardForm(-1, {0, -1}, {{{1, 1}, '<', 4}});
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::Convert);
}

TEST(DualStartTest, BoundsOrUnrestrictedVariablesTakeTheBoundedRoad) {
  StandardForm(1, {2, 3}, {{{1, 1}, '<', 4}});
  g.NUpperBounded = 1;
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::BoundedOrFree);

  StandardForm(1, {2, 3}, {{{1, 1}, '<', 4}});
  g.NBoundA = 1;
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::BoundedOrFree);

  // Only x2 is unrestricted: x1 passes both tests, x2 then fails the second.
  StandardForm(1, {2, 3}, {{{1, 1}, '<', 4}});
  g.Tab(g.FreeVarRow, 2) = 1;
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::BoundedOrFree);

  // A failing cost on x1 comes before the bound test of x1.
  StandardForm(1, {-2, 3}, {{{1, 1}, '<', 4}});
  g.NUpperBounded = 1;
  EXPECT_EQ(DualSimplexRoad(), DualStartRoad::AllSlack);
}

TEST(DualStartTest, TypedMIsWrittenIntoTheArtificialColumnsOnly) {
  // Maximise with a ">" and an "=" row: artificial columns Rx4 and Rx5.
  StandardForm(-1, {2, 3}, {{{1, 1}, '>', 4}, {{1, -1}, '=', 1}});
  ASSERT_EQ(g.ColNames(4), "Rx4");
  ASSERT_EQ(g.ColNames(5), "Rx5");
  const BArray<double> before = g.Tab;
  ApplyTypedBigM(250);
  EXPECT_EQ(g.BigM, 250);
  EXPECT_EQ(g.Cost(4), -250);
  EXPECT_EQ(g.Cost(5), -250);
  EXPECT_EQ(g.Tab(2, 4), -250);
  EXPECT_EQ(g.Tab(2, 5), -250);
  for (int j = 1; j <= 3; ++j) {
    EXPECT_EQ(g.Tab(2, j), before(2, j));
    EXPECT_EQ(g.Cost(j), 0);
  }
  // The saved copy is not touched, but a restore keeps the typed M.
  EXPECT_EQ(g.TabBackup(2, 4), 0);
  g.LPMethod = 4;
  RestoreSavedLP();
  EXPECT_EQ(g.Tab(2, 4), -250);
  EXPECT_EQ(g.Tab(2, 5), -250);
}

TEST(DualStartTest, TypedMWithoutArtificialColumnsChangesNothing) {
  StandardForm(1, {2, 3}, {{{1, 1}, '<', 4}});
  const BArray<double> before = g.Tab;
  ApplyTypedBigM(7);
  EXPECT_EQ(g.BigM, 100);
  for (int j = 1; j <= g.NCols; ++j)
    EXPECT_EQ(g.Tab(2, j), before(2, j));
}

} // namespace
} // namespace quon
