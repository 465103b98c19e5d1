// The network algorithms' final results on a complete network of 100 nodes (the largest the
// input takes): spanning tree, Dijkstra's and Floyd's shortest routes with every route listed,
// and the maximal flow; and Floyd's "All Iterations" on the output screen: 101 tables of D and
// S of 100 x 100 each, with the memory the process then holds, beside a minimal Qt table view of
// the same tables (aim: under 100 ms and 60 MB).
#include <QAbstractTableModel>
#include <QApplication>
#include <QColor>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

#include "network/network_engine.h"
#include "network/ui/network_output.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

constexpr int kNodes = 100;

// Resident memory of the process in MB ("VmRSS" or the peak "VmHWM").
void LoadComplete(int subModel) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.Infinity = 999999;
  g.NodeCount = kNodes;
  g.NetSubModel = static_cast<int16>(subModel);
  ReDimProblemArrays(ArrayKind::Networks);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> value(1, 500);
  for (int i = 1; i <= kNodes; ++i)
    for (int j = 1; j <= kNodes; ++j)
      g.Cost((i - 1) * kNodes + j) = i == j ? 999999.0 : value(rng);
}

void BM_SpanningTree(benchmark::State &state) {
  LoadComplete(1);
  for (auto _ : state) {
    ReDimProblemArrays(ArrayKind::SpanningTree);
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
    ReDimProblemArrays(ArrayKind::Dijkstra);
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

// The iterations view built, every pass stepped and shown, and the screen painted once.
void BM_FloydAllIterationsShown(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  const double before = MemoryMB("VmRSS:");
  double after = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    LoadComplete(3);
    g.ModelClass = ModelClassCode::Networks;
    ScriptedServices script;
    script.AnswerMsgBox(msg::OK);
    Scr5 &f = scr5();
    f.Show();
    f.Combo1.Click = [] {};
    InitShortestRouteOutputScreen();
    state.ResumeTiming();
    g.OutputOption = 2;
    ShowFloydOutput();
    NetworkAllIterations();
    Forms::DoEvents();
    GridPainter painter(f.outputGrid);
    painter.Paint();
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    benchmark::DoNotOptimize(f.outputGrid.Rows());
    state.ResumeTiming();
  }
  state.counters["grid_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  Forms::Clear();
}
BENCHMARK(BM_FloydAllIterationsShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reference for the view above: the same 101 tables of D and S in a minimal Qt table view
// whose model formats a cell when it is drawn, the passes computed and kept as the view keeps
// them, the view painted once.
class FloydReferenceModel : public QAbstractTableModel {
public:
  explicit FloydReferenceModel(int n) : n_(n) {
    std::vector<float> d(static_cast<std::size_t>(n) * n);
    std::vector<int16> s(d.size());
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        d[static_cast<std::size_t>((i - 1) * n + j - 1)] = static_cast<float>(g.Cost((i - 1) * n + j));
        s[static_cast<std::size_t>((i - 1) * n + j - 1)] = static_cast<int16>(j);
      }
    for (int k = 0; k <= n; ++k) {
      if (k > 0)
        for (int i = 0; i < n; ++i)
          for (int j = 0; j < n; ++j) {
            const float via = d[static_cast<std::size_t>(i * n + k - 1)] + d[static_cast<std::size_t>((k - 1) * n + j)];
            if (i != j && via < d[static_cast<std::size_t>(i * n + j)]) {
              d[static_cast<std::size_t>(i * n + j)] = via;
              s[static_cast<std::size_t>(i * n + j)] = static_cast<int16>(k);
            }
          }
      d_.push_back(d);
      s_.push_back(s);
    }
  }
  int rowCount(const QModelIndex & = QModelIndex()) const override { return (n_ + 1) * (n_ + 2); }
  int columnCount(const QModelIndex & = QModelIndex()) const override { return 2 * n_ + 2; }
  QVariant data(const QModelIndex &index, int role) const override {
    const int t = index.row() / (n_ + 2), r = index.row() % (n_ + 2), c = index.column();
    if (role == Qt::BackgroundRole) return r < 2 ? QColor(Qt::cyan) : QColor(Qt::blue);
    if (role != Qt::DisplayRole || r < 2 || c == 0 || c == n_ + 1) return {};
    const int i = r - 1, j = c <= n_ ? c : c - n_ - 1;
    if (i == j) return {};
    const std::size_t at = static_cast<std::size_t>((i - 1) * n_ + j - 1);
    if (c > n_) return QString::number(s_[static_cast<std::size_t>(t)][at]);
    const float v = d_[static_cast<std::size_t>(t)][at];
    return v >= 999999 ? QString("infinity") : QString::fromStdString(Format(v, "0.00"));
  }

private:
  int n_;
  std::vector<std::vector<float>> d_;
  std::vector<std::vector<int16>> s_;
};

void BM_FloydReferenceTableView(benchmark::State &state) {
  const double before = MemoryMB("VmRSS:");
  double after = 0;
  LoadComplete(3);
  for (auto _ : state) {
    FloydReferenceModel model(kNodes);
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->hide();
    view.horizontalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(17);
    view.horizontalHeader()->setDefaultSectionSize(60);
    view.resize(820, 480);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    QPainter p(&image);
    view.viewport()->render(&p);
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    state.ResumeTiming();
  }
  state.counters["grid_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
}
BENCHMARK(BM_FloydReferenceTableView)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
