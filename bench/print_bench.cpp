// Printing the simplex tableaus of a 100 x 100 program: 256 tableaus (aim: under 10 s and
// 150 MB peak) and 4,096 tableaus (aim: possible within 500 MB), to a PDF file as a user
// without a printer gets it, and the 256 laid out alone, without a device. The peak is the
// process's high-water mark from the press on.
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "linear/lp_fixture.h"
#include "linear/print_reports.h"
#include "linear/tableau_size.h"
#include "linear/ui/simplex_iterations.h"
#include "platform/printer_access.h"
#include "platform/screen.h"
#include "platform/ui/printer.h"
#include "platform/ui/qt_drawing.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

// Klee and Minty's cube in `dims` dimensions, on which the largest-coefficient rule visits all
// 2^dims vertices, padded to 100 x 100 with variables of no value in rows that never bind.
void CubeProgram(int dims) {
  testing::LP lp = testing::KleeMinty(dims);
  const int n = 100;
  for (auto &row : lp.a)
    row.resize(n, 0.0);
  lp.c.resize(n, 0.0);
  for (int i = dims; i < n; ++i) {
    std::vector<double> row(n, 0.0);
    row[static_cast<std::size_t>(i)] = 1;
    lp.a.push_back(row);
    lp.rel.push_back("<=");
    lp.b.push_back(1000);
  }
  testing::Build(lp);
  g.OutputMode = 2;
  g.LPMethod = 2;
  g.Phase = 0;
  SizeSimplexTableau(false);
}

// Starts the process's memory high-water mark again from what it holds now.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A printer that lays the pages out, measuring with the printer's fonts, and draws nothing:
// what the printout costs before the PDF.
class LayoutOnly : public SurfaceCore {
public:
  LayoutOnly() : SurfaceCore(12240, 15840) {}

protected:
  void Emit(const DrawOp &) override {}
  TextExtent Measure(const FontSpec &font, const std::string &text) const override { return measure_(font, text); }

private:
  mutable TextMeasurer measure_;
};

void PrintTableaus(benchmark::State &state, int dims, bool layoutOnly = false) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  Forms::Clear();
  CubeProgram(dims);
  scr5().Show();
  ShowSimplexIterations();
  scr5().cmdFinalIter_Click();
  Forms::DoEvents();
  const int tableaus = scr5().outputGrid.Rows() / (g.MRows + 7);

  QTemporaryDir folder;
  SystemPrinter printer(PrintTarget::PdfFile);
  printer.SetPdfFolder(folder.path().toStdString());
  LayoutOnly layout;
  SetPrinterForTesting(layoutOnly ? static_cast<PageSurface *>(&layout) : &printer);
  double before = 0, peak = 0, held = 0, fileMB = 0;
  bool printed = false;
  for (auto _ : state) {
    state.PauseTiming();
    for (const QString &name : QDir(folder.path()).entryList(QDir::Files))
      QFile::remove(folder.filePath(name));
    before = MemoryMB("VmRSS:");
    ResetPeak();
    state.ResumeTiming();
    printed = PrintSimplexTableaus(scr5().outputGrid);
    state.PauseTiming();
    peak = MemoryMB("VmHWM:");
    held = MemoryMB("VmRSS:") - before;
    fileMB = static_cast<double>(QFileInfo(QString::fromStdString(printer.LastPdfPath())).size()) / (1024.0 * 1024.0);
    state.ResumeTiming();
  }
  SetPrinterForTesting(nullptr);
  if (!printed && !layoutOnly) state.SkipWithError("the printout failed");
  state.counters["tableaus"] = tableaus;
  state.counters["start_MB"] = before;
  state.counters["peak_MB"] = peak;
  state.counters["held_after_MB"] = held;
  state.counters["pdf_MB"] = fileMB;
  EndSimplexTableauView();
  Forms::Clear();
}

void BM_PrintTableaus256(benchmark::State &state) { PrintTableaus(state, 8); }
BENCHMARK(BM_PrintTableaus256)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LayOutTableaus256(benchmark::State &state) { PrintTableaus(state, 8, true); }
BENCHMARK(BM_LayOutTableaus256)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PrintTableaus4096(benchmark::State &state) { PrintTableaus(state, 12); }
BENCHMARK(BM_PrintTableaus4096)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
