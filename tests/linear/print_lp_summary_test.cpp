#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "linear/mod_lp_simplex.h"
#include "linear/print_reports.h"
#include "linear/sensitivity.h"
#include "lp_fixture.h"
#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/dual_start.h"

namespace quon {
namespace {

using testing::Build;
using testing::LP;
using testing::DoorsAndWindows;

class PrintLPSummaryTest : public ::testing::Test {
protected:
  // Builds, solves and prints as the final-solution road does.
  void SolveAndPrint(const LP &lp, int method = 0) {
    Build(lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    g.HeaderText[1] = "Toy factory";
    if (method) g.LPMethod = static_cast<int16>(method);
    if (method == 5)
      SolveLPDualSimplex();
    else
      SolveLP();
    g.FinalIteration = g.IterCount;
    ASSERT_TRUE(PrintLPOutputSummary(p));
  }

  // Page-2 texts (the summary), padding kept.
  std::vector<RecordedOp> Summary() const {
    std::vector<RecordedOp> out;
    for (const auto &op : p.Texts())
      if (op.page == 2) out.push_back(op);
    return out;
  }
  const RecordedOp *Find(const std::string &text, int nth = 0) const {
    for (const auto &op : p.Ops())
      if (op.kind == DrawKind::Text && op.text == text && nth-- == 0) return &op;
    return nullptr;
  }
  // The texts printed on the same line as the given first-column text, left to right.
  std::vector<std::string> LineOf(const std::string &first, int nth = 0) const {
    const RecordedOp *a = Find(first, nth);
    std::vector<std::string> out;
    if (!a) return out;
    for (const auto &op : p.Texts())
      if (op.page == a->page && op.y1 == a->y1) out.push_back(op.text);
    return out;
  }
  std::vector<RecordedOp> Rules(int page) const {
    std::vector<RecordedOp> out;
    for (const auto &op : p.Ops())
      if (op.kind == DrawKind::Line && op.page == page) out.push_back(op);
    return out;
  }

  RecordingSurface p;
};

TEST_F(PrintLPSummaryTest, DataPageThenSummaryPageWithoutHeading) {
  SolveAndPrint(DoorsAndWindows(true));
  EXPECT_EQ(p.DocumentsEnded(), 1);
  ASSERT_NE(Find("LINEAR PROGRAM -- ORIGINAL DATA"), nullptr);
  EXPECT_EQ(Find("LINEAR PROGRAM -- ORIGINAL DATA")->page, 1);
  ASSERT_NE(Find("     Subject to"), nullptr);
  EXPECT_EQ(Find("     Subject to")->page, 1);

  const auto summary = Summary();
  ASSERT_FALSE(summary.empty());
  const RecordedOp &title = summary.front();
  EXPECT_EQ(title.text, "LINEAR PROGRAMMING OUTPUT SUMMARY");
  EXPECT_DOUBLE_EQ(title.y1, 1000);
  EXPECT_NEAR(title.x1, (11736 - (title.x2 - title.x1)) * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(title.font.size, 9);
  EXPECT_FALSE(title.font.bold);
  for (const auto &op : summary) EXPECT_EQ(op.text.find("QUON Optimization System"), std::string::npos);

  const auto rules = Rules(2);
  ASSERT_FALSE(rules.empty());
  EXPECT_DOUBLE_EQ(rules[0].y1, title.y2);
  EXPECT_DOUBLE_EQ(rules[0].x1, 1200);
  EXPECT_DOUBLE_EQ(rules[0].x2, 10200);
  EXPECT_EQ(rules[0].width, 2);
  const RecordedOp *t = Find("Title: Toy factory", 1);
  ASSERT_NE(t, nullptr);
  EXPECT_DOUBLE_EQ(t->y1, std::nearbyint(rules[0].y1 + 100));
  const RecordedOp *it = Find("Final Iteration No.:  " + std::to_string(g.FinalIteration));
  ASSERT_NE(it, nullptr);
  EXPECT_DOUBLE_EQ(it->y1, t->y2);
  const RecordedOp *obj = Find("Objective Value = 36.00");
  ASSERT_NE(obj, nullptr);
  EXPECT_DOUBLE_EQ(obj->x1, 1200);
}

TEST_F(PrintLPSummaryTest, VariablesAndConstraintsTables) {
  SolveAndPrint(DoorsAndWindows(true));
  EXPECT_EQ(LineOf("Variable"), (std::vector<std::string>{"Variable", "Value", "Obj Coeff", "Obj Val Contrib"}));
  EXPECT_EQ(LineOf("x1: doors       "), (std::vector<std::string>{"x1: doors       ", "2.00", "3.00", "6.00"}));
  EXPECT_EQ(LineOf("x2: windows     "), (std::vector<std::string>{"x2: windows     ", "6.00", "5.00", "30.00"}));
  EXPECT_EQ(LineOf("Constraint"), (std::vector<std::string>{"Constraint", "RHS", "Slack-/Surplus+"}));
  EXPECT_EQ(LineOf("1 (<)"), (std::vector<std::string>{"1 (<)", "4.00", "2.00-"}));
  EXPECT_EQ(LineOf("2 (<)"), (std::vector<std::string>{"2 (<)", "12.00", "0.00 "}));
  EXPECT_EQ(Find("LB-x1doors       "), nullptr); // no bounds, no bound lines
  // The value column ends at 4656.
  EXPECT_NEAR(Find("12.00", 1)->x2, 4656, 1e-9);
}

TEST_F(PrintLPSummaryTest, SensitivityAnalysisTables) {
  SolveAndPrint(DoorsAndWindows(true));
  const RecordedOp *title = Find("***Sensitivity Analysis***");
  ASSERT_NE(title, nullptr);
  const auto rules = Rules(2);
  // The rule closing the constraints table, then the title 500 below it.
  const RecordedOp *before = nullptr;
  for (const auto &r : rules)
    if (r.y1 < title->y1) before = &r;
  ASSERT_NE(before, nullptr);
  EXPECT_DOUBLE_EQ(title->y1, std::nearbyint(before->y1 + 500));
  EXPECT_NEAR(title->x1, (11736 - (title->x2 - title->x1)) * 0.5, 1e-9);

  EXPECT_EQ(LineOf("Variable", 1), (std::vector<std::string>{"Variable", "Current Obj Coeff", "Min Obj Coeff",
                                                             "Max Obj Coeff", "Reduced Cost"}));
  EXPECT_EQ(LineOf("x1: doors       ", 1), (std::vector<std::string>{"x1: doors       ", "3.00", "0.00", "7.50", "0.00"}));
  EXPECT_EQ(LineOf("x2: windows     ", 1),
            (std::vector<std::string>{"x2: windows     ", "5.00", "2.00", "infinity", "0.00"}));
  EXPECT_EQ(LineOf("Constraint", 1),
            (std::vector<std::string>{"Constraint", "Current RHS", "Min RHS", "Max RHS", "Dual Price"}));
  EXPECT_EQ(LineOf("1 (<)", 1), (std::vector<std::string>{"1 (<)", "4.00", "2.00", "infinity", "0.00"}));
  EXPECT_EQ(LineOf("2 (<)", 1), (std::vector<std::string>{"2 (<)", "12.00", "6.00", "18.00", "1.50"}));
  EXPECT_EQ(LineOf("3 (<)", 1), (std::vector<std::string>{"3 (<)", "18.00", "12.00", "24.00", "1.00"}));
  // The closing rule is the last thing on the page.
  EXPECT_GT(rules.back().y1, Find("3 (<)", 1)->y1);
}

TEST_F(PrintLPSummaryTest, UnboundedAndInfeasibleEndAfterTheIterationLine) {
  LP lp{.c = {1, 1}, .a = {{1, -1}}, .rel = {">="}, .b = {1}};
  SolveAndPrint(lp);
  ASSERT_EQ(g.ZValue, 999999);
  auto summary = Summary();
  ASSERT_FALSE(summary.empty());
  EXPECT_EQ(summary.back().text, "Optimum solution is unbounded");
  EXPECT_EQ(Find("Variable"), nullptr);
  EXPECT_EQ(Find("***Sensitivity Analysis***"), nullptr);
  EXPECT_EQ(p.DocumentsEnded(), 1);

  p.Reset();
  lp = LP{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {"<=", ">="}, .b = {1, 3}};
  SolveAndPrint(lp);
  ASSERT_EQ(g.ZValue, -999999);
  summary = Summary();
  ASSERT_FALSE(summary.empty());
  EXPECT_EQ(summary.back().text, "Problem has no feasible solution");
  const auto rules = Rules(2);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_DOUBLE_EQ(summary.back().y1, std::nearbyint(rules[1].y1 + 100));
}

TEST_F(PrintLPSummaryTest, TheSolveStatusNotTheValueDecidesWhatIsPrinted) {
  // An optimum of exactly 999999 (once the unbounded sentinel) is an optimum.
  LP lp{.c = {1}, .a = {{1}}, .rel = {"<="}, .b = {999999}};
  SolveAndPrint(lp);
  ASSERT_EQ(g.LPResult, LPStatus::Optimal);
  EXPECT_NE(Find("Variable"), nullptr);
  EXPECT_NE(Find("Objective Value = 999999.00"), nullptr);

  // A run that gives up says so instead of passing for infeasible.
  p.Reset();
  const int cap = LPPivotCap;
  LPPivotCap = 0;
  SolveAndPrint(lp);
  LPPivotCap = cap;
  ASSERT_EQ(g.LPResult, LPStatus::PivotCapReached);
  const auto summary = Summary();
  ASSERT_FALSE(summary.empty());
  EXPECT_EQ(summary.back().text, "The simplex method stopped without reaching the optimum");
}

TEST_F(PrintLPSummaryTest, BoundLinesAndBoundRanges) {
  // max 2x1 + x2, x1 + x2 <= 20, 5 <= x1 <= 8, x2 <= 10: x1 = 8 on its upper bound, x2 = 10.
  LP lp{.c = {2, 1},
        .a = {{1, 1}},
        .rel = {"<="},
        .b = {20},
        .lower = {"5", "0"},
        .upper = {"8", "10"},
        .names = {"alpha", "beta"}};
  SolveAndPrint(lp);
  ASSERT_DOUBLE_EQ(g.XSol(1), 8);
  EXPECT_EQ(LineOf("LB-x1alpha       "), (std::vector<std::string>{"LB-x1alpha       ", "5.00", "3.00+"}));
  EXPECT_EQ(LineOf("UB-x1alpha       "), (std::vector<std::string>{"UB-x1alpha       ", "8.00", "0.00 "}));
  EXPECT_EQ(LineOf("UB-x2beta        ").at(2), "0.00 ");
  EXPECT_EQ(Find("LB-x2beta        "), nullptr);
  // In the ranges: a lower-bound line with dual price 0 (x1 is not on it), an upper-bound
  // line with the reduced cost.
  const auto lb = LineOf("LB-x1");
  ASSERT_EQ(lb.size(), 5u);
  EXPECT_EQ(lb[1], "5.00");
  EXPECT_EQ(lb[4], "0.00");
  const auto ub = LineOf("UB-x1");
  ASSERT_EQ(ub.size(), 5u);
  EXPECT_EQ(ub[1], "8.00");
  EXPECT_EQ(ub[4], Format(g.RedCost(1), "####0.00"));
  EXPECT_NE(Find("UB-x2"), nullptr);
  EXPECT_EQ(Find("LB-x2"), nullptr);

  // The data page shows an absent bound as the word, and a bound above 999999 as a number
  // with both of its bound lines.
  p.Reset();
  lp.lower = {"-infinity", "2000000"};
  lp.upper = {"8", "3000000"};
  lp.unrestricted = {"y", "n"};
  lp.b = {4000000};
  SolveAndPrint(lp);
  ASSERT_EQ(g.LPResult, LPStatus::Optimal);
  bool word = false;
  for (const auto &op : p.Texts())
    if (op.page == 1 && op.text.find("-infinity") != std::string::npos) word = true;
  EXPECT_TRUE(word);
  EXPECT_NE(Find("LB-x2"), nullptr);
  EXPECT_NE(Find("UB-x2"), nullptr);
}

TEST_F(PrintLPSummaryTest, ScientificFormatWritesTheObjectiveValueAsTheScreenDoes) {
  Build(DoorsAndWindows(true));
  SolveLP();
  g.NumFormatType = 2;
  ASSERT_TRUE(PrintLPOutputSummary(p));
  EXPECT_NE(Find("Objective Value = 3.60000e+01"), nullptr);
  EXPECT_NE(Find("2.00000e+00"), nullptr);
}

TEST_F(PrintLPSummaryTest, SurplusOfAGreaterThanConstraintShowsPlus) {
  // min 2x1 + 3x2, x1 + x2 >= 4, x1 <= 10, x1 >= 6 (as a constraint): x1 = 6, x2 = 0.
  LP lp{.sense = "Minimize",
        .c = {2, 3},
        .a = {{1, 1}, {1, 0}, {1, 0}},
        .rel = {">=", "<=", ">="},
        .b = {4, 10, 6}};
  SolveAndPrint(lp);
  ASSERT_DOUBLE_EQ(g.XSol(1), 6);
  EXPECT_EQ(LineOf("1 (>)").at(2), "2.00+");
  EXPECT_EQ(LineOf("2 (<)").at(2), "4.00-");
  EXPECT_EQ(LineOf("3 (>)").at(2), "0.00 ");
}

TEST_F(PrintLPSummaryTest, DualSimplexPrintsTheSameDualPricesAsThePrimal) {
  LP lp{.sense = "Minimize", .c = {2, 3}, .a = {{1, 1}, {1, 0}}, .rel = {">=", "<="}, .b = {4, 3}};
  SolveAndPrint(lp);
  const auto primal1 = LineOf("1 (>)", 1), primal2 = LineOf("2 (<)", 1);
  ASSERT_EQ(primal1.size(), 5u);

  p.Reset();
  Build(lp);
  g.LPMethod = 5;
  g.Phase = 0;
  ConvertToDualSimplexForm();
  ASSERT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  g.FinalIteration = g.IterCount;
  ASSERT_TRUE(PrintLPOutputSummary(p));
  EXPECT_NE(Find("Objective Value = 9.00"), nullptr);
  EXPECT_EQ(LineOf("1 (>)", 1).at(4), primal1.at(4));
  EXPECT_EQ(LineOf("2 (<)", 1).at(4), primal2.at(4));
  EXPECT_EQ(LineOf("1 (>)", 1).at(4), "3.00");
}

} // namespace
} // namespace quon
