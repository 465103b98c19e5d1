// The grid control under the load of the largest tableaus: 20,000 rows by 200 columns of
// formatted numbers with a few thousand coloured cells, filled and then scrolled through.
// Reports the fill time and the memory the process holds after it.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "platform/values.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

constexpr int kRows = 20000;
constexpr int kCols = 200;

// Resident memory of the process in MB ("VmRSS" or the peak "VmHWM").
class BenchForm : public Form {
public:
  BenchForm() : Form("frmBench") {
    grid.Move(600, 600, 14000, 9000);
    grid.SetBackColor(kBlue);
    grid.SetForeColor(kWhite);
    grid.SetFontName("arial");
    grid.SetFontSize(9);
    grid.SetFontBold(true);
  }
  Grid grid{*this, "outputGrid"};
};

void Fill(Grid &g) {
  g.FixedCols = 0;
  g.SetCols(kCols);
  g.SetRows(kRows);
  const std::string pattern = "####0.00";
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      g.SetTextMatrix(r, c, Format((r + 1) * 0.37 * (c + 1) - 5000.0, pattern));
  // Heading rows and the pivot cells of every tableau, as the iterations colour them.
  for (int r = 0; r < kRows; r += 13) {
    g.SetRow(r);
    for (int c = 0; c < kCols; c += 40) {
      g.SetCol(c);
      g.SetCellBackColor(kCyan);
      g.SetCellForeColor(kBlue);
    }
  }
}

void BM_FillGrid(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  double before = MemoryMB("VmRSS:");
  double filled = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    BenchForm &f = FormInstance<BenchForm>();
    state.ResumeTiming();
    Fill(f.grid);
    state.PauseTiming();
    filled = MemoryMB("VmRSS:");
    state.ResumeTiming();
  }
  state.counters["rss_MB"] = filled;
  state.counters["grid_MB"] = filled - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  Forms::Clear();
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

// One page of scrolling: move the first visible row down and paint what is then visible.
void BM_ScrollGrid(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  Forms::Clear();
  BenchForm &f = FormInstance<BenchForm>();
  Fill(f.grid);
  f.Show();
  Forms::DoEvents();
  GridPainter painter(f.grid);
  int top = 0, left = 0;
  for (auto _ : state) {
    top = (top + 37) % kRows;
    left = (left + 3) % kCols;
    f.grid.SetTopRow(top);
    f.grid.SetLeftCol(left);
    Forms::DoEvents();
    painter.Paint();
  }
  state.counters["rss_MB"] = MemoryMB("VmRSS:");
  Forms::Clear();
}
BENCHMARK(BM_ScrollGrid)->Unit(benchmark::kMillisecond)->Iterations(300);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
