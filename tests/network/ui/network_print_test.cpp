#include <gtest/gtest.h>

#include <algorithm>
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "network/network_fixture.h"
#include "network/print_network_output.h"
#include "network/ui/network_output.h"
#include "network/ui/network_roads.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class NetworkPrintTest : public ScreenTest {
protected:
  // The output screen of the sub-model in the chosen view (1 summary, 2 iterations).
  void Open(int subModel, int option, int n, const std::vector<Arc> &arcs, bool symmetric = false) {
    g.ModelClass = 7;
    g.HeaderText[1] = "Roads";
    LoadNetwork(n, arcs, subModel, symmetric);
    scr5().Show();
    NetworkGoToOutput();
    g.OutputOption = static_cast<int16>(option);
    if (subModel != 1) NetworkOptionChosen();
  }
  void AllIterations() {
    script.AnswerMsgBox(msg::OK);
    NetworkAllIterations();
  }
  // The report as "Write to Printer" sends it.
  void Print() {
    RegisterNetworkRoads();
    SetPrinterForTesting(&paper);
    scr5().cmdWriteToPrinter_Click();
    SetPrinterForTesting(nullptr);
  }
  std::vector<RecordedOp> Texts(int document) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp &op : paper.Texts())
      if (op.document == document && !op.text.empty()) out.push_back(op);
    return out;
  }
  bool Has(int document, const std::string &text) const {
    for (const RecordedOp &op : Texts(document))
      if (op.text == text) return true;
    return false;
  }
  const RecordedOp &Find(int document, const std::string &text) const {
    for (const RecordedOp &op : paper.Ops())
      if (op.kind == DrawKind::Text && op.document == document && op.text == text) return op;
    ADD_FAILURE() << "not printed: " << text;
    static RecordedOp none;
    return none;
  }
  // Two documents: the data with the page heading, the result without it under `title`.
  void ExpectFrame(const std::string &dataTitle, const std::string &title) {
    EXPECT_EQ(paper.DocumentsEnded(), 2);
    EXPECT_TRUE(Has(1, kHeadingSecondLine));
    EXPECT_TRUE(Has(1, dataTitle));
    EXPECT_FALSE(Has(2, kHeadingSecondLine));
    ASSERT_FALSE(Texts(2).empty());
    EXPECT_EQ(Texts(2).front().text, title);
    EXPECT_EQ(Texts(2).front().page, 1);
  }
  double Width(const RecordedOp &op) const { return TableTextExtent(op.font, op.text).width; }
  // Every text of the result document lies above `full` plus one line, later pages start at 2160.
  void ExpectPageBreaks(double full) {
    int pages = 1;
    for (const RecordedOp &op : Texts(2)) {
      EXPECT_LE(op.y1, full + 400) << op.text;
      pages = std::max(pages, op.page);
    }
    EXPECT_GE(pages, 2);
    for (const RecordedOp &op : Texts(2))
      if (op.page == 2) {
        EXPECT_NEAR(op.y1, 2160, 20) << op.text;
        break;
      }
  }

  RecordingSurface paper;
};

// Eight nodes in a ring with chords: enough rows to run over a page.
std::vector<Arc> LargeNetwork() {
  std::vector<Arc> arcs;
  for (int i = 1; i <= 8; ++i) {
    arcs.push_back({i, i % 8 + 1, 1.5 + i});
    if (i + 3 <= 8) arcs.push_back({i, i + 3, 7.25});
  }
  return arcs;
}

TEST_F(NetworkPrintTest, SpanningTreePrintsDataThenTheTreeRows) {
  Open(1, 1, 4, RouteExample(), true);
  AllIterations();
  Print();
  ExpectFrame("MINIMAL SPANNING TREE -- ORIGINAL DATA", "MINIMAL SPANNING TREE -- OUTPUT SUMMARY");
  EXPECT_TRUE(Has(1, "infinity")); // nodes 1 and 4 are not joined
  const RecordedOp &length = Find(2, "Updated minimal tree length = 4.00");
  const RecordedOp &last = Find(2, " 3.     Connect N4  to N2:  Length = 2.00");
  EXPECT_EQ(length.x1, kPrintLeft);
  EXPECT_EQ(last.x1, kPrintLeft);
  // One empty line under the length, then a rule 100 twips below the last row.
  EXPECT_GT(Find(2, " 0.     Start at node N1").y1 - length.y1, 1.9 * length.y2 - 1.9 * length.y1);
  EXPECT_EQ(paper.Ops().back().kind, DrawKind::EndDoc);
}

TEST_F(NetworkPrintTest, DijkstraIterationsAreBoldUnderlinedAndBreakPast13600) {
  Open(2, 2, 8, LargeNetwork());
  AllIterations();
  Print();
  ExpectFrame("SHORTEST ROUTE -- ORIGINAL DATA", "SHORTEST ROUTES -- DIJKSTRA'S ITERATIONS");
  const RecordedOp &iteration = Find(2, "Iteration  2");
  EXPECT_TRUE(iteration.font.bold && iteration.font.underline);
  EXPECT_EQ(Find(2, "Status").x1, 5700);
  // The node iteration 1 makes permanent (node 2, label 2.5 from node 1) turns green in that
  // iteration's table and prints bold there, regular in the later ones.
  int boldRows = 0;
  for (const RecordedOp &op : Texts(2))
    if (op.font.bold && !op.font.underline && op.text == "[2.50,    1]") ++boldRows;
  EXPECT_EQ(boldRows, 1);
  EXPECT_TRUE(Find(2, "[2.50,    1]").font.bold);
  ExpectPageBreaks(13600);
}

TEST_F(NetworkPrintTest, DijkstraSummaryRightAlignsDistances) {
  Open(2, 1, 4, RouteExample(), true);
  Print();
  ExpectFrame("SHORTEST ROUTE -- ORIGINAL DATA", "SHORTEST ROUTES -- DIJKSTRA'S OUTPUT SUMMARY");
  const RecordedOp &heading = Find(2, "Distance");
  EXPECT_NEAR(heading.x1 + Width(heading), 2700, 1);
  const RecordedOp &distance = Find(2, "4.00");
  EXPECT_NEAR(distance.x1 + Width(distance), 2700, 1);
  const RecordedOp &route = Find(2, " 1 - 3 - 2 - 4");
  EXPECT_EQ(route.x1, 3200);
  EXPECT_EQ(route.y1, distance.y1);
}

TEST_F(NetworkPrintTest, FloydIterationsPrintBothArraysOfEveryPass) {
  Open(3, 2, 4, {{1, 2, 3}, {2, 3, 1}, {3, 4, 2}});
  AllIterations();
  Print();
  ExpectFrame("SHORTEST ROUTE -- ORIGINAL DATA", "SHORTEST ROUTES -- FLOYD'S ITERATIONS");
  for (int k = 0; k <= 4; ++k) {
    EXPECT_TRUE(Find(2, "Iteration " + std::to_string(k)).font.bold) << k;
    EXPECT_TRUE(Has(2, "Array D" + std::to_string(k))) << k;
    EXPECT_TRUE(Has(2, "Array S" + std::to_string(k))) << k;
  }
  EXPECT_FALSE(Has(2, "Iteration 5"));
  // A one-way chain: nothing leads back, so "infinity" stays in the last D; 1 to 4 is 6.
  EXPECT_TRUE(Has(2, "infinity"));
  EXPECT_TRUE(Has(2, "6.00"));
}

TEST_F(NetworkPrintTest, FloydSummaryListsRoutesAndBreaksPast13600) {
  Open(3, 1, 8, LargeNetwork());
  FloydListAllRoutes();
  Print();
  ExpectFrame("SHORTEST ROUTE -- ORIGINAL DATA", "SHORTEST ROUTES -- FLOYD'S OUTPUT SUMMARY");
  const RecordedOp &route = Find(2, "1- 2");
  EXPECT_EQ(route.x1, 4700);
  EXPECT_EQ(Find(2, " To").x1, 2200);
  ExpectPageBreaks(13600);
}

// A one-way chain of 100 nodes: the routes to the far end are too long for one line. Each
// continues on indented lines inside the page, and the lines together are the whole route.
TEST_F(NetworkPrintTest, LongRoutesContinueOnIndentedLines) {
  std::vector<Arc> chain;
  for (int i = 1; i < 100; ++i)
    chain.push_back({i, i + 1, 1});
  for (const int subModel : {2, 3}) {
    SCOPED_TRACE(subModel);
    paper.Reset();
    Open(subModel, 1, 100, chain);
    if (subModel == 3) FloydListAllRoutes();
    Print();
    const double x = subModel == 2 ? 3200 : 4700;
    const int column = subModel == 2 ? 3 : 4;
    std::vector<std::string> printed;
    int continued = 0;
    for (const RecordedOp &op : Texts(2)) {
      EXPECT_LE(op.x2, kPrintRight) << op.text;
      if (op.x1 == x && op.text != "Route") printed.push_back(op.text);
      if (op.x1 > x && op.x1 < x + 500 && !printed.empty()) {
        EXPECT_EQ(op.x1, x + 300) << op.text;
        printed.back() += " " + op.text;
        ++continued;
      }
    }
    EXPECT_GT(continued, 10);
    auto squeezed = [](std::string text) {
      text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
      return text;
    };
    std::vector<std::string> routes;
    const Grid &grid = scr5().outputGrid;
    for (int r = 1; r < grid.Rows(); ++r)
      if (!grid.TextMatrix(r, column).empty()) routes.push_back(squeezed(grid.TextMatrix(r, column)));
    ASSERT_EQ(printed.size(), routes.size());
    for (std::size_t k = 0; k < routes.size(); ++k)
      EXPECT_EQ(squeezed(printed[k]), routes[k]);
  }
}

TEST_F(NetworkPrintTest, MaxFlowIterationsSplitALongLabelLine) {
  // A chain of 16 nodes: the one breakthrough labels every node on one long line.
  std::vector<Arc> chain;
  for (int i = 1; i < 16; ++i)
    chain.push_back({i, i + 1, 10.0 + i});
  Open(4, 2, 16, chain);
  AllIterations();
  Print();
  ExpectFrame("MAXIMUM FLOW -- ORIGINAL DATA", "MAXIMUM FLOW -- ITERATIONS");
  EXPECT_TRUE(Has(1, "-infinity"));
  EXPECT_TRUE(Has(2, "Starting Flow Matrix"));
  std::vector<RecordedOp> labelLines;
  const std::vector<RecordedOp> texts = Texts(2);
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (texts[i].text.rfind("Labels: ", 0) == 0) {
      labelLines.push_back(texts[i]);
      ASSERT_LT(i + 1, texts.size());
      labelLines.push_back(texts[i + 1]);
    }
  ASSERT_EQ(labelLines.size(), 2u);
  const std::string first = labelLines[0].text, rest = labelLines[1].text;
  EXPECT_EQ(first.back(), ']');
  EXPECT_GE(first.size(), 110u);
  EXPECT_EQ(first.find(']', 109), first.size() - 1); // split at the first "]" from 110 on
  EXPECT_EQ(rest.front(), '-');
  EXPECT_EQ(labelLines[1].x1, kPrintLeft + 475);
  EXPECT_TRUE(Find(2, "Iteration 2:      Breakthrough flow = 11.00").font.bold);
}

TEST_F(NetworkPrintTest, MaxFlowSummaryKeepsItsWording) {
  Open(4, 1, 4, FlowExample());
  Print();
  ExpectFrame("MAXIMUM FLOW -- ORIGINAL DATA", "MAXIMUM FLOW -- OUTPUT SUMMARY");
  EXPECT_TRUE(Has(2, "Maximum flow in network =5.00  (solution completed in  4 itertions)"));
}

// At the widest fixed format a length typed 9268.95 and the route sum 109633.98 show their own
// digits on the screen and on paper in every network model, iterations included.
TEST_F(NetworkPrintTest, TheWidestFormatShowsTypedDecimalsAsTyped) {
  const std::vector<Arc> arcs = {{1, 2, 9268.95}, {2, 3, 100365.03}};
  const std::string typed = "9268.950000000000000", sum = "109633.980000000000000";
  auto widest = [] {
    g.NumFormatType = 1;
    g.NumDigitsN = 15;
    g.NumDigitsD = 15;
  };
  auto shown = [](const std::string &text) {
    const Grid &grid = scr5().outputGrid;
    for (int r = 0; r < grid.Rows(); ++r)
      for (int c = 0; c < grid.Cols(); ++c)
        if (grid.TextMatrix(r, c).find(text) != std::string::npos) return true;
    return false;
  };
  auto printed = [this](const std::string &text) {
    for (const RecordedOp &op : Texts(2))
      if (op.text.find(text) != std::string::npos) return true;
    return false;
  };
  struct View {
    int subModel, option;
    std::string first, second; // on screen and on paper
  };
  for (const View &v : {View{1, 1, typed, sum}, View{2, 1, sum, sum}, View{2, 2, typed, sum}, View{3, 2, typed, sum},
                        View{4, 1, typed, typed}, View{4, 2, typed, typed}}) {
    SCOPED_TRACE(std::to_string(v.subModel) + "/" + std::to_string(v.option));
    paper = RecordingSurface{};
    widest();
    Open(v.subModel, v.option, 3, arcs, v.subModel == 1);
    widest();
    AllIterations();
    EXPECT_TRUE(shown(v.first));
    EXPECT_TRUE(shown(v.second));
    Print();
    EXPECT_TRUE(printed(v.first));
    EXPECT_TRUE(printed(v.second));
    for (const std::string bad : {"0195", "97656"}) {
      EXPECT_FALSE(shown(bad)) << bad;
      EXPECT_FALSE(printed(bad)) << bad;
    }
  }
}

// The printout of a run of steps closes with the message the run ended with, for every way a
// network run ends, after "Next Iteration" as after "All Iterations"; a run part way and a view
// the run was left for close with none.
TEST_F(NetworkPrintTest, StepPrintoutEndsWithTheRunsVerdict) {
  const std::vector<Arc> apart = {{1, 2, 3}, {1, 3, 1}, {2, 3, 1}}; // node 4 joined to nothing
  struct Run {
    int subModel, n;
    std::vector<Arc> arcs;
    bool symmetric;
    const char *starts; // the message's first words
  };
  const Run runs[] = {{1, 4, RouteExample(), true, "Last row completes minimal spanning tree"},
                      {1, 4, apart, true, "All arcs from from current node have infinite length."},
                      {2, 8, LargeNetwork(), false, "Last iteration provides optimum routes"},
                      {3, 8, LargeNetwork(), false, "Last iteration provides optimum routes"},
                      {4, 4, FlowExample(), false, "No more breakthroughs -- Algorithm end"}};
  auto lastText = [&] {
    const std::vector<RecordedOp> texts = Texts(2);
    return texts.empty() ? RecordedOp{} : texts.back();
  };
  for (const Run &run : runs)
    for (const bool all : {true, false}) {
      SCOPED_TRACE(std::to_string(run.subModel) + (all ? " all" : " next"));
      paper.Reset();
      script.ClearRecord();
      Open(run.subModel, 2, run.n, run.arcs, run.symmetric);
      script.AnswerMsgBox(msg::OK);
      if (all)
        NetworkAllIterations();
      else
        for (int k = 0; k < 100 && scr5().cmdNextIter.Enabled(); ++k)
          NetworkNextIteration();
      ASSERT_TRUE(script.Done());
      const auto boxes = script.MessageBoxes();
      ASSERT_EQ(boxes.size(), 1u);
      const std::string verdict = boxes.back().text;
      EXPECT_EQ(verdict.rfind(run.starts, 0), 0u) << verdict;
      Print();
      const RecordedOp last = lastText();
      EXPECT_EQ(last.text, verdict);
      EXPECT_LE(last.x2, kPrintRight);
      for (const RecordedOp &op : Texts(2))
        EXPECT_TRUE(op.page < last.page || op.y1 < last.y1 || op.text == verdict) << op.text;

      // The view left for another: the spanning tree started again, the others' summaries.
      paper.Reset();
      if (run.subModel == 1) {
        scr5().Combo2.SetListIndex(1);
        MSTStartNodeChosen();
      } else {
        g.OutputOption = 1;
        NetworkOptionChosen();
      }
      Print();
      EXPECT_NE(lastText().text, verdict);
    }
  // Part way, nothing is said about an end.
  paper.Reset();
  Open(3, 2, 4, RouteExample(), true);
  NetworkNextIteration();
  Print();
  EXPECT_EQ(lastText().text.find("optimum"), std::string::npos) << lastText().text;
}

// Printing reloads the displayed (rounded) matrices; the steps must go on from the exact ones.
TEST_F(NetworkPrintTest, PrintingLeavesTheStepStateAsItWas) {
  const std::vector<Arc> arcs = {{1, 2, 1.004}, {2, 3, 1.004}, {1, 3, 2.009}, {3, 4, 0.333}, {2, 4, 1.3371}};
  for (const int subModel : {3, 4}) {
    SCOPED_TRACE(subModel);
    auto run = [&](bool print) {
      Open(subModel, 2, 4, arcs);
      NetworkNextIteration();
      if (print) {
        const BArray<double> d = g.NetMatrix;
        const BArray<int16> s = g.NetMatrix2;
        Print();
        EXPECT_TRUE(std::equal(d.Raw(), d.Raw() + d.Size(), g.NetMatrix.Raw()));
        EXPECT_TRUE(std::equal(s.Raw(), s.Raw() + s.Size(), g.NetMatrix2.Raw()));
      }
      NetworkNextIteration();
      std::vector<std::string> cells;
      for (int r = 0; r < scr5().outputGrid.Rows(); ++r)
        for (int c = 0; c < scr5().outputGrid.Cols(); ++c)
          cells.push_back(scr5().outputGrid.TextMatrix(r, c));
      return std::make_pair(cells, std::vector<double>(g.NetMatrix.Raw(), g.NetMatrix.Raw() + g.NetMatrix.Size()));
    };
    const auto plain = run(false);
    const auto printed = run(true);
    EXPECT_EQ(printed.first, plain.first);
    EXPECT_EQ(printed.second, plain.second);
    paper.Reset();
  }
}

// Seeded networks with arcs typed "infinity", in every model and view, at the default, the widest
// fixed and the widest scientific format. The results agree with references: Floyd-Warshall
// over the other arcs for the routes and the tree (found by brute force over its growth), and
// push-relabel for the flow, "infinity" counting for more than all other capacities together,
// so that the flow is unbounded exactly where the reference exceeds them. No text on the screen,
// in a message or on paper holds a number made from the 999999 that stands for "infinity".
TEST_F(NetworkPrintTest, InfinityArcsAgreeWithReferencesAndNeverShowAsNumbers) {
  using Traits = boost::adjacency_list_traits<boost::vecS, boost::vecS, boost::directedS>;
  using FlowGraph = boost::adjacency_list<
      boost::vecS, boost::vecS, boost::directedS, boost::no_property,
      boost::property<boost::edge_capacity_t, long,
                      boost::property<boost::edge_residual_capacity_t, long,
                                      boost::property<boost::edge_reverse_t, Traits::edge_descriptor>>>>;
  constexpr long kNone = 1L << 40;
  std::mt19937 rng(2611);
  for (int round = 0; round < 45; ++round) {
    const int n = std::uniform_int_distribution<int>(2, 7)(rng);
    std::vector<Arc> arcs;
    std::bernoulli_distribution present(0.55), unlimited(0.3);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        if (i != j && present(rng))
          arcs.push_back({i, j, unlimited(rng) ? 999999.0 : static_cast<double>(std::uniform_int_distribution<int>(0, 20)(rng))});
    auto format = [round] {
      g.NumFormatType = static_cast<int16>(round % 3 == 2 ? 2 : 1);
      g.NumDigitsN = static_cast<int16>(round % 3 == 0 ? 5 : 15);
      g.NumDigitsD = static_cast<int16>(round % 3 == 0 ? 2 : 15);
    };
    auto run = [&](int subModel, int option, bool symmetric, bool listRoutes = false) {
      paper = RecordingSurface{};
      script.ClearRecord();
      format();
      Open(subModel, option, n, arcs, symmetric);
      format();
      if (subModel == 1 || option == 2) {
        if (subModel != 1) NetworkOptionChosen();
        AllIterations();
      } else if (listRoutes) {
        FloydListAllRoutes();
      } else {
        NetworkOptionChosen();
      }
      Print();
      std::vector<std::string> texts;
      const Grid &grid = scr5().outputGrid;
      for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
          texts.push_back(grid.TextMatrix(r, c));
      for (const auto &box : script.MessageBoxes())
        texts.push_back(box.text);
      for (const RecordedOp &op : paper.Texts())
        texts.push_back(op.text);
      for (const std::string &t : texts)
        for (std::size_t i = 0; i < t.size();) {
          // Every number in the text, read from its first digit on.
          if (!std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            continue;
          }
          char *end = nullptr;
          const double value = std::strtod(t.c_str() + i, &end);
          ASSERT_LT(std::fabs(value), 1e5) << "round " << round << " model " << subModel << "/" << option << ": " << t;
          i = static_cast<std::size_t>(end - t.c_str());
        }
    };
    const std::string where = "round " + std::to_string(round);

    // Shortest distances over the arcs of a number.
    std::vector<std::vector<long>> d(static_cast<std::size_t>(n) + 1, std::vector<long>(static_cast<std::size_t>(n) + 1, kNone));
    for (const Arc &a : arcs)
      if (a.value != 999999) d[a.from][a.to] = std::min(d[a.from][a.to], std::lround(a.value));
    for (int k = 1; k <= n; ++k)
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
          if (d[i][k] < kNone && d[k][j] < kNone) d[i][j] = std::min(d[i][j], d[i][k] + d[k][j]);
    auto distance = [&](const std::string &text, long want) {
      if (want == kNone)
        EXPECT_EQ(Trim(text), "infinity") << where;
      else
        EXPECT_EQ(Val(text), want) << where;
    };
    run(2, 1, false);
    for (int j = 2; j <= n; ++j)
      distance(scr5().outputGrid.TextMatrix(j, 1), d[1][j]);
    run(2, 2, false);
    run(3, 1, false, true);
    for (int r = 1; r < scr5().outputGrid.Rows(); ++r) {
      const Grid &grid = scr5().outputGrid;
      distance(grid.TextMatrix(r, 2), d[static_cast<std::size_t>(Val(grid.TextMatrix(r, 0)))][static_cast<std::size_t>(Val(grid.TextMatrix(r, 1)))]);
    }
    run(3, 2, false);

    // The tree from node 1 over the arcs of a number, both ways: Prim's growth by brute force.
    run(1, 1, true);
    std::vector<long> arcOf((static_cast<std::size_t>(n) + 1) * (static_cast<std::size_t>(n) + 1), kNone);
    // The symmetric input keeps the value given last for either direction.
    for (const Arc &a : arcs)
      for (auto [u, v] : {std::pair{a.from, a.to}, std::pair{a.to, a.from}})
        arcOf[static_cast<std::size_t>(u * (n + 1) + v)] = a.value == 999999 ? kNone : std::lround(a.value);
    std::vector<char> in(static_cast<std::size_t>(n) + 1, 0);
    in[1] = 1;
    long length = 0;
    bool spans = true;
    for (int k = 1; k < n && spans; ++k) {
      long best = kNone;
      int join = 0;
      for (int u = 1; u <= n; ++u)
        for (int v = 1; v <= n; ++v)
          if (in[u] && !in[v] && arcOf[static_cast<std::size_t>(u * (n + 1) + v)] < best) {
            best = arcOf[static_cast<std::size_t>(u * (n + 1) + v)];
            join = v;
          }
      spans = join != 0;
      if (spans) {
        in[join] = 1;
        length += best;
      }
    }
    if (spans)
      EXPECT_EQ(Val(scr5().outputGrid.TextMatrix(0, 0).substr(30)), length) << where;
    else
      EXPECT_EQ(script.MessageBoxes().front().title, "Input data error") << where;

    // The flow, "infinity" as one more than all the other capacities.
    long finite = 1;
    for (const Arc &a : arcs)
      if (a.value != 999999) finite += std::lround(a.value);
    FlowGraph graph(static_cast<std::size_t>(n));
    auto capacity = boost::get(boost::edge_capacity, graph);
    auto reverse = boost::get(boost::edge_reverse, graph);
    for (const Arc &a : arcs) {
      auto e = boost::add_edge(a.from - 1, a.to - 1, graph).first;
      auto r = boost::add_edge(a.to - 1, a.from - 1, graph).first;
      capacity[e] = a.value == 999999 ? finite : std::lround(a.value);
      capacity[r] = 0;
      reverse[e] = r;
      reverse[r] = e;
    }
    const long flow = boost::push_relabel_max_flow(graph, 0, n - 1);
    const bool unbounded = flow >= finite;
    run(4, 1, false);
    const std::string title = scr5().outputGrid.TextMatrix(0, 2);
    if (unbounded)
      EXPECT_EQ(title.substr(0, 35), "Maximum flow in network = infinity ") << where;
    else
      EXPECT_EQ(Val(title.substr(26)), flow) << where << ": " << title;
    run(4, 2, false);
    ASSERT_EQ(script.MessageBoxes().size(), 1u) << where;
    EXPECT_EQ(script.MessageBoxes().front().text.rfind(unbounded ? "Breakthrough flow is infinity" : "No more", 0), 0u)
        << where;
  }
}

} // namespace
} // namespace quon::testing
