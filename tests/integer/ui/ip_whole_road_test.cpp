// An integer program typed on the input screen, submitted, solved by the automated search on
// the output screen, and brought back to the input screen unchanged.
#include <gtest/gtest.h>

#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/input_screen.h"

namespace quon::testing {
namespace {

class IPWholeRoad : public InputScreenTest {};

TEST_F(IPWholeRoad, TypedProgramToItsSearchAndBack) {
  Scr2 &s = Typed(5, "2", "2");
  Fill(s, 2, {"3", "2", "", ""});
  Fill(s, 3, {"2", "2", "<=", "9"});
  Fill(s, 4, {"3", "1", "<=", "10"});
  const std::vector<std::string> typed = DataCells(s.grid1);

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem"});
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr4>());
  scr4().cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());

  Scr5 &f = scr5();
  f.Combo1.PerformChoose(0);
  const GridStore &out = f.outputGrid;
  ASSERT_EQ(out.Rows(), 6);
  EXPECT_EQ(out.TextMatrix(2, 0), "3");
  EXPECT_EQ(out.TextMatrix(3, 0), "7");
  EXPECT_EQ(out.TextMatrix(3, 1), "11");
  EXPECT_EQ(out.TextMatrix(5, 0), "B&B Search completed");
  EXPECT_EQ(f.Label5.Caption(), "Optimality verified at Iteration 7");

  f.cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);
  EXPECT_EQ(ended, 0);
}

} // namespace
} // namespace quon::testing
