// The project schedule against longest paths from the graph library (shortest paths on negated
// durations over a topological order), on seeded random networks with one start and one end;
// the critical marks of the schedule grid and of the printed schedule against the same floats;
// times and floats at the widest fixed format against the exact decimals of the reference.
#include <gtest/gtest.h>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dag_shortest_paths.hpp>
#include <boost/graph/topological_sort.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "platform/values.h"
#include "project/bar_chart.h"
#include "project/project_fixture.h"
#include "project/project_schedule.h"

namespace quon {
namespace {

using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                    boost::property<boost::edge_weight_t, double>>;

struct Activity {
  int from, to;
  double a, m, b; // CPM uses m
};

struct Network {
  int nodes = 0;
  std::vector<Activity> acts;
};

std::string Text(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

double Typed(double v) {
  return std::stod(Text(v));
}

// The text Fixed 15/15 must show for a time or float of whole cents: its own two decimals,
// then zeros.
std::string WidestText(double v) {
  const long long cents = std::llabs(std::llround(v * 100));
  const std::string c = std::to_string(cents % 100);
  return std::string(std::llround(v * 100) < 0 ? "-" : "") + std::to_string(cents / 100) + "." +
         (c.size() < 2 ? "0" : "") + c + std::string(13, '0');
}

constexpr const char *kWidest = "##############0.000000000000000";

// A random acyclic network: nodes in a random numbering (with an unused number now and then),
// every node but the first in topological order has a predecessor earlier in it and every node
// but the last a successor later, so there is one start and one end; durations with two
// decimals, some of them zero.
Network RandomNetwork(std::mt19937 &rng) {
  const int m = std::uniform_int_distribution<int>(2, 40)(rng);
  const int gaps = std::uniform_int_distribution<int>(0, 3)(rng);
  std::vector<int> number(m + gaps);
  std::iota(number.begin(), number.end(), 1);
  std::shuffle(number.begin(), number.end(), rng);
  number.resize(m);
  Network net;
  net.nodes = *std::max_element(number.begin(), number.end());
  std::set<std::pair<int, int>> used;
  std::uniform_real_distribution<double> dur(0, 10);
  auto add = [&](int u, int v) {
    if (!used.insert({u, v}).second) return;
    double x[3] = {Typed(dur(rng)), Typed(dur(rng)), Typed(dur(rng))};
    if (rng() % 8 == 0) x[0] = x[1] = x[2] = 0;
    std::sort(x, x + 3);
    net.acts.push_back({number[u], number[v], x[0], x[1], x[2]});
  };
  for (int v = 1; v < m; ++v)
    add(std::uniform_int_distribution<int>(0, v - 1)(rng), v);
  for (int u = 0; u < m - 1; ++u)
    add(u, std::uniform_int_distribution<int>(u + 1, m - 1)(rng));
  const int extra = std::uniform_int_distribution<int>(0, 2 * m)(rng);
  for (int e = 0; e < extra; ++e) {
    int u = std::uniform_int_distribution<int>(0, m - 1)(rng);
    int v = std::uniform_int_distribution<int>(0, m - 1)(rng);
    if (u == v) continue;
    if (u > v) std::swap(u, v);
    add(u, v);
  }
  std::shuffle(net.acts.begin(), net.acts.end(), rng);
  return net;
}

void Load(const Network &net, int method) {
  std::vector<test::ActivityRow> rows;
  for (const Activity &a : net.acts) {
    test::ActivityRow row{std::to_string(a.from), std::to_string(a.to), "S"};
    if (method == 1) {
      row.push_back(Text(a.m));
    } else {
      row.insert(row.end(), {Text(a.a), Text(a.m), Text(a.b)});
    }
    rows.push_back(row);
  }
  test::LoadProject(method, rows);
}

double Duration(const Activity &a, int method) {
  return method == 1 ? a.m : (a.a + 4 * a.m + a.b) / 6;
}

// Longest path lengths from `source` over the given arcs (node numbers as vertices); -inf where
// unreachable.
std::vector<double> LongestFrom(int nodes, const std::vector<std::pair<int, int>> &arcs,
                                const std::vector<double> &len, int source) {
  Graph graph(nodes + 1);
  for (std::size_t e = 0; e < arcs.size(); ++e)
    boost::add_edge(arcs[e].first, arcs[e].second, -len[e], graph);
  std::vector<double> dist(nodes + 1);
  boost::dag_shortest_paths(graph, source, boost::distance_map(dist.data()));
  for (double &d : dist)
    d = d == std::numeric_limits<double>::max() ? -std::numeric_limits<double>::infinity() : -d;
  return dist;
}

struct Reference {
  std::vector<double> early, late;
  double length = 0;
  int start = 0, end = 0;
};

Reference Solve(const Network &net, int method) {
  std::vector<std::pair<int, int>> fwd, back;
  std::vector<double> len;
  std::vector<char> hasIn(net.nodes + 1), hasOut(net.nodes + 1);
  for (const Activity &a : net.acts) {
    fwd.push_back({a.from, a.to});
    back.push_back({a.to, a.from});
    len.push_back(Duration(a, method));
    hasOut[a.from] = hasIn[a.to] = 1;
  }
  Reference ref;
  for (int k = 1; k <= net.nodes; ++k) {
    if (hasOut[k] && !hasIn[k]) ref.start = k;
    if (hasIn[k] && !hasOut[k]) ref.end = k;
  }
  ref.early = LongestFrom(net.nodes, fwd, len, ref.start);
  ref.length = ref.early[ref.end];
  const std::vector<double> toEnd = LongestFrom(net.nodes, back, len, ref.end);
  ref.late.resize(net.nodes + 1);
  for (int k = 0; k <= net.nodes; ++k)
    ref.late[k] = ref.length - toEnd[k];
  return ref;
}

constexpr double kTol = 1e-9;

TEST(ProjectReference, CPMTimesFloatsAndCriticalActivitiesMatchLongestPaths) {
  std::mt19937 rng(20261209);
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const Network net = RandomNetwork(rng);
    Load(net, 1);
    ASSERT_FALSE(ComputeCPMSchedule());
    const Reference ref = Solve(net, 1);
    EXPECT_NEAR(ProjectLength(), ref.length, kTol);
    for (const Activity &a : net.acts)
      for (int k : {a.from, a.to}) {
        ASSERT_NEAR(EarliestTime(k), ref.early[k], kTol) << "node " << k;
        ASSERT_NEAR(LatestTime(k), ref.late[k], kTol) << "node " << k;
        EXPECT_EQ(Format(g.EarlyTime(k), kWidest), WidestText(ref.early[k])) << "node " << k;
        EXPECT_EQ(Format(g.LateTime(k), kWidest), WidestText(ref.late[k])) << "node " << k;
      }
    // The schedule grid beside the chart and the printed schedule mark the same activities.
    const std::vector<ScheduleRow> rows = BarChartScheduleRows();
    ASSERT_EQ(rows.size(), net.acts.size());
    g.HeaderText[1] = "Reference";
    RecordingSurface paper;
    PrintProjectOutput(paper);
    std::set<std::string> printedMarks, expectedMarks;
    for (const RecordedOp &op : paper.Texts())
      if (op.text.starts_with("c ")) printedMarks.insert(op.text);
    for (int r = 1; r <= g.ActivityCount; ++r) {
      const Activity &a = net.acts[r - 1];
      const double total = ref.late[a.to] - ref.early[a.from] - a.m;
      const double free = ref.early[a.to] - ref.early[a.from] - a.m;
      EXPECT_EQ(Format(g.ActFloat(r, 1), kWidest), WidestText(total)) << "activity " << r;
      EXPECT_EQ(Format(g.ActFloat(r, 2), kWidest), WidestText(free)) << "activity " << r;
      // Durations have two decimals: a float is either zero or at least 0.01.
      const bool critical = std::fabs(total) < 0.005;
      EXPECT_EQ(IsCriticalActivity(r), critical) << "activity " << r;
      EXPECT_EQ(rows[r - 1].critical, critical) << "activity " << r;
      if (critical) expectedMarks.insert("c " + std::to_string(a.from) + "-" + std::to_string(a.to));
      EXPECT_GE(g.ActFloat(r, 2), 0);
      // The schedule experiment offers whole delays up to the total float and the float itself.
      const std::vector<double> delays = StartDelays(r);
      if (critical) {
        EXPECT_TRUE(delays.empty()) << "activity " << r;
        continue;
      }
      ASSERT_FALSE(delays.empty()) << "activity " << r;
      for (std::size_t k = 0; k < delays.size(); ++k) {
        EXPECT_LE(delays[k], total + 1e-4) << "activity " << r;
        if (k + 1 < delays.size()) {
          EXPECT_EQ(delays[k], static_cast<float>(k)) << "activity " << r;
        }
      }
      EXPECT_NEAR(delays.back(), total, 1e-4) << "activity " << r;
    }
    EXPECT_EQ(printedMarks, expectedMarks);
  }
}

TEST(ProjectReference, PERTMeansAndLongestPathsMatch) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const Network net = RandomNetwork(rng);
    Load(net, 2);
    ASSERT_FALSE(ComputeForwardPass());
    const Reference ref = Solve(net, 2);
    EXPECT_NEAR(ProjectLength(), ref.length, kTol);
    for (int k = 1; k <= net.nodes; ++k) {
      if (!std::isfinite(ref.early[k])) continue; // unused number
      ASSERT_NEAR(EarliestTime(k), ref.early[k], kTol) << "node " << k;
      // The recorded path runs from the start along activities and is a longest one.
      const PertPath path = PertPathTo(k);
      ASSERT_FALSE(path.nodes.empty());
      EXPECT_EQ(path.nodes.front(), ref.start);
      EXPECT_EQ(path.nodes.back(), k);
      double sum = 0, var = 0;
      for (std::size_t i = 0; i + 1 < path.nodes.size(); ++i) {
        auto it = std::find_if(net.acts.begin(), net.acts.end(), [&](const Activity &a) {
          return a.from == path.nodes[i] && a.to == path.nodes[i + 1];
        });
        ASSERT_NE(it, net.acts.end());
        sum += Duration(*it, 2);
        var += (it->b - it->a) * (it->b - it->a) / 36;
      }
      EXPECT_NEAR(sum, ref.early[k], 1e-9 * std::max(1.0, ref.length) + kTol);
      EXPECT_NEAR(path.stdDev, std::sqrt(var), 1e-4 * std::max(1.0, std::sqrt(var)));
    }
  }
}

// A random back arc closes a circuit or not; the graph library's topological sort says which,
// and both forward passes must agree.
TEST(ProjectReference, LoopsAreFoundExactlyWhenTheNetworkHasACircuit) {
  std::mt19937 rng(99);
  int loops = 0;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    Network net = RandomNetwork(rng);
    const Reference ref = Solve(net, 1);
    std::set<std::pair<int, int>> arcs;
    for (const Activity &a : net.acts)
      arcs.insert({a.from, a.to});
    std::vector<int> used;
    for (int k = 1; k <= net.nodes; ++k)
      if (std::isfinite(ref.early[k]) && k != ref.start && k != ref.end) used.push_back(k);
    if (used.size() < 2) continue;
    const int u = used[rng() % used.size()];
    const int v = used[rng() % used.size()];
    if (u == v || arcs.count({u, v}) || arcs.count({v, u})) continue;
    net.acts.insert(net.acts.begin() + static_cast<long>(rng() % (net.acts.size() + 1)), {u, v, 1, 2, 3});

    Graph graph(net.nodes + 1);
    for (const Activity &a : net.acts)
      boost::add_edge(a.from, a.to, 1.0, graph);
    bool circuit = false;
    std::vector<Graph::vertex_descriptor> order;
    try {
      boost::topological_sort(graph, std::back_inserter(order));
    } catch (const boost::not_a_dag &) {
      circuit = true;
    }
    loops += circuit;

    Load(net, 1);
    const auto cpm = ComputeCPMSchedule();
    EXPECT_EQ(cpm.has_value(), circuit);
    EXPECT_EQ(g.ProjStatus, circuit ? 2 : 0);
    Load(net, 2);
    const auto pert = ComputeForwardPass();
    EXPECT_EQ(pert.has_value(), circuit);
  }
  EXPECT_GT(loops, 30);
}

} // namespace
} // namespace quon
