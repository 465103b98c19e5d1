// The game's output on the screens: the summary on the output screen and the graph of a two-row
// game on the graph screen.
#pragma once

#include "linear/ui/scr_lp_graf.h"

namespace quon {

// The LP-based method's summary on scr5 (shown by the caller).
void ShowGameOutputSummary();

// The graph screen's hooks for games, and the graph drawn on it in the current scale.
GraphScreenHooks GameGraphScreenHooks();
void DrawGameGraph(ScrLPGraf &s);

} // namespace quon
