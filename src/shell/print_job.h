// One printed report as a print job on the program's printer.
#pragma once

#include <functional>
#include <string>

#include "platform/surface.h"

namespace quon {

// Runs a report, which prints on the job it is given and ends it, returning the end's result.
// Pages go to the printer as they are made, continued on a new page wherever the report would
// pass the page's break line. A report that cannot be completed (no printer, or its data
// missing or inconsistent) or that the user cancels has its unfinished document dropped, so
// nothing of it is printed or saved: the user is told why, the program-wide data are left as
// they were, and the result is false. A report of two documents (the original data, then the
// result) that stops in the second keeps the first, and the user is told where it went. Failures of the printer itself at the end of the job are
// reported by the printer.
bool RunPrintJob(const std::function<bool(PageSurface &)> &report);

// The title of the message that reports a failed printout.
inline constexpr const char *kPrintErrorTitle = "Print Error";
// What the user is told when they cancel a printout of which nothing was delivered.
inline constexpr const char *kPrintCancelledText = "The printout was cancelled: nothing of it was printed or saved.";

} // namespace quon
