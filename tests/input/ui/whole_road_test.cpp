// The whole road a student takes: a problem typed on the input screen, submitted, solved by a
// method chosen on the SOLVE/MODIFY screen, read on the output screen, and brought back.
#include <gtest/gtest.h>

#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/input_screen.h"

namespace quon::testing {
namespace {

class WholeRoad : public InputScreenTest {};

TEST_F(WholeRoad, LinearProgramToItsSummaryAndBackToTheInput) {
  Scr2 &s = Typed(3, "2", "3");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "0", "<=", "4"});
  Fill(s, 4, {"0", "2", "<=", "12"});
  Fill(s, 5, {"3", "2", "<=", "18"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  // A new first size confirmed, the second changed without Enter: the grid was not rebuilt,
  // so the problem solved and kept is the one it holds.
  s.BX2.SetFocus();
  s.BX2.SetText("3");
  s.BX2.PressKey(key::Return);
  s.BX3.SetText("1");

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "Algebraic", "&Final solution"});
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr4>());
  EXPECT_FALSE(IsLoaded<Scr2>());

  scr4().cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_DOUBLE_EQ(g.ZValue, 36);
  const GridStore &out = scr5().outputGrid;
  EXPECT_EQ(out.TextMatrix(1, 1), "2.00");
  EXPECT_EQ(out.TextMatrix(2, 1), "6.00");

  scr5().cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);
  EXPECT_EQ(scr2().BX2.Text(), "2");
  EXPECT_EQ(scr2().BX3.Text(), "3");
  EXPECT_EQ(ended, 0);
}

} // namespace
} // namespace quon::testing
