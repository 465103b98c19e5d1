// The transportation tableaus of a 100 x 100 problem on the output screen: the first tableau
// from the north-west corner, "All Iterations" from there to the optimum (about 800 tableaus,
// 25 million cells) with the memory the view then holds, and pages of the run painted; beside
// them a minimal Qt table view of the same rows and columns. The tableaus are kept as what
// makes them and their cells made only when drawn.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>

#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"
#include "support/table_view_reference.h"
#include "support/transport_problem.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace {

using namespace quon;
using namespace quon::bench;

constexpr int kSize = 100;

// The problem loaded and the output screen shown, as the north-west corner's "Iterations" item
// leaves them.
void ShowScreen() {
  Forms::Clear();
  LoadTransport(TransportProblem(kSize, kSize));
  g.TransStartMethod = 1;
  scr5().Show();
  Forms::DoEvents();
}

void BM_FirstTableau(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  for (auto _ : state) {
    state.PauseTiming();
    ShowScreen();
    state.ResumeTiming();
    ShowTransIterations();
    Forms::DoEvents();
    GridPainter(scr5().outputGrid).Paint();
  }
  Forms::Clear();
}
BENCHMARK(BM_FirstTableau)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AllIterationsNorthWest(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  // What the view holds: the first run's growth (later runs reuse what the first one freed).
  double before = 0, held = 0;
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ShowScreen();
    before = MemoryMB("VmRSS:");
    state.ResumeTiming();
    ShowTransIterations();
    scr5().cmdFinalIter_Click();
    Grid &grid = scr5().outputGrid;
    grid.SetTopRow(grid.Rows() - 1);
    Forms::DoEvents();
    GridPainter(grid).Paint();
    state.PauseTiming();
    held = std::max(held, MemoryMB("VmRSS:") - before);
    blocks = grid.Rows() / (3 * g.TransSources + 4);
    state.ResumeTiming();
  }
  state.counters["tableaus"] = blocks;
  state.counters["view_MB"] = held;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  Forms::Clear();
}
BENCHMARK(BM_AllIterationsNorthWest)->Unit(benchmark::kMillisecond)->Iterations(3);

// One page of scrolling through the run, painted.
void BM_ScrollTableaus(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  ShowScreen();
  ShowTransIterations();
  scr5().cmdFinalIter_Click();
  Grid &grid = scr5().outputGrid;
  Forms::DoEvents();
  GridPainter painter(grid);
  int top = 0;
  for (auto _ : state) {
    top = (top + 997) % grid.Rows();
    grid.SetTopRow(top);
    Forms::DoEvents();
    painter.Paint();
  }
  state.counters["rss_MB"] = MemoryMB("VmRSS:");
  Forms::Clear();
}
BENCHMARK(BM_ScrollTableaus)->Unit(benchmark::kMillisecond)->Iterations(100);

// The reference: a table view of the run's rows and columns at the output grid's size.
void BM_ReferenceTableView(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  LoadTransport(TransportProblem(kSize, kSize));
  g.TransStartMethod = 1;
  SolveTransportation();
  const int rows = g.IterCount * (3 * g.TransSources + 4), cols = g.TransDests + 4;
  double held = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double before = MemoryMB("VmRSS:");
    state.ResumeTiming();
    ReferenceTableView view(rows, cols, 800, 400);
    state.PauseTiming();
    held = std::max(held, MemoryMB("VmRSS:") - before);
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["view_MB"] = held;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
}
BENCHMARK(BM_ReferenceTableView)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
