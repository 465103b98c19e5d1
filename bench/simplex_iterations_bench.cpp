// "All Iterations" on a dense 100 x 100 linear program, from the press to the last tableau
// drawn, and the memory the tableau view holds; then scrolling through every block. The
// tableaus are kept as their bases and made into cells only when drawn, so the memory grows
// with the number of tableaus, not with their cells.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "linear/lp_model.h"
#include "linear/tableau_size.h"
#include "linear/ui/simplex_iterations.h"
#include "platform/grid_store.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace {

using namespace quon;

double MemoryMB(const char *field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::string(field).size() + 1) / 1024.0;
  return 0;
}

// Maximise c x subject to A x <= b with positive dense data, as the input grid hands it over.
void DenseProgram(int m, int n, unsigned seed) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = 3;
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coef(1, 20), rhs(500, 1000);
  GridStore grid;
  grid.SetRows(m + 6);
  grid.SetCols(n + 3);
  grid.SetTextMatrix(2, 0, "Maximize");
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(2, j, NumText(coef(rng)));
    grid.SetTextMatrix(m + 3, j, "0");
    grid.SetTextMatrix(m + 4, j, "infinity");
    grid.SetTextMatrix(m + 5, j, "n");
  }
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j)
      grid.SetTextMatrix(i + 2, j, NumText(coef(rng)));
    grid.SetTextMatrix(i + 2, n + 1, "<=");
    grid.SetTextMatrix(i + 2, n + 2, NumText(rhs(rng)));
  }
  BuildLPStandardForm(grid);
  g.OutputMode = 2;
  g.LPMethod = 2;
  g.Phase = 0;
  SizeSimplexTableau(false);
}

void BM_AllIterationsDense100(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  double before = 0, after = 0;
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    DenseProgram(100, 100, 7);
    scr5().Show();
    before = MemoryMB("VmRSS:");
    state.ResumeTiming();
    ShowSimplexIterations();
    scr5().cmdFinalIter_Click();
    Grid &grid = scr5().outputGrid;
    // The last block drawn: its cells are made now.
    benchmark::DoNotOptimize(grid.TextMatrix(grid.Rows() - 5, grid.Cols() - 1));
    Forms::DoEvents();
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    blocks = grid.Rows() / (g.MRows + 7);
    state.ResumeTiming();
  }
  state.counters["blocks"] = blocks;
  state.counters["view_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_AllIterationsDense100)->Unit(benchmark::kMillisecond)->Iterations(3);

// One page of scrolling through the tableaus of the dense run, painted.
void BM_ScrollTableaus(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  Forms::Clear();
  DenseProgram(100, 100, 7);
  scr5().Show();
  ShowSimplexIterations();
  scr5().cmdFinalIter_Click();
  Grid &grid = scr5().outputGrid;
  Forms::DoEvents();
  QWidget *viewport = static_cast<QAbstractScrollArea *>(grid.Widget())->viewport();
  QImage image(viewport->size(), QImage::Format_RGB32);
  int top = 0;
  for (auto _ : state) {
    top = (top + 97) % grid.Rows();
    grid.SetTopRow(top);
    Forms::DoEvents();
    QPainter p(&image);
    viewport->render(&p);
  }
  state.counters["rss_MB"] = MemoryMB("VmRSS:");
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_ScrollTableaus)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char **argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  RegisterAllModelRoads();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
