#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "integer/ip_fixture.h"
#include "integer/ui/ip_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/grid_cells.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class IPOutputTest : public ScreenTest {
protected:
  // The integer program as "SOLVE Menu" leaves it, taken through "Go To Output Screen".
  void OutputScreenOf(const LP &lp) {
    BuildIP(lp);
    g.HeaderText[1] = "Test IP";
    g.OutputOption = 0;
    scr4().Show();
    scr4().cmdDone.PerformClick();
  }
  static std::vector<std::string> Row(int r) { return test::RowTexts(scr5().outputGrid, r); }
  static std::vector<std::string> Across(const std::string &text) {
    return std::vector<std::string>(static_cast<std::size_t>(scr5().outputGrid.Cols()), text);
  }
  static void ExpectEndRows(int firstEndRow) {
    const Grid &grid = scr5().outputGrid;
    ASSERT_EQ(grid.Rows(), firstEndRow + 2);
    EXPECT_EQ(Row(firstEndRow), Across(""));
    EXPECT_EQ(Row(firstEndRow + 1), Across("B&B Search completed"));
    EXPECT_EQ(grid.MergedRange(firstEndRow + 1, 0).col2, grid.Cols() - 1);
  }
};

TEST_F(IPOutputTest, AutomatedSearchListsImprovingSolutionsAndEnds) {
  OutputScreenOf(WorkedExample());
  Scr5 &f = scr5();
  ASSERT_TRUE(IsLoaded<Scr5>());
  // Before a choice: the option list and the exits only.
  EXPECT_TRUE(f.Frame4.Visible());
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_FALSE(f.Frame2.Visible());
  EXPECT_FALSE(f.outputGrid.Visible());
  ASSERT_EQ(f.Combo1.ListCount(), 2);
  EXPECT_EQ(f.Combo1.List(0), "Automated B&B");
  EXPECT_EQ(f.Combo1.List(1), "User-guided B&B");
  EXPECT_TRUE(Drawn(f, " INTEGER PROGRAMMING B&B ALGORITHM "));

  f.Combo1.PerformChoose(0);
  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_TRUE(f.Frame2.Visible());
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  EXPECT_TRUE(Drawn(f, "Title: Test IP"));
  EXPECT_EQ(f.Label1.Caption(), "FEASIBLE SOLUTIONS (in improved order)");

  ASSERT_TRUE(f.outputGrid.Visible());
  EXPECT_EQ(Row(0), (std::vector<std::string>{"Subproblem", "ObjVal, z", "x1", "x2"}));
  EXPECT_EQ(f.outputGrid.BackOf(1, 3), kCyan);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"3", "10", "2", "2"}));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"7", "11", "3", "1"}));
  ExpectEndRows(4);
  EXPECT_EQ(f.Label3.Caption(), "(Current) Best Objective Value (Max) =11");
  EXPECT_EQ(f.Label4.Caption(), "Found at Iteration 7");
  EXPECT_EQ(f.Label5.Caption(), "Optimality verified at Iteration 7");
  EXPECT_EQ(f.Label5.ForeColor(), kGreen);
  // The counter showed every subproblem and is gone at the end.
  EXPECT_EQ(f.Label6.Caption(), "7");
  EXPECT_FALSE(f.Label6.Visible());

  // A second choice repeats the whole search on a fresh list, from the saved model.
  f.Combo1.PerformChoose(0);
  EXPECT_EQ(g.IPRunState, 1);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"3", "10", "2", "2"}));
  ExpectEndRows(4);
}

TEST_F(IPOutputTest, RootWithoutASolutionListsOneMergedRow) {
  struct Case {
    LP lp;
    const char *row, *label4, *label5;
  };
  const Case cases[] = {
      {InfeasibleExample(), "No feasible solution encountered", "Problem has no feasible solution",
       "Result verified at Iteration 1"},
      {UnboundedExample(), "The LP relaxation is unbounded", kUnboundedRelaxationText,
       "Search stopped by an unbounded subproblem at Iteration 1"},
      // No integer point at all: the same words, which claim nothing more.
      {NoIntegerPointUnboundedRelaxation(), "The LP relaxation is unbounded", kUnboundedRelaxationText,
       "Search stopped by an unbounded subproblem at Iteration 1"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    Forms::Clear();
    OutputScreenOf(c.lp);
    Scr5 &f = scr5();
    f.Combo1.PerformChoose(0);
    EXPECT_EQ(Row(2), Across(c.row));
    EXPECT_EQ(f.outputGrid.MergedRange(2, 0).col2, f.outputGrid.Cols() - 1);
    ExpectEndRows(3);
    EXPECT_EQ(f.Label3.Caption(), "");
    EXPECT_EQ(f.Label4.Caption(), c.label4);
    EXPECT_EQ(f.Label5.Caption(), c.label5);
  }
}

TEST_F(IPOutputTest, ContinuousValuesUseTheNumberFormat) {
  LP mixed = WorkedExample();
  mixed.integer = {"y", "n"};
  OutputScreenOf(mixed);
  scr5().Combo1.PerformChoose(0);
  // x1 <= 2 gives (2, 2.5) with z = 11; x1 >= 3 then ties it and is fathomed.
  EXPECT_EQ(Row(2), (std::vector<std::string>{"2", "11", "2", "2.50"}));
  ExpectEndRows(3);
}

TEST_F(IPOutputTest, SubproblemLimitAbortsWithItsMessage) {
  OutputScreenOf(WorkedExample());
  BBSubproblemLimit = 3;
  script.AnswerMsgBox(msg::OK, "Number of examined subproblems exceeds 3.  Execution aborted");
  scr5().Combo1.PerformChoose(0);
  BBSubproblemLimit = 32000;
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Excessive B&B Search");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::OKOnly | msg::Critical);
  Scr5 &f = scr5();
  // The solutions found so far stay, without end rows; only the counter goes.
  ASSERT_EQ(f.outputGrid.Rows(), 3);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"3", "10", "2", "2"}));
  EXPECT_FALSE(f.Label6.Visible());
  EXPECT_EQ(f.Label6.Caption(), "3");
  EXPECT_EQ(f.Label4.Caption(), "Found at Iteration 3");
  // The line that said the search was running now says it was stopped.
  EXPECT_EQ(f.Label5.Caption(), "B&&B search aborted after Iteration 3");
  EXPECT_EQ(f.Label5.ForeColor(), kRed);
  EXPECT_GE(f.Label5.Width(), f.TextWidth("B&B search aborted after Iteration 3"));
}

// The user-guided view chosen first, on both screen sizes: the legend shows every node colour,
// the side frames leave the buttons free, and the one-node tree stays on the screen.
TEST_F(IPOutputTest, UserGuidedViewKeepsItsFramesApartAndInView) {
  auto overlaps = [](const Control &a, const Control &b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
           b.Top() < a.Top() + a.Height();
  };
  for (const int w : {15360, 12000}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    SetLogicalScreen(w, w * 3 / 4);
    OutputScreenOf(WorkedExample());
    Scr5 &f = scr5();
    f.Combo1.PerformChoose(1);
    EXPECT_EQ(f.Label7.BackColor(), kGreen);
    EXPECT_EQ(f.Label8.BackColor(), kRed);
    EXPECT_EQ(f.Label9.BackColor(), kGrey);
    EXPECT_EQ(f.Label14.BackColor(), kMagenta);
    for (const Frame *side : {&f.Frame10, &f.Frame12})
      EXPECT_FALSE(overlaps(*side, f.Frame2));
    EXPECT_EQ(ControlsOnTheFrame(f, {&f.Label20}), std::vector<std::string>{});
    // Every text of the two frames whole, inside its frame and clear of the others: one that
    // does not fit on a line has the height of the lines it wraps onto.
    for (const Frame *side : {&f.Frame10, &f.Frame12}) {
      std::vector<const Label *> texts;
      for (Label *l : {&f.Label10, &f.Label11, &f.Label12, &f.Label13, &f.Label16})
        if (&l->Parent() == side) texts.push_back(l);
      for (const Label *l : texts) {
        SCOPED_TRACE(l->Caption());
        EXPECT_LE(l->Left() + l->Width(), side->Width());
        EXPECT_LE(l->Top() + l->Height(), side->Height());
        f.SetFontName(l->FontName());
        f.SetFontSize(l->FontSize());
        f.SetFontBold(l->FontBold());
        const double lines = std::floor(l->Height() / f.TextHeight("Ag"));
        EXPECT_LE(f.TextWidth(l->Caption()), std::max(1.0, 0.8 * lines) * l->Width());
        for (const Label *other : texts)
          EXPECT_TRUE(other == l || !overlaps(*l, *other)) << other->Caption();
      }
    }
    const Grid &tree = f.outputGrid;
    EXPECT_EQ(tree.Width(), tree.ColWidthOf(0));
    EXPECT_GE(tree.Left(), 0);
    EXPECT_LE(tree.Left() + tree.Width(), w);
  }
  SetLogicalScreen(15360, 11520);
}

} // namespace
} // namespace quon::testing
