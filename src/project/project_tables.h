// The project's printed tables: the original data (with PERT's means and variances), the CPM
// schedule and PERT's longest paths.
#pragma once

#include "platform/surface.h"

namespace quon {

// The original data; for PERT the page of means and variances too, ending its print job.
// False when that job could not be ended.
bool PrintProjectInputData(PageSurface &p);
void PrintCPMSchedule(PageSurface &p);
void PrintPERTPaths(PageSurface &p);
// The rule under a table.
void EndTable(PageSurface &p);

} // namespace quon
