#include "linear/print_reports.h"

#include "shell/print_job.h"

namespace quon {

bool PrintInverseOutput() {
  return RunPrintJob([](PageSurface &printer) { return PrintInverseOutput(printer); });
}

bool PrintLPOutputSummary() {
  return RunPrintJob([](PageSurface &printer) { return PrintLPOutputSummary(printer); });
}

} // namespace quon
