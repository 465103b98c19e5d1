#include "shell/print_job.h"

#include <exception>

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"
#include "shell/mod1.h"

namespace quon {

namespace {

void ReportFailure(const std::string &text) { MsgBox(text, msg::OKOnly | msg::Critical, kPrintErrorTitle); }

} // namespace

bool RunPrintJob(const std::function<bool(PageSurface &)> &report) {
  PageSurface *printer = nullptr;
  try {
    printer = &Printer();
  } catch (const std::exception &) {
    ReportFailure("No printer is available, so the output cannot be printed.");
    return false;
  }

  const Mod1 before = g;
  try {
    RecordingSurface trial;
    report(trial);
  } catch (const std::exception &e) {
    g = before;
    ReportFailure(std::string("The output cannot be printed: ") + e.what());
    return false;
  }
  // The real job starts from the very state the trial started from.
  g = before;
  try {
    return report(*printer);
  } catch (const std::exception &e) {
    printer->EndDoc();
    g = before;
    ReportFailure(std::string("The printout is incomplete: ") + e.what());
    return false;
  }
}

} // namespace quon
