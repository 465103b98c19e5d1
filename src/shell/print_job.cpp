#include "shell/print_job.h"

#include <exception>
#include <string>
#include <vector>

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

// What stays of a job's documents that were delivered before it was stopped, or "".
std::string KeptPart(const std::vector<PrintDelivery> &all, std::size_t from) {
  if (all.size() <= from) return "";
  auto place = [](const PrintDelivery &d) {
    return (d.toFile ? "saved as " : "sent to the printer ") + d.where;
  };
  if (all.size() == from + 1)
    return std::string("its first part ") + (all[from].toFile ? "stays " : "was ") + place(all[from]);
  std::string text = "its first " + std::to_string(all.size() - from) + " parts were kept: ";
  for (std::size_t i = from; i < all.size(); ++i)
    text += (i > from ? ", " : "") + place(all[i]);
  return text;
}

std::string CancelledText(const std::string &kept) {
  if (kept.empty()) return kPrintCancelledText;
  return "The printout was cancelled: " + kept + "; nothing of the rest was printed or saved.";
}

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
  // A report may end a document of its own (the original data) before the rest: what was
  // delivered of it stays, and the messages below say so.
  const std::size_t delivered = printer->Deliveries().size();
  JobFlow flow(*printer);
  try {
    return report(*printer);
  } catch (const PrintCancelled &) {
    printer->AbortDoc();
    g = before;
    MsgBox(CancelledText(KeptPart(printer->Deliveries(), delivered)), msg::OKOnly | msg::Information, "Print");
    return false;
  } catch (const std::exception &e) {
    printer->AbortDoc();
    g = before;
    const std::string kept = KeptPart(printer->Deliveries(), delivered);
    ReportFailure(std::string("The output cannot be printed: ") + e.what() +
                  (kept.empty() ? "" : ".  Of the printout, " + kept + "; nothing of the rest was printed or saved."));
    return false;
  }
}

} // namespace quon
