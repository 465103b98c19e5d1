#include "shell/print_job.h"

#include <exception>

#include "platform/printer_access.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

void ReportFailure(const std::string &text) { MsgBox(text, msg::OKOnly | msg::Critical, kPrintErrorTitle); }

// The page flow is on for the job only: the printer's other users place their own pages.
class JobFlow {
public:
  explicit JobFlow(PageSurface &printer) : printer_(printer) { printer_.SetPageFlow(kPageFullY, kContinueY); }
  ~JobFlow() { printer_.SetPageFlow(0, 0); }
  JobFlow(const JobFlow &) = delete;
  JobFlow &operator=(const JobFlow &) = delete;

private:
  PageSurface &printer_;
};

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
  JobFlow flow(*printer);
  try {
    return report(*printer);
  } catch (const PrintCancelled &) {
    printer->AbortDoc();
    g = before;
    MsgBox(kPrintCancelledText, msg::OKOnly | msg::Information, "Print");
    return false;
  } catch (const std::exception &e) {
    printer->AbortDoc();
    g = before;
    ReportFailure(std::string("The output cannot be printed: ") + e.what());
    return false;
  }
}

} // namespace quon
