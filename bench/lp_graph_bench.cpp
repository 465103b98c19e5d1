// Redraws of the graph screen on a program of 2 variables and 100 constraints, with the whole
// picture drawn (objective at the optimum): Zoom In and Zoom Out, a click on a constraint of the
// list, and the repaint that shows the retained picture when the window is uncovered.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <random>

#include "../tests/linear/lp_fixture.h"
#include "linear/mod_lp_simplex.h"
#include "linear/ui/scr_lp_graf.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "shell/ui/model_roads.h"
#include "support/qt_bench.h"

using namespace quon;

namespace {

ScrLPGraf &OpenLargeGraph() {
  Forms::Clear();
  SetLogicalScreen(15360, 11520);
  testing::LP lp;
  lp.c = {3, 2};
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> coef(0.5, 6), rhs(20, 90);
  for (int i = 0; i < 100; ++i) {
    lp.a.push_back({std::round(coef(rng) * 10) / 10, std::round(coef(rng) * 10) / 10});
    lp.rel.push_back("<=");
    lp.b.push_back(std::round(rhs(rng)));
  }
  testing::Build(lp);
  g.HeaderText[1] = "Hundred constraints";
  g.SenseText = lp.sense;
  g.OutputMode = 2;
  g.LPMethod = 1;
  g.NumDigitsN = 5;
  g.NumDigitsD = 2;
  SolveLP();
  SetLPGraphFrameDelay(0);
  ShowLPGraphOutput();
  Forms::DoEvents();
  ScrLPGraf &s = scrLPGraf();
  s.List1.PerformChoose(g.MRows + 9); // the whole picture at once
  Forms::DoEvents();
  return s;
}

void BM_Zoom(benchmark::State &state) {
  ScrLPGraf &s = OpenLargeGraph();
  bool in = true;
  for (auto _ : state) {
    (in ? s.cmdZoomIn : s.cmdZoomOut).PerformClick();
    in = !in;
  }
}
BENCHMARK(BM_Zoom)->Unit(benchmark::kMillisecond);

void BM_ConstraintClick(benchmark::State &state) {
  ScrLPGraf &s = OpenLargeGraph();
  int k = 0;
  for (auto _ : state) {
    s.List1.PerformChoose(6 + k);
    k = (k + 1) % g.MRows;
  }
}
BENCHMARK(BM_ConstraintClick)->Unit(benchmark::kMillisecond);

void BM_Repaint(benchmark::State &state) {
  ScrLPGraf &s = OpenLargeGraph();
  for (auto _ : state)
    s.picLPgraph.PaintNow();
}
BENCHMARK(BM_Repaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
