// The start that the summary pages of the linear model classes share on the output screen.
#pragma once

#include "shell/ui/scr5.h"

namespace quon {

// A printable summary page with the stepping buttons off and the queueing grid away; the page
// heading in "arial" 6, white; then the form's font bold 10 and a thin pen for the title block.
void BeginSummaryPage(Scr5 &f);

} // namespace quon
