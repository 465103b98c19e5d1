#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <chrono>
#include <string>
#include <vector>

#include "input/ui/scr2.h"
#include "linear/ui/scr_lp_graf.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/ui/retained_surface.h"
#include "platform/surface_core.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "support/chart_check.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

class BarChartScreenTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    RegisterAllModelRoads();
  }
  // The project on the output screen, then "CPM Bar Chart": the graph screen over it.
  ScrLPGraf &Chart(const std::vector<test::ActivityRow> &rows, int width = 15360) {
    SetLogicalScreen(width, width * 3 / 4);
    test::LoadProject(1, rows);
    InitGlobals(width, width * 3 / 4);
    g.ModelClass = 8;
    g.HeaderText[1] = "Demo";
    g.GridRows = static_cast<int16>(rows.size() + 1);
    g.GridCols = 5;
    scr5().Show();
    InitProjectOutputScreen();
    scr5().Combo1.PerformChoose(0);
    return scrLPGraf();
  }
};

using test::kFourNodes;

// "CPM Bar Chart" on the output screen opens the graph screen over it; the experiment's lists
// and messages follow the user's choices.
TEST_F(BarChartScreenTest, ChartOptionOpensTheExperimentOverTheOutputScreen) {
  ScrLPGraf &s = Chart({{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "6"}, {"3", "6", "D", "2"},
                         {"3", "5", "E", "1"}, {"2", "6", "F", "7"}, {"5", "6", "G", "1"}});
  ASSERT_TRUE(s.Loaded());
  EXPECT_TRUE(scr5().Loaded());
  EXPECT_EQ(g.GraphXMax, 11);
  EXPECT_EQ(s.gridChart.TextMatrix(1, 2), "Earliest Start");
  EXPECT_EQ(s.gridChart.TextMatrix(2, 0), "1-2: A");
  EXPECT_EQ(s.Combo1.ListCount(), 7);
  EXPECT_FALSE(s.Combo2.Enabled());

  s.Combo1.PerformChoose(0); // A is critical
  EXPECT_EQ(s.Text1.Text(), "Selected activity is CRITICAL.  Its schedule cannot be modified.");
  EXPECT_FALSE(s.Combo2.Enabled());

  s.Combo1.PerformChoose(1);
  EXPECT_EQ(s.Text1.Text(), "");
  ASSERT_EQ(s.Combo2.ListCount(), 4);
  s.Combo2.PerformChoose(2);
  EXPECT_NE(s.Text1.Text().find("succeeding activities {D, E} cannot start any earlier than time  7."),
            std::string::npos);
  EXPECT_NE(s.Text2.Text().find(" CAUTION: Activities following {D, E}"), std::string::npos);
  // Both explanations lie inside their frame, one below the other.
  EXPECT_EQ(s.Text2.Top(), s.Text1.Top() + s.Text1.Height());
  EXPECT_LE(s.Text2.Top() + s.Text2.Height(), s.Frame3.Height());
  EXPECT_LE(s.Text1.Left() + s.Text1.Width(), s.Frame3.Width());
  EXPECT_EQ(s.Combo2.List(0), "-2");
  EXPECT_EQ(s.Combo2.ListIndex(), -1);

  // A repaint and a zoom keep the experiment; the grid keeps the earliest starts.
  s.picLPgraph_Paint();
  s.cmdZoomOut_Click();
  EXPECT_EQ(g.ActFloat(2, 0), 5);
  EXPECT_EQ(s.gridChart.TextMatrix(3, 2), "3.00");
}

// A hundred activities, critical and not, in the picture of each screen size as the screen
// draws it, zoomed out and back: every number and symbol clear of every line and of each
// other, every activity named once (or counted towards the schedule beside the chart).
TEST_F(BarChartScreenTest, EveryBarIsNamedClearOfEveryLineOnBothScreens) {
  std::vector<test::ActivityRow> rows;
  // The critical chain last: the last line drawn is red.
  for (int k = 1; k <= 40; ++k)
    rows.push_back({std::to_string(k), std::to_string(k + 3), "F" + std::to_string(k), std::to_string(1 + k % 3)});
  for (int k = 1; k <= 60; ++k)
    rows.push_back({std::to_string(k), std::to_string(k + 1), "A" + std::to_string(k), std::to_string(2 + k % 5)});
  for (const int w : {12000, 15360}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    ScrLPGraf &s = Chart(rows, w);
    std::vector<std::string> names;
    for (int r = 1; r <= g.ActivityCount; ++r)
      names.push_back(g.ActSymbol(r));
    s.picLPgraph_Paint();
    for (int zoom = 0; zoom < 2; ++zoom) {
      test::ExpectChartReadable(s.picLPgraph.Drawing().Ops(), names, kScreenTwipsPerPixel,
                                "screen " + std::to_string(w) + (zoom ? ", zoomed out" : ""),
                                " more activities: see the schedule");
      // Symbols are blue after a red critical line too.
      for (const DrawOp &op : s.picLPgraph.Drawing().Ops())
        if (op.kind == DrawKind::Text) {
          EXPECT_EQ(op.color, kBlue) << op.text;
        }
      s.cmdZoomOut_Click();
    }
  }
  SetLogicalScreen(15360, 11520);
}

// Tab from the screen runs through the experiment's lists, the chart's grid and its buttons,
// and reaches the exits last.
TEST_F(BarChartScreenTest, TabRunsThroughTheChartBeforeTheExits) {
  ScrLPGraf &s = Chart(kFourNodes);
  BringToFront(s);
  std::vector<std::string> order;
  for (int i = 0; i < 11; ++i) {
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != s.ClientWidget()->window()) target = s.ClientWidget()->window();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(target, &tab);
    for (Control *c : std::initializer_list<Control *>{&s.List1, &s.Combo1, &s.Combo2, &s.Text1, &s.Text2, &s.gridChart, &s.cmdZoomIn,
                                                       &s.cmdZoomOut, &s.cmdPrintGraph, &s.cmdModifyInputData,
                                                       &s.cmdMainMenu, &s.cmdExitQuon})
      if (c->Widget() == QApplication::focusWidget()) order.push_back(c->Name());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Combo1", "Text1", "Text2", "gridChart", "cmdZoomIn", "cmdZoomOut",
                                             "cmdPrintGraph", "cmdModifyInputData", "cmdMainMenu", "cmdExitQuon",
                                             "Combo1"}));
}

// B's total float of 0.6: the list stops at it, and its last item starts B at 0.6, ending it
// with the project.
TEST_F(BarChartScreenTest, StartTimeListEndsAtAFractionalFloat) {
  ScrLPGraf &s = Chart({{"1", "2", "A", "3"}, {"2", "3", "C", "4"}, {"1", "3", "B", "6.4"}});
  s.Combo1.PerformChoose(2);
  ASSERT_EQ(s.Combo2.ListCount(), 2);
  EXPECT_EQ(s.Combo2.List(1), "0.6");
  s.Combo2.PerformChoose(1);
  EXPECT_FLOAT_EQ(g.ActFloat(3, 0), 0.6f);
  EXPECT_EQ(s.Text1.Text().rfind("ACTIVITY B:  START TIME =  0.6,", 0), 0u);
}

// The step display right after the chart: its schedule headings do not rely on the array the
// chart's grid dimensioned.
// A float of thousands of units fills the start-time list at once, not item by item over the
// whole list, and a choice from its end applies.
TEST_F(BarChartScreenTest, ALongStartTimeListFillsAtOnce) {
  ScrLPGraf &s = Chart({{"1", "3", "A", "20000"}, {"1", "2", "B", "0"}, {"2", "3", "C", "0"}});
  const auto begin = std::chrono::steady_clock::now();
  s.Combo1.PerformChoose(1);
  ASSERT_EQ(s.Combo2.ListCount(), 20001);
  s.Combo2.PerformChoose(20000);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
  EXPECT_EQ(s.Combo2.List(0), "-20000");
  EXPECT_EQ(g.ActFloat(2, 0), 20000);
}

TEST_F(BarChartScreenTest, StepsAfterTheChartAndEveryExitLeavesTheOutputScreen) {
  Chart(kFourNodes);
  ASSERT_TRUE(IsLoaded<ScrLPGraf>());
  scr5().Combo1.PerformChoose(1);
  ProjectAllSteps();
  Grid &steps = scr5().outputGrid;
  EXPECT_EQ(steps.TextMatrix(steps.Rows() - 1, 0), "Critical activities highlighted in red");
  EXPECT_EQ(steps.TextMatrix(steps.Rows() - 6, 6), "Free Float");

  // "View/Modify Input Data" on the graph screen: the input screen alone.
  Forms::Clear();
  Chart(kFourNodes).cmdModifyInputData.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_FALSE(IsLoaded<ScrLPGraf>());

  Forms::Clear();
  Chart(kFourNodes);
  script.DismissPopup(); // the MAIN menu opens its popup when it is activated
  scrLPGraf().cmdMainMenu.PerformClick();
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_EQ(ended, 0);
}

} // namespace
} // namespace quon::testing
