// The output of a solved game that lives outside the screens: the notes on alternative optima,
// the printed LP solution and the printed graph of a two-row game.
#pragma once

#include <string>

#include "platform/surface.h"

namespace quon {

// The notes of the last game summary (empty until one is built, or when the final basis shows
// no sign of another optimum); the printed LP solution reads them.
struct GameNotes {
  std::string playerA, playerB;
};
GameNotes &CurrentGameNotes();

inline constexpr const char *kAltOptimaA = "  (alternative optima MAY exist for Player A)";
inline constexpr const char *kAltOptimaB = "  (alternative optima MAY exist for Player B)";

// From the final basis of the game LP: A's note when a non-basic column has a reduced cost of
// magnitude below 1E-8, B's when a basic value is below 1E-8.
GameNotes AltOptimaNotes();

// The payoff matrix restored from the game LP (LPData row j + 2, column i + 1 holds -aij) into
// ArcMatrix (rows 0..GameRows, columns 0..GameCols).
void RestorePayoffMatrix();

// Payoff matrix, value and both mixes; one document, ended here.
bool PrintGameLPSolution();
bool PrintGameLPSolution(PageSurface &printer);
// The expected-payoff lines of a two-row game and its graph on one page; one document.
bool PrintGameGraph(PageSurface &printer);
// "Print Graph": the LP solution, then the graph, as two documents of one printout.
bool PrintGameSolutionAndGraph();

} // namespace quon
