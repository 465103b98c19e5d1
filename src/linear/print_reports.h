// Printed reports of the linear model classes: matrix inversion and equations, and the LP
// output summary. Each runs one print job on the program's printer; a job that cannot be
// completed is reported to the user and nothing of it goes to the printer. They return
// whether the job went out.
#pragma once

#include "platform/grid_store.h"
#include "platform/surface.h"

namespace quon {

bool PrintInverseOutput();
bool PrintLPOutputSummary();

// The same reports on a given print job, ended at their last line; the result is the end's.
bool PrintInverseOutput(PageSurface &printer);
bool PrintLPOutputSummary(PageSurface &printer);

// The page of the program's data as typed, under the page heading; ends the page.
void PrintLPOriginalData(PageSurface &printer);

// The program's data, then on a new page every tableau block of the grid as it stands, closed
// by how the run ended when it has (`verdict`, the text the screen gave).
bool PrintSimplexTableaus(const GridStore &tableaus, const std::string &verdict = {});
bool PrintSimplexTableaus(PageSurface &printer, const GridStore &tableaus, const std::string &verdict = {});

} // namespace quon
