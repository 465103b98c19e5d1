// The queue measures of a comparative analysis at its largest: 100 scenarios of every model
// with system limits of 500 (finite sources of 500 where the model has one), all computed.
#include <benchmark/benchmark.h>

#include "queue/queue_measures.h"

namespace {

using namespace quon;

constexpr int kScenarios = 100;

void LoadScenarios() {
  g = Mod1{};
  gq = QueueState{};
  g.NScen = kScenarios;
  g.QueueData.ReDim(kScenarios, 5);
  g.QueueMeasures.ReDim(kScenarios, 9);
  g.QueuePn.ReDim(MaxPnN + 1);
  g.QueueCumPn.ReDim(MaxPnN + 1);
  for (int s = 1; s <= kScenarios; ++s) {
    const int kind = s % 5;
    const double servers = kind == 3 ? kQueueInfinite : 1 + s % 40;
    const double source = kind == 1 || kind == 4 ? 500 : kQueueInfinite;
    // Loads from light to heavy; finite sources get a per-member rate.
    const double load = 0.2 + 0.02 * s;
    const double lambda = source < kQueueInfinite ? load * servers / 500 : load * (kind == 3 ? 50 : servers);
    const double row[] = {lambda, 1, servers, 500, source};
    for (int j = 1; j <= 5; ++j)
      g.QueueData(s, j) = row[j - 1];
  }
}

void BM_ComparativeAnalysis500(benchmark::State &state) {
  LoadScenarios();
  for (auto _ : state) {
    for (int s = 1; s <= kScenarios; ++s) {
      gq.CurScen = static_cast<int16>(s);
      ComputeQueueMeasures();
    }
    benchmark::DoNotOptimize(g.QueueMeasures(kScenarios, 6));
  }
}
BENCHMARK(BM_ComparativeAnalysis500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
