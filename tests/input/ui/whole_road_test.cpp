// The whole road a student takes: a problem typed on the input screen, submitted, solved by a
// method chosen on the SOLVE/MODIFY screen, read on the output screen, and brought back.
#include <gtest/gtest.h>

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/screen.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/input_screen.h"
#include "support/screen_fixture.h"

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

// "Exit QUON" of the SOLVE/MODIFY menu offers to save the problem as the input screen's exit
// does: a save that does not happen brings the input back with the problem; one that does
// writes the file and ends the program.
TEST_F(WholeRoad, ExitFromTheSolveMenuOffersToSaveTheProblem) {
  Scr2 &s = Typed(3, "2", "1");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "1", "<=", "4"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  const std::string file = (dir / "kept.txt").string();
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(std::nullopt);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 0);
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(file);
  scr2().cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(std::filesystem::exists(file));
}

// A problem that can only ship on "infinity" routes: after the message the summary says so on a
// whole screen, no step is live, and the page prints; pressing "All Iterations" anyway is safe.
TEST_F(WholeRoad, TransportationWithoutAFeasibleSolutionEndsOnItsSummary) {
  Scr2 &s = Typed(4, "2", "2");
  Fill(s, 2, {"S1", "infinity", "infinity", "1"});
  Fill(s, 3, {"S2", "1", "1", "1"});
  Fill(s, 4, {"", "1", "1"});
  const std::string note = "Problem has no feasible solution without the routes that cost \"infinity\".";
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "&Final solution"});
  script.AnswerMsgBox(msg::OK, note);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  Scr5 &f = scr5();
  EXPECT_TRUE(Drawn(f, "TRANSPORTATION MODEL OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, note));
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  // The exits stand on the screen, below the heading and above its foot.
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_GT(f.Frame1.Top(), f.Frame2.Top());
  EXPECT_LE(f.Frame1.Top() + f.Frame1.Height(), ScreenHeight());

  const std::size_t shown = script.MessageBoxes().size();
  f.cmdFinalIter_Click();
  f.cmdNextIter_Click();
  EXPECT_EQ(script.MessageBoxes().size(), shown);

  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  f.cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  const RecordedOp *printed = paper.FindText(note);
  ASSERT_NE(printed, nullptr);
  EXPECT_EQ(printed->document, 2);
  EXPECT_NE(paper.FindText("infinity"), nullptr);

  f.cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  EXPECT_TRUE(IsLoaded<Scr2>());
}

} // namespace
} // namespace quon::testing
