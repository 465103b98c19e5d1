#include <gtest/gtest.h>

#include "input/problem_header.h"
#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "shell/screen_frame.h"

namespace quon {
namespace {

TEST(HeaderLayout, PositionsFromTheScreenSize) {
  const HeaderLayout lp = LayoutHeader(3, 15360, 11520, 240, 500);
  EXPECT_DOUBLE_EQ(lp.label1.left, 768);
  EXPECT_DOUBLE_EQ(lp.label1.top, 460.8);
  EXPECT_DOUBLE_EQ(lp.label1.width, 1920);
  EXPECT_DOUBLE_EQ(lp.bx1.left, 768 + 1920);
  EXPECT_DOUBLE_EQ(lp.bx1.width, 3840);
  EXPECT_DOUBLE_EQ(lp.bx2.top, 460.8 + 1.63 * 240);
  EXPECT_DOUBLE_EQ(lp.bx2.width, 500);
  EXPECT_DOUBLE_EQ(lp.bx3.top, 460.8 + 2 * 1.63 * 240);
  EXPECT_DOUBLE_EQ(lp.label6Top, lp.bx3.top + 1.1 * 240);
  EXPECT_DOUBLE_EQ(lp.label6Left, lp.bx1.left);

  // Games have the wider labels; an 800-pixel screen puts the hint under the title label.
  const HeaderLayout game = LayoutHeader(9, 12000, 9000, 240, 500);
  EXPECT_DOUBLE_EQ(game.label1.width, 2040);
  EXPECT_DOUBLE_EQ(game.label6Left, 600);

  const HeaderLayout net = LayoutHeader(7, 12000, 9000, 240, 500);
  EXPECT_DOUBLE_EQ(net.label6Top, net.bx2.top + 1.1 * 240);
  const HeaderLayout proj = LayoutHeader(8, 12000, 9000, 240, 500);
  EXPECT_DOUBLE_EQ(proj.label6Top, proj.bx1.top + 1.3 * 240);
}

class SizeCheckTest : public ::testing::Test {
protected:
  void SetUp() override { g = Mod1{}; }
  void Class(int c) { g.ModelClass = static_cast<int16>(c); }
};

TEST_F(SizeCheckTest, FirstSizeSetsEverySizeAndTheHeaderText) {
  Class(7);
  EXPECT_TRUE(CheckProblemSize(1, "12", "").accepted);
  EXPECT_EQ(g.NVars, 12);
  EXPECT_EQ(g.MRows, 12);
  EXPECT_EQ(g.NodeCount, 12);
  EXPECT_EQ(g.NScen, 12);
  EXPECT_EQ(g.GameRows, 12);
  EXPECT_EQ(g.HeaderText[2], "12");
  EXPECT_TRUE(CheckProblemSize(1, "100", "").accepted);
}

TEST_F(SizeCheckTest, FirstSizeRefusals) {
  Class(1);
  SizeVerdict v = CheckProblemSize(1, "1", "");
  EXPECT_FALSE(v.accepted);
  EXPECT_FALSE(v.tooLarge);
  EXPECT_EQ(v.message, "Invalid problem size");
  EXPECT_EQ(v.title, "Problem Size");
  EXPECT_EQ(v.focusBox, 2);
  EXPECT_EQ(g.TitleSuppress, -1);
  // The size stays as read; the header text does not take it.
  EXPECT_EQ(g.NVars, 1);
  EXPECT_EQ(g.HeaderText[2], "");

  v = CheckProblemSize(1, "", "");
  EXPECT_EQ(v.message, "Invalid problem size");

  g.NVars = 5;
  v = CheckProblemSize(1, "101", "");
  EXPECT_TRUE(v.tooLarge);
  EXPECT_EQ(v.title, "Problem size");
  EXPECT_EQ(v.message, "Problem size cannot exceed 100.  Re-enter a size from 2 to 100");
  EXPECT_EQ(v.focusBox, 2);
  EXPECT_EQ(g.NVars, 5);
}

TEST_F(SizeCheckTest, QueueingTakesOneScenarioAndDimensionsItsData) {
  Class(6);
  SizeVerdict v = CheckProblemSize(1, "0", "");
  EXPECT_EQ(v.message, "Invalid nbr. of scenarios");
  EXPECT_EQ(v.title, "Queue Data Error");
  EXPECT_EQ(v.focusBox, 2);

  ASSERT_TRUE(CheckProblemSize(1, "1", "").accepted);
  EXPECT_EQ(g.QueueData.UBound(1), 1);
  EXPECT_EQ(g.QueueData.UBound(2), 5);
  g.QueueData(1, 1) = 3;
  ASSERT_TRUE(CheckProblemSize(1, "4", "").accepted);
  EXPECT_EQ(g.QueueData.UBound(1), 4);
  EXPECT_EQ(g.QueueData(1, 1), 0.0);
}

TEST_F(SizeCheckTest, SecondConfirmationSetsBothSizes) {
  Class(4);
  ASSERT_TRUE(CheckProblemSize(2, "3", "1").accepted);
  EXPECT_EQ(g.NVars, 3);
  EXPECT_EQ(g.TransSources, 3);
  EXPECT_EQ(g.MRows, 1);
  EXPECT_EQ(g.TransDests, 1);
  EXPECT_EQ(g.GameCols, 1);
  EXPECT_EQ(g.HeaderText[2], "3");
  EXPECT_EQ(g.HeaderText[3], "1");

  SizeVerdict v = CheckProblemSize(2, "3", "0");
  EXPECT_EQ(v.message, "Invalid problem size");
  EXPECT_EQ(v.focusBox, 3);
  v = CheckProblemSize(2, "0", "0");
  EXPECT_EQ(v.focusBox, 2);
  v = CheckProblemSize(2, "3", "101");
  EXPECT_TRUE(v.tooLarge);
  EXPECT_EQ(v.focusBox, 3);
}

TEST_F(SizeCheckTest, SecondConfirmationChecksTheFirstSizeAgain) {
  Class(3);
  // Typed into the first box but never confirmed there.
  SizeVerdict v = CheckProblemSize(2, "1", "2");
  EXPECT_FALSE(v.accepted);
  EXPECT_EQ(v.message, "Invalid problem size");
  EXPECT_EQ(v.focusBox, 2);

  g.NVars = 2;
  v = CheckProblemSize(2, "40000", "2");
  EXPECT_TRUE(v.tooLarge);
  EXPECT_EQ(v.focusBox, 2);
  EXPECT_EQ(g.NVars, 2);

  // A number far beyond 16 bits is refused as too large, not wrapped around.
  v = CheckProblemSize(2, "99999999999999999999", "2");
  EXPECT_TRUE(v.tooLarge);
  EXPECT_EQ(g.NVars, 2);
}

TEST_F(SizeCheckTest, TextThatIsNotAllDigitsIsRefused) {
  Class(3);
  EXPECT_TRUE(IsAllDigits(""));
  EXPECT_TRUE(IsAllDigits("0123"));
  EXPECT_FALSE(IsAllDigits("1e2"));
  EXPECT_FALSE(IsAllDigits(" 5"));
  EXPECT_FALSE(IsAllDigits("-5"));

  for (const char *t : {"5x", "-3", "1e1", "2.5"}) {
    SizeVerdict v = CheckProblemSize(1, t, "");
    EXPECT_FALSE(v.accepted) << t;
    EXPECT_EQ(v.focusBox, 2) << t;
    v = CheckProblemSize(2, "3", t);
    EXPECT_FALSE(v.accepted) << t;
    EXPECT_EQ(v.focusBox, 3) << t;
  }
}

TEST_F(SizeCheckTest, ProjectsHaveNoSizesToCheck) {
  Class(8);
  EXPECT_TRUE(CheckProblemSize(1, "", "").accepted);
  EXPECT_EQ(g.NVars, 0);
}

TEST(HelpFrame, StartsBesideTheHelpTextOnBothScreens) {
  for (int w : {12000, 15360}) {
    g = Mod1{};
    g.ModelClass = ModelClassCode::LinearProgramming;
    const double h = w == 12000 ? 9000 : 11520;
    RecordingSurface s(w, h);
    DrawHelpFrame(s, w, h);
    EXPECT_EQ(g.HelpTextX, w == 12000 ? 5775 : 7910);
    const RecordedOp *rule = nullptr;
    const RecordedOp *box = nullptr;
    for (const RecordedOp &op : s.Ops()) {
      if (op.kind == DrawKind::Line) rule = &op;
      if (op.kind == DrawKind::Box) box = &op;
    }
    ASSERT_NE(rule, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(rule->color, kBlack);
    EXPECT_DOUBLE_EQ(rule->x1, g.HelpTextX);
    // The divider starts at a fortieth of the height, or lower where the model title reaches
    // over it: it never runs through the title.
    EXPECT_GE(rule->y1, 0.025 * h - 1e-6);
    InitGlobals(w, static_cast<int>(h));
    for (int cls = 1; cls <= 9; ++cls) {
      g.ModelClass = static_cast<int16>(cls);
      RecordingSurface screen(w, h);
      DrawFrameAndTitle(screen, w, h);
      DrawHelpFrame(screen, w, h);
      const RecordedOp *title = screen.FindText(g.ModelTitle[cls]);
      ASSERT_NE(title, nullptr) << cls;
      for (const RecordedOp &op : screen.Ops())
        if (op.kind == DrawKind::Line && op.x1 == op.x2) {
          EXPECT_FALSE(op.x1 > title->x1 && op.x1 < title->x2 && op.y1 < title->y2)
              << g.ModelTitle[cls] << " at " << w;
        }
    }
    g.ModelClass = ModelClassCode::LinearProgramming;
    EXPECT_EQ(box->color, kWhite);
    EXPECT_NEAR(box->x1, 0.015 * w, 1e-6);
    // The frame ends a tenth below the seven help lines of a linear program.
    RecordingSurface probe(w, h);
    probe.SetFontSize(8);
    probe.SetFontBold(w != 12000);
    EXPECT_NEAR(rule->y2, 1.1 * (0.04 * h + 7 * probe.TextHeight("")), 1e-6);
    // The help text itself follows in bold size 9.
    EXPECT_TRUE(s.Font().bold);
    EXPECT_EQ(s.Font().size, 9);
  }
}

TEST(HelpFrame, LinearProgramsLeaveRoomForTheSenseLine) {
  double bottom[2];
  for (int i = 0; i < 2; ++i) {
    g = Mod1{};
    g.ModelClass = i == 0 ? 3 : 7;
    RecordingSurface s(15360, 11520);
    DrawHelpFrame(s, 15360, 11520);
    for (const RecordedOp &op : s.Ops())
      if (op.kind == DrawKind::Line) bottom[i] = op.y2;
  }
  EXPECT_GT(bottom[0], bottom[1]);
}

} // namespace
} // namespace quon
