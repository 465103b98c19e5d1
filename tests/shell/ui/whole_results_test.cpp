// Every result on the output screens is shown whole: each text of a grid is measured, in its
// cell's font, against its cell (a merged cell over its span), on the screens of several model
// classes filled with large values.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMessageBox>
#include <QWidget>

#include <string>
#include <vector>

#include "integer/ip_fixture.h"
#include "linear/mod_inverse.h"
#include "linear/ui/inverse_output.h"
#include "linear/ui/scr_lp_graf.h"
#include "platform/screen.h"
#include "platform/ui/desktop_services.h"
#include "platform/ui/grid.h"
#include "platform/ui/qt_support.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"
#include "transport/trans_fixture.h"
#include "transport/ui/trans_output.h"

namespace quon::testing {
namespace {

// The texts the grid shows cut, as "row,col 'text'": those of its kept rows and of the rows in
// view (a grid paints those it makes on demand, so it is painted first).
std::vector<std::string> CutCells(Grid &grid) {
  Forms::DoEvents();
  grid.Widget()->grab();
  Forms::DoEvents();
  std::vector<std::string> cut;
  // Texts in columns the grid can neither show nor scroll to are cut too.
  const bool across =
      grid.ScrollBars == ScrollBarsMode::Horizontal || grid.ScrollBars == ScrollBarsMode::Both;
  std::vector<int> right(static_cast<std::size_t>(grid.Cols()) + 1, 0);
  for (int c = 0; c < grid.Cols(); ++c)
    right[static_cast<std::size_t>(c) + 1] = right[static_cast<std::size_t>(c)] + grid.ColWidthOf(c);
  for (int r = 0; r < grid.Rows(); ++r) {
    const bool inView = r < grid.FixedRows || (r >= grid.TopRow() && grid.RowY(r) < grid.ViewHeight());
    if (r >= grid.KeptRows() && !inView) continue;
    for (int c = 0; c < grid.Cols(); ++c) {
      const std::string text = grid.TextMatrix(r, c);
      if (text.empty() || grid.ColWidthOf(c) == 0) continue;
      const CellRange m = grid.MergedRange(r, c);
      int width = -5; // the painter's margins
      for (int k = m.col1; k <= m.col2; ++k)
        width += ToPixels(grid.ColWidthOf(k));
      const QFontMetrics fm(
          MakeFont(static_cast<const GridStore &>(grid).FontName, grid.FontSizeOf(r, c), grid.BoldOf(r, c)));
      if (fm.horizontalAdvance(Q(text)) > width ||
          (!across && right[static_cast<std::size_t>(m.col2) + 1] > grid.ViewWidth()))
        cut.push_back(std::to_string(r) + "," + std::to_string(c) + " '" + text + "'");
    }
  }
  return cut;
}

class WholeResultsTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    RegisterAllModelRoads();
    script.SetFaultHandler([](const std::string &) {});
  }
  void Inverse(const std::vector<std::vector<double>> &rows) {
    Forms::Clear();
    MatrixInput(1, rows);
    g.HeaderText[1] = "Example";
    InvertMatrix();
    scr5().Show();
    ShowInverseOutput();
  }
};

TEST_F(WholeResultsTest, InversionShowsItsDeterminantAndWideEntriesWhole) {
  for (const auto &rows : std::vector<std::vector<std::vector<double>>>{
           {{4, 7}, {2, 6}}, {{123456789, 7}, {2, 6}}, {{1E-9, 3}, {5, 123456789012.0}}}) {
    Inverse(rows);
    Grid &grid = scr5().outputGrid;
    EXPECT_EQ(CutCells(grid), std::vector<std::string>{}) << rows[0][0];
    // The grid still shows every column without scrolling.
    int columns = 0;
    for (int c = 0; c < grid.Cols(); ++c)
      columns += grid.ColWidthOf(c);
    EXPECT_LE(columns, grid.ViewWidth()) << rows[0][0];
  }
}

TEST_F(WholeResultsTest, TransportationTableausShowLargeCostsAndMultipliersWhole) {
  test::TransProblem p{{{16777217, 16777216, 9}, {16777218, 16777219, 123456789}, {5, 987654321, 16777220}},
                       {1000000, 2500000, 700000},
                       {900000, 1800000, 1500000}};
  ASSERT_TRUE(test::LoadTrans(p, "Large", false));
  scr5().Show();
  g.TransStartMethod = 1;
  ShowTransIterations();
  Grid &grid = scr5().outputGrid;
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
  TransAllIterations();
  grid.SetTopRow(grid.MaxTopRow());
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
  TransOutputOptionChosen(1);
  EXPECT_EQ(CutCells(grid), std::vector<std::string>{});
}

TEST_F(WholeResultsTest, IntegerSearchTablesShowLargeValuesWhole) {
  LP lp = WorkedExample();
  lp.c = {3000000, 2000000};
  lp.b = {9000000, 10000000};
  BuildIP(lp);
  g.HeaderText[1] = "Large";
  g.OutputOption = 0;
  scr4().Show();
  scr4().cmdDone.PerformClick();
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  EXPECT_EQ(CutCells(scr5().grid1), std::vector<std::string>{});
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  scr5().outputGrid.PerformClick(0, 0);
  EXPECT_EQ(CutCells(scr5().BBGrid), std::vector<std::string>{});
}

TEST_F(WholeResultsTest, QueueTablesInExponentialFormatShowWhole) {
  LoadQueueScenarios({{998, 1000, 1, kQueueInf, kQueueInf}, {5, 2, 3, kQueueInf, kQueueInf}});
  g.NumFormatType = 2;
  g.NumDigitsN = 5;
  g.NumDigitsD = 2;
  scr5().Show();
  InitQueueOutputScreen();
  for (int option : {1, 3}) {
    g.OutputOption = static_cast<int16>(option);
    ShowQueueScenarioOutput();
    EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{}) << option;
    EXPECT_EQ(CutCells(scr5().grid1), std::vector<std::string>{}) << option;
  }
}

TEST_F(WholeResultsTest, ProjectScheduleAndExperimentListShowWhole) {
  UseScreen(12000, 9000);
  std::vector<test::ActivityRow> rows;
  for (int k = 1; k <= 32; ++k)
    rows.push_back({std::to_string(k), std::to_string(k + 1), "R" + std::to_string(k), "123456789"});
  test::LoadProject(1, rows);
  InitGlobals(12000, 9000);
  g.ModelClass = 8;
  g.HeaderText[1] = "Large";
  g.GridRows = static_cast<int16>(rows.size() + 1);
  g.GridCols = 5;
  scr5().Show();
  InitProjectOutputScreen();
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(CutCells(scr5().outputGrid), std::vector<std::string>{});
  scr5().Combo1.PerformChoose(0);
  ScrLPGraf &s = scrLPGraf();
  EXPECT_EQ(CutCells(s.gridChart), std::vector<std::string>{});
  EXPECT_GE(s.Combo1.Width(), s.Combo1.WidthForItems());
}

// The window manager cuts a title wider than its box.
TEST(MessageBoxTitle, BoxIsWideEnoughForItsTitle) {
  QMessageBox box;
  box.setWindowTitle("Optimal transportation tableau after the last iteration");
  box.setText("OK");
  box.addButton(QMessageBox::Ok);
  WidenToTitle(box);
  box.show();
  QFont bold = box.font();
  bold.setBold(true);
  EXPECT_GT(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()));
}

} // namespace
} // namespace quon::testing
