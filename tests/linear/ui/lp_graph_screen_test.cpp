#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "linear/lp_fixture.h"
#include "linear/lp_graph.h"
#include "linear/ui/scr_lp_graf.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/ui/retained_surface.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/screen_frame.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class LPGraphScreenTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    SetLPGraphFrameDelay(0);
  }
  void TearDown() override {
    SetLPGraphFrameDelay(0.4);
    ScreenTest::TearDown();
  }
  // "&Graphical" on the SOLVE/MODIFY screen, then "Go To Output Screen", then the first paint.
  ScrLPGraf &Open(const LP &lp) {
    Build(lp);
    g.HeaderText[1] = "Graph example";
    g.SenseText = lp.sense;
    scr3().mnuGraph_Click();
    scr4().cmdDone_Click();
    Forms::DoEvents();
    return scrLPGraf();
  }
  static LP Example() {
    LP lp{.c = {3, 2}, .a = {{2, 1}, {1, 3}, {1, 0}}, .rel = {"<=", "<=", "<="}, .b = {8, 9, 3.5}};
    return lp;
  }
  static int Count(const ScrLPGraf &s, DrawKind kind, int width = -1) {
    int n = 0;
    for (const DrawOp &op : s.picLPgraph.Drawing().Ops())
      if (op.kind == kind && (width < 0 || op.width == width)) ++n;
    return n;
  }
  static bool PictureHas(const ScrLPGraf &s, const std::string &text) {
    for (const DrawOp &op : s.picLPgraph.Drawing().Ops())
      if (op.kind == DrawKind::Text && op.text == text) return true;
    return false;
  }
};

TEST_F(LPGraphScreenTest, OpensWithTheListTheHintAndTheShadedQuadrant) {
  ScrLPGraf &s = Open(Example());
  ASSERT_TRUE(IsLoaded<ScrLPGraf>());
  EXPECT_EQ(s.Label4.Caption(), "GRAPHICAL LINEAR PROGRAMMING SOLUTION");
  ASSERT_EQ(s.List1.ListCount(), 13);
  EXPECT_EQ(s.List1.List(0), "Graph example");
  EXPECT_EQ(s.List1.List(2), " Maximize z = 3.00x1 +2.00x2");
  EXPECT_EQ(s.List1.List(6), " ( 1)    2.00x1 +    1.00x2 <=    8.00");
  EXPECT_EQ(s.List1.List(8), " ( 3)    1.00x1 +    0.00x2 <=    3.50");
  EXPECT_EQ(s.List1.List(10), "          all xj >= 0");
  EXPECT_EQ(s.List1.List(12), "  Click here to graph LP in one stroke");
  // The first paint selected "all xj >= 0": the whole quadrant in grey dots.
  EXPECT_EQ(s.List1.ListIndex(), 10);
  EXPECT_EQ(g.GraphFirstPaintDone, 1);
  EXPECT_GT(Count(s, DrawKind::Point, 2), 2000);
  EXPECT_TRUE(PictureHas(s, "x1"));
  EXPECT_TRUE(Drawn(s, "To graph the LP below, click constraints"));
  EXPECT_TRUE(Drawn(s, "one at a time, then click objective function"));
  EXPECT_FALSE(s.cmdZoomIn.Enabled());
  EXPECT_FALSE(s.cmdZoomOut.Enabled());
  EXPECT_TRUE(s.cmdPrintGraph.Enabled());
  EXPECT_FALSE(s.Label5.Visible());
  // The bottom buttons stand clear of the white frame's line.
  EXPECT_LT(s.Frame2.Top() + s.Frame2.Height(), ScreenFrameInside(ScreenWidth(), ScreenHeight()).bottom);
  // Redrawing the axes does not pile up the form's own drawing.
  const std::size_t formOps = s.DrawnOps().size();
  s.List1.PerformChoose(6);
  s.List1.PerformChoose(10);
  EXPECT_EQ(s.DrawnOps().size(), formOps);
}

TEST_F(LPGraphScreenTest, MainMenuLeavesTheModelChoiceOpenToTheNextProblem) {
  ScrLPGraf &s = Open(Example());
  // The popup waits while the MAIN menu screen comes up; the class chosen there must show
  // the input mode and its "Go to Input Screen".
  script.ChoosePopup({"&Linear Programming"});
  s.cmdMainMenu.PerformClick();
  ASSERT_TRUE(IsLoaded<Scr0>());
  EXPECT_FALSE(IsLoaded<ScrLPGraf>());
  EXPECT_EQ(g.ModelClass, 3);
  EXPECT_TRUE(scr0().FrameInputMode.Visible());
  EXPECT_TRUE(scr0().Frame1.Visible());
}

TEST_F(LPGraphScreenTest, ConstraintsThenObjectiveThenZoom) {
  ScrLPGraf &s = Open(Example());
  script.AnswerMsgBox(msg::OK, "Must graph all constraints prior to objective function");
  s.List1.PerformChoose(6);
  const std::size_t before = s.picLPgraph.Drawing().Ops().size();
  s.List1.PerformChoose(2);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Graph Obj Function");
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_EQ(s.picLPgraph.Drawing().Ops().size(), before);

  s.List1.PerformChoose(7);
  s.List1.PerformChoose(8);
  EXPECT_EQ(g.GraphDrawnCount, 3);
  EXPECT_FALSE(PictureHas(s, "Optimum"));
  s.List1.PerformChoose(2);
  EXPECT_EQ(g.GraphDrawn(0), 1);
  EXPECT_TRUE(PictureHas(s, "Obj"));
  EXPECT_TRUE(PictureHas(s, "Optimum"));
  EXPECT_TRUE(s.cmdZoomIn.Enabled());
  EXPECT_TRUE(s.Label5.Visible());
  EXPECT_EQ(s.Label5.Caption(), "Objective value = 13.00");
  EXPECT_EQ(s.Label6.Caption(), "x1 = 3.00");
  EXPECT_EQ(s.Label7.Caption(), "x2 = 2.00");

  // Zoom In from 10 to 8, Zoom Out to 10; each replays the whole picture at the optimum.
  ASSERT_EQ(g.GraphXMax, 10);
  s.cmdZoomIn.PerformClick();
  EXPECT_EQ(g.GraphXMax, 8);
  EXPECT_EQ(g.GraphYMax, 8);
  EXPECT_EQ(g.GraphZoomed, 1);
  EXPECT_TRUE(PictureHas(s, "Optimum"));
  EXPECT_TRUE(PictureHas(s, "( 3)"));
  s.cmdZoomOut.PerformClick();
  EXPECT_EQ(g.GraphXMax, 10);
  EXPECT_EQ(g.GraphStep, 1);
  // Zoom In stops above 3; Zoom Out stops before the axis end leaves 16 bits.
  g.GraphXMax = g.GraphYMax = 4;
  s.cmdZoomIn.PerformClick();
  EXPECT_EQ(g.GraphXMax, 3);
  s.cmdZoomIn.PerformClick();
  EXPECT_EQ(g.GraphXMax, 3);
  EXPECT_EQ(script.Beeps(), 2);
  g.GraphXMax = g.GraphYMax = 26214;
  s.cmdZoomOut.PerformClick();
  EXPECT_EQ(g.GraphXMax, 26214);
  EXPECT_EQ(script.Beeps(), 3);
}

TEST_F(LPGraphScreenTest, OneStrokeThenObjectiveDoesNothing) {
  ScrLPGraf &s = Open(Example());
  s.List1.PerformChoose(12);
  EXPECT_EQ(g.GraphDrawn(0), kWholePictureMark);
  EXPECT_EQ(g.GraphDrawnCount, 0);
  EXPECT_EQ(g.OutputMode, 1);
  EXPECT_TRUE(PictureHas(s, "Optimum"));
  EXPECT_TRUE(PictureHas(s, "( 1)"));
  const std::size_t ops = s.picLPgraph.Drawing().Ops().size();
  s.List1.PerformChoose(2);
  EXPECT_EQ(s.picLPgraph.Drawing().Ops().size(), ops);
  EXPECT_FALSE(s.cmdZoomIn.Enabled()); // no command: the zoom waits for the objective again

  // Print after the one-stroke drawing: everything, on two pages.
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  s.cmdPrintGraph.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  EXPECT_NE(paper.FindText("LINEAR PROGRAMMING -- GRAPHICAL SOLUTION"), nullptr);
  EXPECT_NE(paper.FindText("Obj"), nullptr);
  EXPECT_NE(paper.FindText("( 3)"), nullptr);
  EXPECT_EQ(g.GraphDrawnCount, 3);
}

TEST_F(LPGraphScreenTest, UnwieldyScalesAreRefusedOnPaint) {
  LP lp{.c = {1, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {30000}};
  script.AnswerMsgBox(msg::OK,
                      "Data produces unwieldy scales.  Scale down RHS of constraints relative to LHS coefficients");
  ScrLPGraf &s = Open(lp);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Scaling Error");
  EXPECT_EQ(g.GraphXMax, 0);
  EXPECT_EQ(Count(s, DrawKind::Point), 0);
  // Nothing to draw on: the list draws nothing.
  s.List1.PerformChoose(6);
  s.List1.PerformChoose(12);
  EXPECT_EQ(Count(s, DrawKind::Line), 0);
}

// Covering and uncovering the window shows the same picture: the drawing is retained.
TEST_F(LPGraphScreenTest, DrawingPersistsWhenCovered) {
  ScrLPGraf &s = Open(Example());
  s.List1.PerformChoose(12);
  QWidget *w = s.picLPgraph.Widget();
  const QImage before = w->grab().toImage();
  w->hide();
  w->show();
  Forms::DoEvents();
  const QImage after = w->grab().toImage();
  ASSERT_EQ(before.size(), after.size());
  int differ = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) ++differ;
  EXPECT_EQ(differ, 0) << before.width() << "x" << before.height() << " " << before.format() << " " << after.format();
  // The picture is not blank: it holds the blue objective line.
  bool blue = false;
  for (int y = 0; y < before.height() && !blue; ++y)
    for (int x = 0; x < before.width() && !blue; ++x)
      blue = before.pixel(x, y) == qRgb(0, 0, 255);
  EXPECT_TRUE(blue);
}

} // namespace
} // namespace quon::testing
