// One printed report as a print job on the program's printer.
#pragma once

#include <functional>
#include <string>

#include "platform/surface.h"

namespace quon {

// Runs a report, which prints on the job it is given and ends it, returning the end's result.
// The report first runs on a trial job that goes nowhere, so a report that cannot be completed
// (no printer, or its data missing or inconsistent) sends nothing to the printer: the user is
// told why, the program-wide data are left as they were, and the result is false. Failures of
// the printer itself at the end of the job are reported by the printer.
bool RunPrintJob(const std::function<bool(PageSurface &)> &report);

// The title of the message that reports a failed printout.
inline constexpr const char *kPrintErrorTitle = "Print Error";

} // namespace quon
