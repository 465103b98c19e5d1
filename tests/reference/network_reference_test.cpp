// The network engines against Boost Graph on seeded random networks of non-negative integer
// arc values: spanning tree length, every shortest distance, the maximal flow value; and the
// routes and flows the engines leave are checked for what they must be (route lengths add up
// to the distances, flows keep capacities and are conserved).
#include <gtest/gtest.h>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>
#include <boost/graph/kruskal_min_spanning_tree.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>
#include <cmath>
#include <random>
#include <vector>

#include "network/network_engine.h"
#include "network/network_fixture.h"

namespace quon::testing {
namespace {

using WeightedGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                            boost::property<boost::edge_weight_t, long>>;
using UndirectedGraph =
    boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                          boost::property<boost::edge_weight_t, long>>;

struct RandomNetwork {
  int n = 0;
  std::vector<Arc> arcs;
};

// Sizes 2 to 14, sparse to complete, values 0 to 20 (zero-length arcs and ties included).
RandomNetwork MakeNetwork(std::mt19937 &rng, bool symmetric) {
  RandomNetwork net;
  net.n = std::uniform_int_distribution<int>(2, 14)(rng);
  const double density = std::uniform_real_distribution<double>(0.15, 1.0)(rng);
  std::uniform_int_distribution<int> value(0, 20);
  std::bernoulli_distribution present(density);
  for (int i = 1; i <= net.n; ++i)
    for (int j = symmetric ? i + 1 : 1; j <= net.n; ++j)
      if (i != j && present(rng)) net.arcs.push_back({i, j, static_cast<double>(value(rng))});
  return net;
}

constexpr long kUnreachable = 1L << 40;

std::vector<long> BoostDistances(const RandomNetwork &net, int source) {
  WeightedGraph graph(static_cast<std::size_t>(net.n));
  for (const Arc &a : net.arcs)
    boost::add_edge(a.from - 1, a.to - 1, static_cast<long>(a.value), graph);
  std::vector<long> dist(static_cast<std::size_t>(net.n));
  boost::dijkstra_shortest_paths(
      graph, source - 1, boost::distance_map(dist.data()).distance_inf(kUnreachable).distance_zero(0L));
  return dist;
}

TEST(NetworkReference, SpanningTreeLengthAgreesWithKruskal) {
  std::mt19937 rng(1201);
  for (int round = 0; round < 300; ++round) {
    g = Mod1{};
    const RandomNetwork net = MakeNetwork(rng, true);
    LoadNetwork(net.n, net.arcs, 1, true);
    ReDimProblemArrays(ArrayKind::SpanningTree);
    UndirectedGraph graph(static_cast<std::size_t>(net.n));
    for (const Arc &a : net.arcs)
      boost::add_edge(a.from - 1, a.to - 1, static_cast<long>(a.value), graph);
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
    EXPECT_DOUBLE_EQ(g.ZValue, static_cast<double>(length)) << "round " << round;
  }
}

TEST(NetworkReference, DijkstraAndFloydDistancesAgreeWithBoost) {
  std::mt19937 rng(1203);
  for (int round = 0; round < 200; ++round) {
    g = Mod1{};
    const RandomNetwork net = MakeNetwork(rng, false);
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
        EXPECT_FLOAT_EQ(g.DijkstraDist(j), 999999) << "round " << round << " node " << j;
        continue;
      }
      EXPECT_FLOAT_EQ(g.DijkstraDist(j), static_cast<float>(want)) << "round " << round << " node " << j;
      // The route's arcs add up to the distance.
      double along = 0;
      for (int v = j; v != 1; v = std::abs(g.DijkstraPred(v)))
        along += g.Cost((std::abs(g.DijkstraPred(v)) - 1) * n + v);
      EXPECT_DOUBLE_EQ(along, static_cast<double>(want));
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
          EXPECT_FLOAT_EQ(g.NetMatrix(i, j), 999999) << "round " << round << " " << i << "-" << j;
          continue;
        }
        ASSERT_FLOAT_EQ(g.NetMatrix(i, j), static_cast<float>(want))
            << "round " << round << " " << i << "-" << j;
        const std::vector<int> route = FloydRouteNodes(i, j);
        ASSERT_GE(route.size(), 2u);
        EXPECT_EQ(route.front(), i);
        EXPECT_EQ(route.back(), j);
        double along = 0;
        for (std::size_t m = 0; m + 1 < route.size(); ++m)
          along += g.Cost((route[m] - 1) * n + route[m + 1]);
        EXPECT_DOUBLE_EQ(along, static_cast<double>(want));
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
  for (int round = 0; round < 300; ++round) {
    g = Mod1{};
    RandomNetwork net = MakeNetwork(rng, false);
    const int n = net.n;
    LoadNetwork(n, net.arcs, 4);
    FlowGraph graph(static_cast<std::size_t>(n));
    auto capacity = boost::get(boost::edge_capacity, graph);
    auto reverse = boost::get(boost::edge_reverse, graph);
    for (const Arc &a : net.arcs) {
      auto e = boost::add_edge(a.from - 1, a.to - 1, graph).first;
      auto r = boost::add_edge(a.to - 1, a.from - 1, graph).first;
      capacity[e] = static_cast<long>(a.value);
      capacity[r] = 0;
      reverse[e] = r;
      reverse[r] = e;
    }
    const long want = boost::push_relabel_max_flow(graph, 0, n - 1);

    InitMaxFlow();
    SolveMaxFlow();
    ASSERT_FLOAT_EQ(g.NetMatrix(1, 0), static_cast<float>(want)) << "round " << round;
    // Flows within the capacities and conserved at every node but the source and the sink.
    for (int v = 1; v <= n; ++v) {
      double net_out = 0;
      for (int w = 1; w <= n; ++w) {
        if (v == w) continue;
        const double flow = g.NetMatrix(v, w);
        const double cap = g.Cost((v - 1) * n + w);
        EXPECT_GE(flow, 0);
        EXPECT_LE(flow, std::max(cap, 0.0)) << "round " << round << " arc " << v << "-" << w;
        net_out += flow - g.NetMatrix(w, v);
      }
      if (v == 1)
        EXPECT_DOUBLE_EQ(net_out, static_cast<double>(want));
      else if (v == n)
        EXPECT_DOUBLE_EQ(net_out, -static_cast<double>(want));
      else
        EXPECT_DOUBLE_EQ(net_out, 0) << "round " << round << " node " << v;
    }
  }
}

} // namespace
} // namespace quon::testing
