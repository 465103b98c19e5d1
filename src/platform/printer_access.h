// "The printer" as print routines reach it. The program installs its system printer at
// start-up; a test puts a recording surface in its place.
#pragma once

#include "platform/surface.h"

namespace quon {

// The printer in use: the test's substitute when one is set, else the installed printer.
// Throws std::logic_error when neither exists (a start-up fault, not a user's).
PageSurface &Printer();
void InstallPrinter(PageSurface *printer);
// nullptr restores the installed printer.
void SetPrinterForTesting(PageSurface *printer);

} // namespace quon
