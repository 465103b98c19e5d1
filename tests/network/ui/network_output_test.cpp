#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include <string>
#include <vector>

#include "network/network_fixture.h"
#include "network/ui/network_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

using Row = std::vector<std::string>;

class NetworkOutputTest : public ScreenTest {
protected:
  // The network as submitted, the output screen shown and laid out for the sub-model, its
  // lists dispatching to the network views as the output screen will.
  void Open(int subModel, int n, const std::vector<Arc> &arcs, bool symmetric = false,
            const std::vector<std::string> &names = {}) {
    g.ModelClass = ModelClassCode::Networks;
    g.HeaderText[1] = "Roads";
    LoadNetwork(n, arcs, subModel, symmetric, names);
    scr5().Show();
    scr5().Combo1.Click = [] {
      g.OutputOption = static_cast<int16>(scr5().Combo1.ListIndex() + 1);
      NetworkOptionChosen();
    };
    scr5().Combo2.Click = MSTStartNodeChosen;
    scr5().Combo3.Click = FloydFromNodeChosen;
    scr5().Combo4.Click = FloydToNodeChosen;
    scr5().Label2.Click = FloydListAllRoutes;
    NetworkGoToOutput();
  }
  Grid &grid() { return scr5().outputGrid; }
  Row GridRow(int r, int c0, int c1) {
    Row out;
    for (int c = c0; c <= c1; ++c)
      out.push_back(grid().TextMatrix(r, c));
    return out;
  }
  bool StepsEnabled() { return scr5().cmdNextIter.Enabled() || scr5().cmdFinalIter.Enabled(); }
  void ExpectMessage(const std::string &text, int style, const std::string &title) {
    const auto shown = script.MessageBoxes();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().text, text);
    EXPECT_EQ(shown.back().style, style);
    EXPECT_EQ(shown.back().title, title);
    script.ClearRecord();
  }
};

// ---- Minimal spanning tree ----

TEST_F(NetworkOutputTest, SpanningTreeStepsToItsEndAndRestarts) {
  Open(1, 4, RouteExample(), true, {"", "", "Harbour"});
  EXPECT_EQ(GridRow(0, 0, 0), Row{"Updated minimal tree length = 0"});
  EXPECT_EQ(GridRow(1, 0, 0), Row{"0.  Start at node 1"});
  EXPECT_EQ(grid().BackOf(0, 0), kCyan);
  EXPECT_EQ(scr5().Combo2.ListCount(), 4);
  EXPECT_TRUE(scr5().Frame5.Visible());
  EXPECT_FALSE(scr5().Frame4.Visible());
  EXPECT_EQ(g.OutputPageKind, 2);

  NetworkNextIteration();
  EXPECT_EQ(grid().Rows(), 3);
  EXPECT_EQ(GridRow(1, 0, 0), Row{" 0.     Start at node N1"});
  EXPECT_EQ(GridRow(2, 0, 0), Row{" 1.     Connect N3 [Harbour]  to N1:  Length = 1.00"});
  NetworkNextIteration();
  EXPECT_TRUE(script.MessageBoxes().empty());
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  EXPECT_EQ(GridRow(3, 0, 0), Row{" 2.     Connect N2  to N3 [Harbour]:  Length = 1.00"});
  EXPECT_EQ(GridRow(4, 0, 0), Row{" 3.     Connect N4  to N2:  Length = 2.00"});
  EXPECT_EQ(GridRow(0, 0, 0), Row{"Updated minimal tree length = 4.00"});
  ExpectMessage("Last row completes minimal spanning tree", msg::Information, "Optimum");
  EXPECT_FALSE(StepsEnabled());

  // A new start node: the tree from there, length back to 0; "All" rebuilds it whole.
  scr5().Combo2.PerformChoose(3);
  EXPECT_TRUE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), 2);
  EXPECT_EQ(GridRow(1, 0, 0), Row{" 0.      Start at node N4"});
  NetworkNextIteration();
  script.AnswerMsgBox(msg::OK);
  NetworkAllIterations();
  EXPECT_EQ(grid().Rows(), 5);
  EXPECT_EQ(GridRow(2, 0, 0), Row{" 1.     Connect N2  to N4:  Length = 2.00"});
  EXPECT_EQ(GridRow(0, 0, 0), Row{"Updated minimal tree length = 4.00"});
  ExpectMessage("Last row completes minimal spanning tree", msg::Information, "Optimum");
}

TEST_F(NetworkOutputTest, SpanningTreeWithoutFiniteArcStopsWithItsMessage) {
  Open(1, 3, {{1, 2, 4}}, true);
  script.AnswerMsgBox(msg::OK);
  NetworkAllIterations();
  ExpectMessage("All arcs from from current node have infinite length. No spanning tree exists.",
                msg::Critical, "Input data error");
  EXPECT_EQ(grid().Rows(), 3); // the start and the one arc found stay
  EXPECT_EQ(g.TreeCount, 0);
  EXPECT_FALSE(StepsEnabled());
}

// ---- Dijkstra ----

TEST_F(NetworkOutputTest, DijkstraIterationsTableByTable) {
  Open(2, 4, RouteExample(), true, {"Depot"});
  EXPECT_EQ(g.OutputOption, 2);
  EXPECT_EQ(scr5().Label1.Caption(), "ITERATIONS");
  EXPECT_EQ(GridRow(0, 0, 2), (Row{"Node", "Label", "Status"}));
  // Step 1: node 1 permanent, nodes 2 and 3 labelled from it, node 4 not yet.
  EXPECT_EQ(GridRow(1, 0, 2), (Row{"Iteration  1", "Iteration  1", "Iteration  1"}));
  EXPECT_EQ(grid().MergedRange(1, 1), (CellRange{1, 0, 1, 2}));
  EXPECT_EQ(grid().BackOf(1, 0), kCyan);
  EXPECT_EQ(GridRow(2, 0, 2), (Row{"1-Depot       ", "[0.00,   --]", "permanent"}));
  EXPECT_EQ(grid().ForeOf(2, 2), kRed);
  EXPECT_EQ(GridRow(3, 0, 2), (Row{"2", "[3.00,    1]", "temporary"}));
  // Node 3 is made permanent by this step but reads "temporary" until the next table.
  EXPECT_EQ(GridRow(4, 0, 2), (Row{"3", "[1.00,    1]", "temporary"}));
  EXPECT_EQ(GridRow(5, 0, 2), (Row{"4", "", ""}));
  EXPECT_EQ(GridRow(6, 0, 2), (Row{"", "", ""}));
  EXPECT_EQ(grid().Rows(), 7);

  NetworkNextIteration();
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(grid().ForeOf(4, c), kGreen);
  EXPECT_EQ(GridRow(9, 0, 2), (Row{"2", "[2.00,    3]", "temporary"}));
  EXPECT_EQ(GridRow(10, 0, 2), (Row{"3", "[1.00,    1]", "permanent"}));
  NetworkNextIteration();
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  ExpectMessage("Last iteration provides optimum routes", msg::Information, "Optimum");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), 1 + 4 * 6);
  EXPECT_EQ(GridRow(23, 0, 2), (Row{"4", "[4.00,    2]", "permanent"}));
  const Row last = GridRow(22, 0, 2);

  // "All" starts again from node 1 and ends with the same tables.
  script.AnswerMsgBox(msg::OK);
  NetworkAllIterations();
  EXPECT_EQ(grid().Rows(), 1 + 4 * 6);
  EXPECT_EQ(GridRow(22, 0, 2), last);
  ExpectMessage("Last iteration provides optimum routes", msg::Information, "Optimum");
}

// Node 3 cannot be reached: step 2 makes no node permanent, and node 2, made permanent in
// step 1, stays "permanent" in red; nothing is highlighted green after such a step.
TEST_F(NetworkOutputTest, DijkstraStepWithoutANewPermanentNode) {
  Open(2, 3, {{1, 2, 4}});
  NetworkNextIteration();
  // Table 2: heading row 6, node rows 7 to 9.
  EXPECT_EQ(GridRow(8, 0, 2), (Row{"2", "[4.00,    1]", "permanent"}));
  EXPECT_EQ(grid().ForeOf(8, 2), kRed);
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  for (int c = 0; c < 3; ++c)
    EXPECT_NE(grid().ForeOf(8, c), kGreen);
}

// Switching views draws the heading block once, not over the last one; the Dijkstra tables'
// columns fit their grid beside its vertical bar, so no horizontal bar is needed.
TEST_F(NetworkOutputTest, ViewChangesRedrawTheHeadingAndDijkstraColumnsFit) {
  std::vector<Arc> chain;
  for (int i = 1; i < 40; ++i)
    chain.push_back({i, i + 1, 1});
  Open(2, 40, chain);
  for (int option : {0, 1, 0}) {
    SCOPED_TRACE(option);
    scr5().Combo1.PerformChoose(option);
    const auto texts = DrawnTexts(scr5());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Title: Roads"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " DIJKSTRA'S SHORTEST ROUTE ALGORITHM"), 1);
    Forms::DoEvents();
    int total = 0;
    for (int c = 0; c < grid().Cols(); ++c)
      total += grid().ColWidthOf(c);
    // Beside the vertical bar; only a route too long for the view brings the bar across.
    if (option == 1 || grid().ScrollBars != ScrollBarsMode::Both) {
      EXPECT_LE(total, grid().ViewWidth());
    }
    EXPECT_GT(grid().Rows() * grid().DefaultRowHeight(), grid().ViewHeight()); // the vertical bar is up
  }
}

TEST_F(NetworkOutputTest, DijkstraRouteTable) {
  Open(2, 5, {{1, 2, 3}, {1, 3, 1}, {3, 2, 1}, {2, 4, 2}, {3, 4, 5}});
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(scr5().Label1.Caption(), "SHORTEST ROUTES");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(GridRow(0, 0, 3), (Row{"Node", "Distance", "", "Route"}));
  EXPECT_EQ(grid().BackOf(0, 3), kCyan);
  EXPECT_EQ(GridRow(1, 0, 3), (Row{"1", "0.00", "", " --"}));
  EXPECT_EQ(GridRow(3, 0, 3), (Row{"3", "1.00", "", " 1 - 3"}));
  EXPECT_EQ(GridRow(4, 0, 3), (Row{"4", "4.00", "", " 1 - 3 - 2 - 4"}));
  EXPECT_EQ(GridRow(5, 0, 3), (Row{"5", "infinity", "", ""}));
  EXPECT_EQ(grid().Rows(), 7);
  EXPECT_EQ(grid().AlignOf(1, 1), kAlignRight);
}

// ---- Floyd ----

TEST_F(NetworkOutputTest, FloydIterationsShowBothArraysPassByPass) {
  Open(3, 4, RouteExample(), true);
  const int n = 4;
  EXPECT_EQ(grid().Cols(), 2 * n + 2);
  EXPECT_EQ(grid().Rows(), n + 3);
  EXPECT_EQ(GridRow(0, 0, 2), (Row{"Iter 0", "D 0", "D 0"}));
  EXPECT_EQ(grid().MergedRange(0, 2), (CellRange{0, 1, 0, n}));
  EXPECT_EQ(grid().MergedRange(0, n + 3), (CellRange{0, n + 2, 0, 2 * n + 1}));
  EXPECT_EQ(grid().BackOf(0, 1), kYellow);
  EXPECT_EQ(GridRow(1, 1, 2), (Row{"N 1", "N 2"}));
  EXPECT_EQ(GridRow(2, 0, 5), (Row{"N1", "", "3.00", "1.00", "infinity", "N1"}));
  EXPECT_EQ(GridRow(2, 6, 9), (Row{"", "2", "3", "4"}));
  // Pivot 1 marked: its column and its row of D.
  EXPECT_EQ(grid().BackOf(4, 1), kRed);
  EXPECT_EQ(grid().BackOf(2, 3), kRed);
  EXPECT_NE(grid().BackOf(4, 2), kRed);
  EXPECT_FLOAT_EQ(g.ColWidthMax, 8); // "infinity"

  NetworkNextIteration(); // pivot 1 changes nothing
  NetworkNextIteration(); // pivot 2: 1-4 and 3-4 (and back) shorter, green in the table of pass 1
  EXPECT_EQ(grid().BackOf(n + 2 + 2, 4), kGreen);
  EXPECT_EQ(grid().BackOf(n + 2 + 2, 4 + n + 1), kGreen);
  EXPECT_EQ(GridRow(2 * (n + 2) + 2, 4, 4), Row{"5.00"});
  EXPECT_EQ(GridRow(2 * (n + 2) + 2, n + 5, n + 5), Row{"2"});
  NetworkNextIteration();
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  ExpectMessage("Last iteration provides optimum routes", msg::Information, "Optimum");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), 5 * (n + 2));
  const int last = 4 * (n + 2);
  EXPECT_EQ(GridRow(last, 0, 1), (Row{"Iter 4", "D 4"}));
  EXPECT_EQ(GridRow(last + 2, 1, 4), (Row{"", "2.00", "1.00", "4.00"}));
  for (int r = last; r < grid().Rows(); ++r)
    for (int c = 1; c <= n; ++c)
      EXPECT_NE(grid().BackOf(r, c), kRed) << r << "," << c;
}

TEST_F(NetworkOutputTest, FloydRoutesChosenAndListed) {
  Open(3, 4, RouteExample(), true, {"Amsterdam"});
  scr5().Combo1.PerformChoose(0);
  EXPECT_TRUE(scr5().Frame7.Visible());
  EXPECT_EQ(GridRow(0, 0, 4), (Row{"From", "To", "Distance", "", "Route"}));
  // The columns fit beside the vertical bar: no horizontal bar under the empty table.
  Forms::DoEvents();
  int total = 0;
  for (int c = 0; c < grid().Cols(); ++c)
    total += grid().ColWidthOf(c);
  EXPECT_LE(total, grid().ViewWidth());
  scr5().Combo3.PerformChoose(0);
  EXPECT_EQ(grid().Rows(), 1);
  scr5().Combo4.PerformChoose(3);
  EXPECT_EQ(GridRow(1, 0, 4), (Row{"1-Amster", "4 ", "4.00", "", "1- 3- 2- 4"}));
  EXPECT_EQ(g.ToNode, 0);
  EXPECT_EQ(scr5().Combo4.Text(), " ?");
  scr5().Combo4.PerformChoose(0); // the same node: nothing
  EXPECT_EQ(grid().Rows(), 2);

  scr5().Label2.PerformClick();
  EXPECT_EQ(grid().Rows(), 1 + 4 * 3);
  EXPECT_EQ(GridRow(12, 0, 4), (Row{"4 ", "3 ", "3.00", "", "4- 2- 3"}));
  EXPECT_EQ(g.ToNode, -99);
  scr5().Combo3.PerformChoose(1); // clears the listing, waits for a to-node
  EXPECT_EQ(grid().Rows(), 1);
  // The iterations view takes the route finder away with the route table.
  scr5().Combo1.PerformChoose(1);
  EXPECT_FALSE(scr5().Frame7.Visible());
  EXPECT_EQ(grid().Rows(), 4 + 3);
  EXPECT_EQ(grid().ScrollBars, ScrollBarsMode::Both); // both arrays side by side may run wide
}

TEST_F(NetworkOutputTest, AllShortestRoutesRoadAndRoutesThatCannotBeShown) {
  // Node 4 unreachable; 1-2-3 with a negative cycle between 2 and 3.
  Open(23, 4, {{1, 2, 1}, {2, 3, 1}, {3, 2, -5}});
  EXPECT_EQ(g.NetSubModel, 3);
  EXPECT_FALSE(scr5().Frame4.Visible());
  EXPECT_EQ(g.IterCount, 5);
  scr5().Label2.PerformClick();
  EXPECT_EQ(GridRow(1, 0, 4), (Row{"1 ", "2 ", "-3.00", "", ""}));
  EXPECT_EQ(GridRow(3, 0, 4), (Row{"1 ", "4 ", "infinity", "", ""}));
}

// Every table of "All Iterations" against a plain Floyd-Warshall run kept pass by pass: the
// texts of D and S, the pivot of the next pass in red, the cells it changed in green, and the
// widest distance text in ColWidthMax.
TEST_F(NetworkOutputTest, FloydTablesMatchAPassByPassReference) {
  const int n = 7;
  std::mt19937 rng(11);
  std::vector<Arc> arcs;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      if (i != j && rng() % 3 != 0) arcs.push_back({i, j, static_cast<double>(rng() % 900 + 1) / 8});
  Open(3, n, arcs);
  std::vector<std::vector<double>> d(n + 1, std::vector<double>(n + 1, 999999));
  std::vector<std::vector<int>> via(n + 1, std::vector<int>(n + 1));
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      via[i][j] = j;
  for (const Arc &a : arcs)
    d[a.from][a.to] = a.value;
  script.AnswerMsgBox(msg::OK);
  NetworkAllIterations();
  ASSERT_EQ(grid().Rows(), (n + 1) * (n + 2));
  std::size_t widest = 0;
  for (int t = 0; t <= n; ++t) {
    SCOPED_TRACE(t);
    auto next = d;
    if (t < n) {
      const int k = t + 1;
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
          if (i != k && j != k && i != j && d[i][k] < 999999 && d[k][j] < 999999 &&
              d[i][k] + d[k][j] < d[i][j])
            next[i][j] = d[i][k] + d[k][j];
    }
    const int top = t * (n + 2);
    EXPECT_EQ(GridRow(top, 0, 1), (Row{"Iter " + std::to_string(t), "D " + std::to_string(t)}));
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        if (i == j) continue;
        const int r = top + 1 + i;
        const std::string text = d[i][j] >= 999999 ? "infinity" : Format(d[i][j], "0.00");
        widest = std::max(widest, text.size());
        EXPECT_EQ(grid().TextMatrix(r, j), text);
        EXPECT_EQ(grid().TextMatrix(r, n + 1 + j), std::to_string(via[i][j]));
        const bool changed = t < n && next[i][j] != d[i][j];
        const bool pivot = t < n && (i == t + 1 || j == t + 1);
        EXPECT_EQ(grid().BackOf(r, j), changed ? kGreen : pivot ? kRed : kBlue) << i << "," << j;
        EXPECT_EQ(grid().BackOf(r, n + 1 + j), changed ? kGreen : kBlue);
        if (changed) via[i][j] = t + 1;
      }
    d = next;
  }
  EXPECT_EQ(g.ColWidthMax, static_cast<double>(widest));
}

// ---- Maximal flow ----

TEST_F(NetworkOutputTest, MaximalFlowSummary) {
  Open(4, 4, FlowExample());
  EXPECT_EQ(scr5().Combo1.ListCount(), 2);
  EXPECT_FALSE(grid().Visible());
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(scr5().Label1.Caption(), "MAXIMUM FLOWS");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), 1 + 2 + 4);
  EXPECT_EQ(grid().FixedCols, 2);
  EXPECT_EQ(GridRow(0, 2, 2), Row{"Maximum flow in network = 5.00    ( 4 iterations)"});
  EXPECT_EQ(grid().MergedRange(0, 3), (CellRange{0, 2, 0, 5}));
  EXPECT_EQ(grid().BackOf(0, 2), kYellow);
  EXPECT_EQ(grid().BackOf(0, 0), kCyan);
  EXPECT_EQ(GridRow(1, 0, 5), (Row{"", "", "N1", "N2", "N3", "N4"}));
  EXPECT_EQ(GridRow(3, 0, 5), (Row{"N1", "", "", "3.00", "2.00", "0.00"}));
  EXPECT_EQ(GridRow(4, 0, 5), (Row{"N2", "", "0.00", "", "1.00", "2.00"}));

  // Flow that must come back over an arc whose reverse cell is empty.
  Open(4, 4, {{1, 2, 1}, {1, 3, 1}, {2, 3, 1}, {2, 4, 1}, {3, 4, 1}});
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(GridRow(0, 2, 2), Row{"Maximum flow in network = 2.00    ( 3 iterations)"});

  // A path of "infinity" arcs only: the flow is unbounded, and so is the flow over that path;
  // in the iterations the passes end with the breakthrough that says so.
  Open(4, 3, {{1, 2, 999999}, {2, 3, 999999}, {1, 3, 4}});
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(GridRow(0, 2, 2), Row{"Maximum flow in network = infinity    ( 1 iterations)"});
  EXPECT_EQ(GridRow(3, 2, 4), (Row{"", "infinity", "0.00"}));
  EXPECT_EQ(GridRow(4, 2, 4), (Row{"0.00", "", "infinity"}));
  scr5().Combo1.PerformChoose(1);
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  ExpectMessage("Breakthrough flow is infinity -- Maximum flow is unbounded (algorithm ends at iteration 2)",
                msg::Information, "Last Iteration");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(GridRow(7, 2, 2), Row{"Iteration 2:      Breakthrough flow = infinity"});
  EXPECT_EQ(GridRow(8, 2, 2), Row{"(1)[0,--]-(2)[infinity,1]-(3)[infinity,2]"});
}

// A title band as wide as its text, however few node columns it spans.
TEST_F(NetworkOutputTest, MaximalFlowBandsFitTheirTexts) {
  auto bandFits = [this](int row, double points) {
    Scr5 &f = scr5();
    const double size = f.FontSize();
    f.SetFontSize(points);
    const double text = f.TextWidth(grid().TextMatrix(row, 2));
    f.SetFontSize(size);
    int band = 0;
    const CellRange merged = grid().MergedRange(row, 2);
    for (int c = merged.col1; c <= merged.col2; ++c)
      band += grid().ColWidthOf(c);
    return band >= text;
  };
  Open(4, 3, {{2, 3, 1}});
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(GridRow(0, 2, 2), Row{"Maximum flow in network = 0.00    ( 1 iterations)"});
  EXPECT_TRUE(bandFits(0, 9));
  EXPECT_LE(grid().Left() + grid().Width(), ScreenWidth());
  Open(4, 3, {{1, 2, 1}, {2, 3, 1}});
  scr5().Combo1.PerformChoose(1);
  NetworkNextIteration();
  EXPECT_EQ(GridRow(7, 2, 2), Row{"Iteration 2:      Breakthrough flow = 1.00"});
  EXPECT_TRUE(bandFits(7, 9));
  // In the widest fixed format on the small screen the node and name columns keep to their
  // texts, and the grid shows the flows of more than one node.
  Forms::Clear();
  UseScreen(12000, 9000);
  g.NumDigitsN = g.NumDigitsD = 15;
  Open(4, 12, {{1, 2, 1}, {2, 12, 1}}, false, {"Source"});
  scr5().Combo1.PerformChoose(0);
  EXPECT_LT(grid().ColWidthOf(0) + grid().ColWidthOf(1), grid().ColWidthOf(2));
  EXPECT_GE(grid().ViewWidth() - grid().ColWidthOf(0) - grid().ColWidthOf(1), 1.5 * grid().ColWidthOf(2));
  EXPECT_EQ(CutCells(grid()), std::vector<std::string>{});
}

TEST_F(NetworkOutputTest, MaximalFlowIterationsBlockByBlock) {
  Open(4, 4, FlowExample(), false, {"Source"});
  scr5().Combo1.PerformChoose(1);
  const int n = 4, block = n + 4;
  EXPECT_TRUE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), block);
  EXPECT_EQ(GridRow(0, 2, 2), Row{"Iteration 1"});
  EXPECT_EQ(grid().BackOf(0, 1), kYellow);
  EXPECT_EQ(GridRow(1, 1, 2), (Row{"", "Starting Flow Matrix"}));
  EXPECT_EQ(GridRow(3, 0, 2), (Row{"", "", "Source"}));
  EXPECT_EQ(GridRow(4, 0, 5), (Row{"N1", "Source", "", "3.00", "2.00", "0.00"}));
  EXPECT_EQ(GridRow(5, 2, 5), (Row{"0.00", "", "1.00", "2.00"})); // empty cells start at 0

  NetworkNextIteration();
  EXPECT_EQ(grid().Rows(), 2 * block);
  EXPECT_EQ(GridRow(block, 2, 2), Row{"Iteration 2:      Breakthrough flow = 2.00"});
  EXPECT_EQ(GridRow(block + 1, 1, 2), (Row{"Labels: ", "(1)[0,--]-(2)[3.00,1]-(4)[2.00,2]"}));
  EXPECT_EQ(grid().BackOf(4, 3), kRed);             // arc 1-2 in the block above
  EXPECT_EQ(grid().BackOf(5, 5), kRed);             // arc 2-4
  EXPECT_EQ(GridRow(block + 5, 2, 2), Row{"2.00"}); // 2-1 gained the flow
  NetworkNextIteration();
  NetworkNextIteration();
  script.AnswerMsgBox(msg::OK);
  NetworkNextIteration();
  ExpectMessage("No more breakthroughs -- Algorithm ends at iteration 4", msg::Information, "Last Iteration");
  EXPECT_FALSE(StepsEnabled());
  EXPECT_EQ(grid().Rows(), 4 * block);

  scr5().Combo1.PerformChoose(1);
  script.AnswerMsgBox(msg::OK);
  NetworkAllIterations();
  ExpectMessage("No more breakthroughs -- Algorithm end at iteration 4", msg::OKOnly, "Last iteration");
  EXPECT_EQ(grid().Rows(), 4 * block);
}

} // namespace
} // namespace quon::testing
