// The network engines against Boost Graph on seeded random networks of non-negative arc
// values, whole numbers or amounts in cents: spanning tree length, every shortest distance,
// the maximal flow value, each shown at the widest fixed format as the exact decimal of the
// reference; and the routes and flows the engines leave are checked for what they must be
// (route lengths add up to the distances, flows keep capacities and are conserved). Maximal
// flows and routes of tens of millions keep their cents: only an arc of 999999 is none.
#include <gtest/gtest.h>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>
#include <boost/graph/kruskal_min_spanning_tree.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "network/network_engine.h"
#include "network/network_fixture.h"
#include "platform/values.h"

namespace quon::testing {
namespace {

using WeightedGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                            boost::property<boost::edge_weight_t, long>>;
using UndirectedGraph =
    boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                          boost::property<boost::edge_weight_t, long>>;

// The two digits after the point of an amount in cents.
std::string Cents(long cents) {
  const long c = std::labs(cents) % 100;
  return std::string(c < 10 ? "0" : "") + std::to_string(c);
}

struct RandomNetwork {
  int n = 0;
  std::vector<Arc> arcs;
};

// Sizes 2 to 14, sparse to complete. Every other network has values 0 to 20 (zero-length arcs
// and ties included), the others amounts up to 9999.99 typed with two decimals, which no
// binary fraction holds exactly; `large` ones amounts up to 99999999.99 (never 999999, the
// stand-in for "infinity"), whose totals pass 2^24 with their cents.
RandomNetwork MakeNetwork(std::mt19937 &rng, bool symmetric, int round, bool large = false) {
  RandomNetwork net;
  net.n = std::uniform_int_distribution<int>(2, 14)(rng);
  const double density = std::uniform_real_distribution<double>(0.15, 1.0)(rng);
  const bool cents = round % 2 == 1;
  std::uniform_int_distribution<long> value(0, !cents ? 20 : large ? 9999999999 : 999999);
  std::bernoulli_distribution present(density);
  for (int i = 1; i <= net.n; ++i)
    for (int j = symmetric ? i + 1 : 1; j <= net.n; ++j)
      if (i != j && present(rng)) {
        long v = value(rng);
        if (v == 99999900) ++v;
        net.arcs.push_back({i, j, cents ? Val(std::to_string(v / 100) + "." + Cents(v)) : static_cast<double>(v)});
      }
  return net;
}

// The arc value in cents, for the exact sums of the references.
long InCents(double v) { return std::lround(v * 100); }

// The text Fixed 15/15 must show for an exact amount in cents: its own digits, then zeros.
std::string WidestText(long cents) {
  const std::string sign = cents < 0 ? "-" : "";
  cents = std::labs(cents);
  return sign + std::to_string(cents / 100) + "." + Cents(cents) + std::string(13, '0');
}

constexpr const char *kWidest = "##############0.000000000000000";

constexpr long kUnreachable = 1L << 40;

std::vector<long> BoostDistances(const RandomNetwork &net, int source) {
  WeightedGraph graph(static_cast<std::size_t>(net.n));
  for (const Arc &a : net.arcs)
    boost::add_edge(a.from - 1, a.to - 1, InCents(a.value), graph);
  std::vector<long> dist(static_cast<std::size_t>(net.n));
  boost::dijkstra_shortest_paths(
      graph, source - 1, boost::distance_map(dist.data()).distance_inf(kUnreachable).distance_zero(0L));
  return dist;
}

TEST(NetworkReference, SpanningTreeLengthAgreesWithKruskal) {
  std::mt19937 rng(1201);
  for (int round = 0; round < 600; ++round) {
    g = Mod1{};
    const RandomNetwork net = MakeNetwork(rng, true, round, round % 4 == 3);
    LoadNetwork(net.n, net.arcs, 1, true);
    ReDimProblemArrays(ArrayKind::SpanningTree);
    UndirectedGraph graph(static_cast<std::size_t>(net.n));
    for (const Arc &a : net.arcs)
      boost::add_edge(a.from - 1, a.to - 1, InCents(a.value), graph);
    std::vector<boost::graph_traits<UndirectedGraph>::edge_descriptor> tree;
    boost::kruskal_minimum_spanning_tree(graph, std::back_inserter(tree));
    long length = 0;
    for (const auto &e : tree)
      length += boost::get(boost::edge_weight, graph, e);
    const bool connected = static_cast<int>(tree.size()) == net.n - 1;

    g.FromNode = static_cast<int16>(std::uniform_int_distribution<int>(1, net.n)(rng));
    g.TreeCount = 0;
    bool grown = true;
    for (int k = 1; k < net.n && grown; ++k)
      grown = AddSpanningTreeArc().has_value();
    ASSERT_EQ(grown, connected) << "round " << round;
    if (!connected) {
      EXPECT_EQ(g.TreeCount, 0);
      continue;
    }
    EXPECT_EQ(g.TreeCount, net.n);
    EXPECT_EQ(Format(g.ZValue, kWidest), WidestText(length)) << "round " << round;
  }
}

TEST(NetworkReference, DijkstraAndFloydDistancesAgreeWithBoost) {
  std::mt19937 rng(1203);
  for (int round = 0; round < 400; ++round) {
    g = Mod1{};
    const RandomNetwork net = MakeNetwork(rng, false, round, round % 4 == 3);
    const int n = net.n;
    LoadNetwork(n, net.arcs, 2);
    ReDimProblemArrays(ArrayKind::Dijkstra);
    SolveDijkstra();
    std::vector<std::vector<long>> dist(static_cast<std::size_t>(n) + 1);
    for (int s = 1; s <= n; ++s)
      dist[static_cast<std::size_t>(s)] = BoostDistances(net, s);
    for (int j = 2; j <= n; ++j) {
      const long want = dist[1][static_cast<std::size_t>(j - 1)];
      if (want == kUnreachable) {
        EXPECT_TRUE(std::isinf(g.DijkstraDist(j))) << "round " << round << " node " << j;
        continue;
      }
      EXPECT_EQ(Format(g.DijkstraDist(j), kWidest), WidestText(want)) << "round " << round << " node " << j;
      // The route's arcs add up to the distance.
      long along = 0;
      for (int v = j; v != 1; v = std::abs(g.DijkstraPred(v)))
        along += InCents(g.Cost((std::abs(g.DijkstraPred(v)) - 1) * n + v));
      EXPECT_EQ(along, want);
      EXPECT_FALSE(DijkstraRouteText(j).empty());
    }

    g.NetSubModel = 3;
    InitFloyd();
    SolveFloyd();
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        if (i == j) continue;
        const long want = dist[static_cast<std::size_t>(i)][static_cast<std::size_t>(j - 1)];
        if (want == kUnreachable) {
          EXPECT_TRUE(std::isinf(g.NetMatrix(i, j))) << "round " << round << " " << i << "-" << j;
          continue;
        }
        ASSERT_EQ(Format(g.NetMatrix(i, j), kWidest), WidestText(want))
            << "round " << round << " " << i << "-" << j;
        const std::vector<int> route = FloydRouteNodes(i, j);
        ASSERT_GE(route.size(), 2u);
        EXPECT_EQ(route.front(), i);
        EXPECT_EQ(route.back(), j);
        long along = 0;
        for (std::size_t m = 0; m + 1 < route.size(); ++m)
          along += InCents(g.Cost((route[m] - 1) * n + route[m + 1]));
        EXPECT_EQ(along, want);
      }
  }
}

TEST(NetworkReference, MaximalFlowAgreesWithPushRelabel) {
  using Traits = boost::adjacency_list_traits<boost::vecS, boost::vecS, boost::directedS>;
  using FlowGraph = boost::adjacency_list<
      boost::vecS, boost::vecS, boost::directedS, boost::no_property,
      boost::property<boost::edge_capacity_t, long,
                      boost::property<boost::edge_residual_capacity_t, long,
                                      boost::property<boost::edge_reverse_t, Traits::edge_descriptor>>>>;
  std::mt19937 rng(1205);
  for (int round = 0; round < 600; ++round) {
    g = Mod1{};
    RandomNetwork net = MakeNetwork(rng, false, round, round % 4 == 3);
    const int n = net.n;
    LoadNetwork(n, net.arcs, 4);
    FlowGraph graph(static_cast<std::size_t>(n));
    auto capacity = boost::get(boost::edge_capacity, graph);
    auto reverse = boost::get(boost::edge_reverse, graph);
    for (const Arc &a : net.arcs) {
      auto e = boost::add_edge(a.from - 1, a.to - 1, graph).first;
      auto r = boost::add_edge(a.to - 1, a.from - 1, graph).first;
      capacity[e] = InCents(a.value);
      capacity[r] = 0;
      reverse[e] = r;
      reverse[r] = e;
    }
    const long want = boost::push_relabel_max_flow(graph, 0, n - 1);

    // Pass by pass, as the iterations show them: every breakthrough sends whole cents.
    InitMaxFlow();
    int passes = 0;
    for (MaxFlowStep(); g.NetMatrix(0, 0) > 0; MaxFlowStep()) {
      ++passes;
      const double sent = g.NetMatrix(0, 0);
      ASSERT_GE(InCents(sent), 1) << "round " << round << " pass " << passes;
      EXPECT_EQ(Format(sent, kWidest), WidestText(InCents(sent))) << "round " << round << " pass " << passes;
    }
    InitMaxFlow();
    SolveMaxFlow();
    EXPECT_EQ(g.IterCount, passes + 1) << "round " << round;
    ASSERT_EQ(Format(g.NetMatrix(1, 0), kWidest), WidestText(want)) << "round " << round;
    // Flows within the capacities, in whole cents, and conserved at every node but the source
    // and the sink.
    for (int v = 1; v <= n; ++v) {
      long net_out = 0;
      for (int w = 1; w <= n; ++w) {
        if (v == w) continue;
        const double flow = g.NetMatrix(v, w);
        const double cap = g.Cost((v - 1) * n + w);
        EXPECT_GE(flow, 0);
        EXPECT_LE(flow, std::max(cap, 0.0)) << "round " << round << " arc " << v << "-" << w;
        EXPECT_EQ(Format(flow, kWidest), WidestText(InCents(flow))) << "round " << round << " arc " << v << "-" << w;
        net_out += InCents(flow) - InCents(g.NetMatrix(w, v));
      }
      if (v == 1)
        EXPECT_EQ(net_out, want);
      else if (v == n)
        EXPECT_EQ(net_out, -want);
      else
        EXPECT_EQ(net_out, 0) << "round " << round << " node " << v;
    }
  }
}

} // namespace
} // namespace quon::testing
