#include "linear/print_reports.h"

#include "shell/data_table_printer.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

const char *MethodText() {
  switch (g.LPMethod) {
  case 2: return " (Starting All-Slack Method)";
  case 3: return " (M-Method)";
  case 4: return " (Two-Phase Method)";
  case 5: return " (Dual Simplex Method)";
  case 6: return " (Bounded Simplex Method)";
  case 7: return " (Bounded Dual Simplex Method)";
  default: return "";
  }
}

} // namespace

bool PrintSimplexTableaus(PageSurface &printer, const GridStore &tableaus, const std::string &verdict) {
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;

  PrintPageHeading(printer);
  g.MsgText = "LINEAR PROGRAM -- ORIGINAL DATA";
  printer.SetFontBold(false);
  PrintSectionHeader(printer);
  PrintDataTable(printer, g.LPData, noSingles, noIntegers, 1);

  // The tableaus never share a page with the data.
  printer.NewPage();
  g.MsgText = std::string("SIMPLEX TABLEAUS -- ") + MethodText();
  PrintSectionHeader(printer);
  PrintDataTable(printer, g.Tab, noSingles, noIntegers, 2, &tableaus);
  PrintClosingText(printer, verdict);
  return printer.EndDoc();
}

bool PrintSimplexTableaus(const GridStore &tableaus, const std::string &verdict) {
  return RunPrintJob(
      [&tableaus, &verdict](PageSurface &printer) { return PrintSimplexTableaus(printer, tableaus, verdict); });
}

} // namespace quon
