// The network algorithms' final results on a complete network of 100 nodes (the largest the
// input takes): spanning tree, Dijkstra's and Floyd's shortest routes with every route listed,
// and the maximal flow.
#include <benchmark/benchmark.h>

#include <random>

#include "network/network_engine.h"
#include "shell/mod1.h"

namespace {

using namespace quon;

constexpr int kNodes = 100;

void LoadComplete(int subModel) {
  g = Mod1{};
  g.Infinity = 999999;
  g.NodeCount = kNodes;
  g.NetSubModel = static_cast<int16>(subModel);
  ReDimProblemArrays(7);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> value(1, 500);
  for (int i = 1; i <= kNodes; ++i)
    for (int j = 1; j <= kNodes; ++j)
      g.Cost((i - 1) * kNodes + j) = i == j ? 999999.0 : value(rng);
}

void BM_SpanningTree(benchmark::State &state) {
  LoadComplete(1);
  for (auto _ : state) {
    ReDimProblemArrays(71);
    g.FromNode = 1;
    g.TreeCount = 0;
    for (int k = 1; k < kNodes; ++k)
      AddSpanningTreeArc();
    benchmark::DoNotOptimize(g.ZValue);
  }
}
BENCHMARK(BM_SpanningTree)->Unit(benchmark::kMillisecond);

void BM_DijkstraRoutes(benchmark::State &state) {
  LoadComplete(2);
  for (auto _ : state) {
    ReDimProblemArrays(72);
    SolveDijkstra();
    std::size_t chars = 0;
    for (int j = 1; j <= kNodes; ++j)
      chars += DijkstraRouteText(j).size();
    benchmark::DoNotOptimize(chars);
  }
}
BENCHMARK(BM_DijkstraRoutes)->Unit(benchmark::kMillisecond);

void BM_FloydAllRoutes(benchmark::State &state) {
  LoadComplete(3);
  for (auto _ : state) {
    InitFloyd();
    SolveFloyd();
    std::size_t chars = 0;
    for (int i = 1; i <= kNodes; ++i)
      for (int j = 1; j <= kNodes; ++j)
        if (i != j) chars += FloydRouteText(FloydRouteNodes(i, j)).size();
    benchmark::DoNotOptimize(chars);
  }
}
BENCHMARK(BM_FloydAllRoutes)->Unit(benchmark::kMillisecond);

void BM_MaximalFlow(benchmark::State &state) {
  LoadComplete(4);
  for (auto _ : state) {
    InitMaxFlow();
    SolveMaxFlow();
    benchmark::DoNotOptimize(g.NetMatrix(1, 0));
  }
  state.counters["passes"] = static_cast<double>(g.IterCount);
}
BENCHMARK(BM_MaximalFlow)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
