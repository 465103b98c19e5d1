// Printouts of every model class at its size limit, as "Write to Printer" sends them: every row
// lies inside a page, and each row of the result is printed once.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "games/game_lp.h"
#include "integer/ip_fixture.h"
#include "network/network_fixture.h"
#include "network/ui/network_output.h"
#include "network/ui/network_roads.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/grid_text.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

// One printout: sets up the problem and its output view, then names the rows the paper must
// hold, each as often as it is given.
struct LimitCase {
  const char *name;
  // A column heading every page of the result repeats, or empty.
  std::string heading;
  std::function<std::vector<std::string>(ScriptedServices &)> open;
};

std::vector<std::string> Column(const Grid &grid, int col, int from = 1) {
  std::vector<std::string> rows;
  for (int r = from; r < grid.Rows(); ++r)
    if (!grid.TextMatrix(r, col).empty()) rows.push_back(grid.TextMatrix(r, col));
  return rows;
}

// A connected network of n nodes: a chain and a chord from every node to the one three ahead.
std::vector<std::string> Network(ScriptedServices &script, int subModel, int option, int column = 0) {
  const int n = 100;
  std::vector<Arc> arcs;
  for (int i = 1; i < n; ++i) {
    arcs.push_back({i, i + 1, static_cast<double>(1 + i % 7)});
    if (i + 3 <= n) arcs.push_back({i, i + 3, static_cast<double>(5 + i % 4)});
  }
  g.ModelClass = ModelClassCode::Networks;
  g.HeaderText[1] = "Limit";
  LoadNetwork(n, arcs, subModel, true);
  scr5().Show();
  NetworkGoToOutput();
  g.OutputOption = static_cast<int16>(option);
  if (subModel != 1) NetworkOptionChosen();
  if (subModel == 1) {
    script.AnswerMsgBox(msg::OK);
    NetworkAllIterations();
  }
  if (subModel == 3) FloydListAllRoutes();
  RegisterNetworkRoads();
  return Column(scr5().outputGrid, column, subModel == 1 ? 0 : 1);
}

std::vector<std::string> Project() {
  // 51 nodes in a chain, a chord past every node but the last two, and one from start to end.
  std::vector<test::ActivityRow> rows;
  for (int i = 1; i <= 50; ++i)
    rows.push_back({std::to_string(i), std::to_string(i + 1), "C" + std::to_string(i), std::to_string(1 + i % 9)});
  for (int i = 1; i <= 49; ++i)
    rows.push_back({std::to_string(i), std::to_string(i + 2), "K" + std::to_string(i), std::to_string(1 + i % 5)});
  rows.push_back({"1", "51", "L", "7"});
  test::LoadProject(1, rows);
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::ProjectPlanning;
  g.HeaderText[1] = "Limit";
  g.GridRows = 101;
  g.GridCols = 5;
  scr5().Show();
  InitProjectOutputScreen();
  g.OutputOption = 1;
  SelectProjectOutputOption();
  // Each symbol in the data table and in the schedule.
  std::vector<std::string> symbols;
  for (int r = 1; r <= g.ActivityCount; ++r)
    symbols.insert(symbols.end(), 2, g.ActSymbol(r));
  return symbols;
}

std::vector<std::string> Game() {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::Games;
  g.HeaderText[1] = "Limit";
  const int m = 100, n = 100;
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 1; i <= m; ++i) {
    std::vector<std::string> row;
    for (int j = 1; j <= n; ++j)
      row.push_back(std::to_string((i * 7 + j * 13) % 23 - 11));
    test::SetRow(grid, i, row);
  }
  BuildGameLP(grid);
  scr3().mnuAlgebraicZeroGame.PerformClick();
  scr4().cmdDone_Click();
  Forms::DoEvents();
  // The value and each strategy's line of the mixes.
  std::vector<std::string> rows{"Value of the game"};
  for (int i = 1; i <= m; ++i)
    rows.push_back("A" + std::to_string(i) + " =");
  for (int j = 1; j <= n; ++j)
    rows.push_back("B" + std::to_string(j) + " =");
  return rows;
}

// 501 equal states of a system limited to 500: the longest probability table.
std::vector<std::string> Queue() {
  g.ModelClass = ModelClassCode::Queueing;
  g.HeaderText[1] = "Limit";
  LoadQueueScenarios({{1, 1, 1, 500, kQueueInf}});
  scr5().Show();
  InitQueueOutputScreen();
  g.OutputOption = 1;
  ShowQueueScenarioOutput();
  std::vector<std::string> states;
  for (int n = 0; n <= 500; ++n)
    states.push_back(std::to_string(n));
  return states;
}

// 100 variables with bounds of 1 whose relaxation is integral: one value line each.
std::vector<std::string> Integer() {
  LP lp;
  lp.c.assign(100, 1);
  lp.a = {std::vector<double>(100, 1)};
  lp.rel = {"<="};
  lp.b = {50};
  lp.upper.assign(100, "1");
  BuildIP(lp);
  g.HeaderText[1] = "Limit";
  g.OutputOption = 0;
  scr4().Show();
  scr4().cmdDone.PerformClick();
  scr5().Combo1.PerformChoose(0);
  std::vector<std::string> values;
  for (int j = 1; j <= 100; ++j)
    values.push_back("x" + std::to_string(j) + ":");
  return values;
}

const std::vector<LimitCase> &Cases() {
  static const std::vector<LimitCase> cases = {
      {"SpanningTree", "", [](ScriptedServices &s) { return Network(s, 1, 1); }},
      {"DijkstraSummary", "Distance", [](ScriptedServices &s) { return Network(s, 2, 1); }},
      {"FloydSummary", "Distance", [](ScriptedServices &s) { return Network(s, 3, 1, 4); }},
      {"ProjectCPM", "Earliest Start", [](ScriptedServices &) { return Project(); }},
      {"GameLP", "", [](ScriptedServices &) { return Game(); }},
      {"QueueTable", "Probability, pn", [](ScriptedServices &) { return Queue(); }},
      {"IntegerSummary", "", [](ScriptedServices &) { return Integer(); }},
  };
  return cases;
}

class PrintLimitsTest : public ScreenTest, public ::testing::WithParamInterface<LimitCase> {};

// How often each row was printed: a row is a printed text or its start up to a blank (a game's
// mix line "A7 =  0.00" holds the row "A7 =").
std::map<std::string, int> PrintedRows(const std::vector<RecordedOp> &texts) {
  std::map<std::string, int> printed;
  for (const RecordedOp &op : texts) {
    ++printed[op.text];
    for (std::size_t blank = op.text.find(' '); blank != std::string::npos; blank = op.text.find(' ', blank + 1))
      ++printed[op.text.substr(0, blank)];
  }
  return printed;
}

TEST_P(PrintLimitsTest, EveryRowIsPrintedOnceInsideAPage) {
  const std::vector<std::string> rows = GetParam().open(script);
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  scr5().cmdWriteToPrinter_Click();
  SetPrinterForTesting(nullptr);
  ASSERT_GE(paper.DocumentsEnded(), 1);

  const std::vector<RecordedOp> texts = paper.Texts();
  int pages = 0;
  for (const RecordedOp &op : texts) {
    EXPECT_GE(op.y1, 0) << op.text;
    EXPECT_LE(op.y1, kPageFullY) << op.text << " on page " << op.page;
    EXPECT_LE(op.y2, kPageHeightTwips) << op.text;
    pages = std::max(pages, op.page);
  }
  EXPECT_GE(pages, 2);
  // The result's table, continued on later pages, repeats its headings at the top of each.
  if (!GetParam().heading.empty()) {
    const int last = paper.DocumentsEnded();
    std::map<int, int> headings;
    for (const RecordedOp &op : texts)
      if (op.document == last) headings[op.page] += op.text == GetParam().heading;
    auto page = headings.begin();
    while (page != headings.end() && page->second == 0)
      ++page;
    ASSERT_NE(page, headings.end());
    EXPECT_NE(page, std::prev(headings.end())) << "the table fits on one page";
    const int each = page->second;
    for (; page != headings.end(); ++page)
      EXPECT_EQ(page->second, each) << "page " << page->first;
  }
  std::map<std::string, int> wanted;
  for (const std::string &row : rows)
    ++wanted[row];
  const std::map<std::string, int> printed = PrintedRows(texts);
  for (const auto &[row, times] : wanted) {
    const auto found = printed.find(row);
    EXPECT_EQ(found == printed.end() ? 0 : found->second, times) << row;
  }
}

INSTANTIATE_TEST_SUITE_P(AtTheSizeLimits, PrintLimitsTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<LimitCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace quon::testing
