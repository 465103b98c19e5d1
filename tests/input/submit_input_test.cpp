#include <gtest/gtest.h>

#include "input/submit_input.h"
#include "support/grid_text.h"

namespace quon {
namespace {

using test::MakeGrid;
using test::SetRow;

class Submit : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.Infinity = 999999;
  }
  SubmitHeader header{"My title", "3", "2"};
};

TEST_F(Submit, HeaderAndGridSizeAreKept) {
  g.ModelClass = ModelClassCode::MatrixInversion;
  g.GridReadyFlag = 1;
  GridStore grid = MakeGrid(3, 3);
  EXPECT_FALSE(BeginSubmission(grid, header));
  EXPECT_EQ(g.GridReadyFlag, 0);
  EXPECT_EQ(g.HeaderText[1], "My title");
  EXPECT_EQ(g.HeaderText[2], "3");
  EXPECT_EQ(g.GridRows, 3);
  EXPECT_EQ(g.GridCols, 3);
}

TEST_F(Submit, LinearEquationsAreCopiedWithTheirRightHandSides) {
  g.ModelClass = ModelClassCode::LinearEquations;
  GridStore grid = MakeGrid(3, 4);
  SetRow(grid, 1, {"2", "1", "5"});
  SetRow(grid, 2, {"1.5", "", "x"});
  EXPECT_FALSE(ConvertInput(grid, header));
  EXPECT_EQ(g.MRows, 2);
  EXPECT_EQ(g.NVars, 2);
  EXPECT_DOUBLE_EQ(g.Tab(1, 3), 5);
  EXPECT_DOUBLE_EQ(g.InvInput(1, 3), 5);
  EXPECT_DOUBLE_EQ(g.InvInput(2, 1), 1.5);
  EXPECT_DOUBLE_EQ(g.Tab(2, 2), 0);
  EXPECT_DOUBLE_EQ(g.Tab(2, 3), 0);
  EXPECT_EQ(g.ColNames(1), "x1");
  EXPECT_EQ(g.ColNames(2), "x2");
}

TEST_F(Submit, LinearProgramRefusalsFromTheConversion) {
  g.ModelClass = ModelClassCode::LinearProgramming;
  GridStore grid = MakeGrid(7, 5);
  static int calls;
  calls = 0;
  auto zeroRow = [](const GridStore &) {
    ++calls;
    g.InputErrorIndex = 3;
  };
  auto msg = ConvertInput(grid, header, zeroRow);
  ASSERT_TRUE(msg);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(msg->text,
            "All Left-hand side coefficients of Constraint 3 are zero.  Renenter or delete constraint");
  EXPECT_EQ(msg->title, "Input Data Error");
  EXPECT_TRUE(msg->resetSelection);
  EXPECT_EQ(g.InputErrorIndex, 0);
  EXPECT_EQ(g.HeaderText[3], "2");

  g.InputErrorIndex = -2;
  msg = TakeLPInputError();
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Lower bound exceeds upper bound for varaible 2. Renenter correct bounds");
  EXPECT_FALSE(TakeLPInputError());
}

TEST_F(Submit, RefusedReadersLeaveTheirFlagsRestored) {
  g.ModelClass = ModelClassCode::Transportation;
  GridStore trans = MakeGrid(5, 4);
  trans.SetTextMatrix(2, 3, "-4");
  EXPECT_TRUE(ConvertInput(trans, header));
  EXPECT_EQ(g.Entering, 0);

  g.ModelClass = ModelClassCode::Queueing;
  GridStore queue = MakeGrid(3, 6);
  SetRow(queue, 1, {"1", "2", "1", "infinity", "infinity"});
  EXPECT_TRUE(ConvertInput(queue, header));
  EXPECT_EQ(g.NScen, 2);
  EXPECT_EQ(g.CurRow, 2);
}

TEST_F(Submit, TransportationCornerReadsSDNameAgain) {
  g.ModelClass = ModelClassCode::Transportation;
  GridStore trans = MakeGrid(5, 4);
  SetRow(trans, 2, {"A", "3", "5"});
  SetRow(trans, 3, {"B", "1", "5"});
  SetRow(trans, 4, {"", "10"});
  EXPECT_FALSE(ConvertInput(trans, header));
  EXPECT_EQ(trans.TextMatrix(1, 1), "S/D Name");
}

TEST_F(Submit, ProjectIsTrimmedCheckedAndRead) {
  g.ModelClass = ModelClassCode::ProjectPlanning;
  g.ProjMethod = 1;
  GridStore grid = MakeGrid(6, 5);
  SetRow(grid, 1, {"1", "2", "A", "3"});
  SetRow(grid, 2, {"3", "2", "B", "1"});
  SetRow(grid, 3, {"2", "9", "C", "2"});
  EXPECT_FALSE(BeginSubmission(grid, header));
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_EQ(g.ActivityCount, 3);
  EXPECT_EQ(g.NodeCount, 9);
  EXPECT_EQ(g.HeaderText[2], "9");
  EXPECT_EQ(g.GridRows, 4);
  auto msg = ConvertInput(grid, header);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "MULTIPLE START detected at nodes (1, 3)");

  grid.SetTextMatrix(2, 1, "1");
  grid.SetTextMatrix(2, 2, "2");
  EXPECT_TRUE(BeginSubmission(grid, header)); // now a repeated activity
  grid.SetTextMatrix(2, 1, "9");
  grid.SetTextMatrix(2, 2, "10");
  ASSERT_FALSE(BeginSubmission(grid, header));
  EXPECT_FALSE(ConvertInput(grid, header));
  EXPECT_EQ(g.ProjStatus, 1);
}

TEST_F(Submit, SaveQuestionIsDueOnceAnyCountIsEntered) {
  EXPECT_FALSE(SaveQuestionDue());
  g.NodeCount = 4; // a typed project has no variables
  EXPECT_TRUE(SaveQuestionDue());
  g = Mod1{};
  g.NScen = 1;
  EXPECT_TRUE(SaveQuestionDue());
  g = Mod1{};
  g.TransSources = 2;
  EXPECT_TRUE(SaveQuestionDue());

  InputMessage q = SaveQuestion();
  EXPECT_EQ(q.text, "Do you wish to save data?");
  EXPECT_EQ(q.title, "Save?");
  EXPECT_EQ(q.style, msg::YesNoCancel | msg::Question);
  EXPECT_EQ(SaveQuestion(false).style, msg::YesNo | msg::Question);
}

TEST_F(Submit, MessagesAreShownThroughTheUserServices) {
  ScriptedServices script;
  script.AnswerMsgBox(msg::OK, "FROM and TO nodes must be assigned distinct numbers");
  InputMessage m =
      CriticalMessage("FROM and TO nodes must be assigned distinct numbers", "Nodes Numbering Error", 2, 2);
  m.beep = true;
  EXPECT_EQ(ShowInputMessage(m), msg::OK);
  ASSERT_EQ(script.Shown().size(), 2u);
  EXPECT_EQ(script.Shown()[0].kind, ShownRecord::Kind::Beep);
  EXPECT_EQ(script.Shown()[1].title, "Nodes Numbering Error");
  EXPECT_EQ(script.Shown()[1].style, msg::OKOnly | msg::Critical);
  EXPECT_TRUE(script.Done());
}

TEST_F(Submit, ReturnToTheInputRestoresTheTypedSizes) {
  g.ModelClass = ModelClassCode::Transportation;
  GridStore trans = MakeGrid(5, 4);
  SetRow(trans, 2, {"A", "3", "5"});
  SetRow(trans, 3, {"B", "1", "5"});
  SetRow(trans, 4, {"", "4"});
  g.NumDigitsNSaved = 6;
  g.NumDigitsDSaved = 1;
  SubmitHeader typed{"Ship", "2", "1"};
  ASSERT_FALSE(BeginSubmission(trans, typed));
  ASSERT_FALSE(ConvertInput(trans, typed));
  ASSERT_EQ(g.TransDests, 2); // balanced with a dummy destination
  g.NumDigitsN = 9;
  g.NumFormatType = 2;
  g.TableauCount = 4;
  g.LPMethod = 2;

  KeptHeader h = RestoreInputState();
  EXPECT_EQ(h.title, "Ship");
  EXPECT_EQ(h.size1, "2");
  EXPECT_EQ(h.size2, "1");
  EXPECT_TRUE(h.size1Shown);
  EXPECT_EQ(g.TransSources, 2);
  EXPECT_EQ(g.TransDests, 1);
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(g.NumDigitsN, 6);
  EXPECT_EQ(g.NumDigitsD, 1);
  EXPECT_EQ(g.NumFormatType, 2); // the output format stays
  EXPECT_EQ(g.TableauCount, 0);
  EXPECT_EQ(g.LPMethod, 0);
  EXPECT_EQ(g.GridRows, 5);
  EXPECT_EQ(g.GridCols, 4);

  g.ModelClass = ModelClassCode::LinearProgramming;
  g.HeaderText[2] = "2.5";
  g.HeaderText[3] = "3";
  RestoreInputState();
  EXPECT_EQ(g.NVars, 2); // halves go to the even neighbour
  EXPECT_EQ(g.MRows, 3);

  g.ModelClass = ModelClassCode::ProjectPlanning;
  EXPECT_FALSE(RestoreInputState().size1Shown);
}

} // namespace
} // namespace quon
