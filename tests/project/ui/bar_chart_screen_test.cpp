#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "linear/ui/scr_lp_graf.h"
#include "platform/colors.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

class BarChartScreenTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    RegisterAllModelRoads();
  }
};

// "CPM Bar Chart" on the output screen opens the graph screen over it; the experiment's lists
// and messages follow the user's choices.
TEST_F(BarChartScreenTest, ChartOptionOpensTheExperimentOverTheOutputScreen) {
  test::LoadProject(1, {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "6"}, {"3", "6", "D", "2"},
                        {"3", "5", "E", "1"}, {"2", "6", "F", "7"}, {"5", "6", "G", "1"}});
  InitGlobals(15360, 11520);
  g.ModelClass = 8;
  g.HeaderText[1] = "Demo";
  scr5().Show();
  InitProjectOutputScreen();
  scr5().Combo1.PerformChoose(0);

  ScrLPGraf &s = scrLPGraf();
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
  EXPECT_EQ(s.Combo2.List(0), "-2");
  EXPECT_EQ(s.Combo2.ListIndex(), -1);

  // A repaint and a zoom keep the experiment; the grid keeps the earliest starts.
  s.picLPgraph_Paint();
  s.cmdZoomOut_Click();
  EXPECT_EQ(g.ActFloat(2, 0), 5);
  EXPECT_EQ(s.gridChart.TextMatrix(3, 2), "3.00");
}

} // namespace
} // namespace quon::testing
