// The input grid's part of the input screen. The grid set-up, the editor's placement and the
// help text come with the input grid; until then a confirmed size stops here.
#include "input/ui/scr2.h"

namespace quon {

void Scr2::InitInputGrid() {}

void Scr2::PlaceCellEditor(int16 /*row*/, int16 /*col*/) {}

void Scr2::ShowGridEditingHelp() {}

// Opening a problem file comes with the problem files; until then the Open dialog behaves as
// cancelled, so the road leads to an empty new problem.
void OpenProblemFile() {
  g.InputMode = -1;
}

} // namespace quon
