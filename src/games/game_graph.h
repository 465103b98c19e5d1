// The graphical solution of a game in which player A has two strategies: every strategy j of B
// is the line of A's expected payoff (1 - t) a2j + t a1j against the probability t of A's first
// strategy, drawn at x = 4t; the area under the lower envelope is hatched and the optimum marked.
// The same picture goes on the screen and, scaled to the page, on paper.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"
#include "shell/chart_room.h"

namespace quon {

// The axis ends and the step of the value axis, in user units. 32-bit: payoffs of any size keep
// a scale that fits them.
struct GameGraphScale {
  std::int32_t xMin = -1, xMax = 5, yMin = 0, yMax = 0, step = 1;
};

// n with every digit after the first set to 0 (61 -> 60); 0 for n <= 0.
std::int32_t LeadingDigitFloor32(std::int32_t n);

// The payoffs of A's two strategies against every strategy of B (index 0 is B1).
struct TwoRowGame {
  std::vector<double> a1, a2;
  double t = 0;     // optimal probability of A's first strategy
  double value = 0; // value of the game
};

// The scale that holds every payoff with a margin, its value axis in steps of a round number.
// The rounded bottom never lies above the smallest payoff.
GameGraphScale GameScaleFor(const TwoRowGame &game);

// The user rectangle of the printed graph: the x range takes 0.647 of the page width and the y
// range half of its height. Written without dividing by the axis ends, so an end at 0 is fine.
struct PrintedGameFrame {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
};
PrintedGameFrame PrintedFrameFor(const GameGraphScale &s);

// Puts the scale on a surface: (xMin, yMax) top left, (xMax, yMin) bottom right.
void ApplyGameScale(Surface &s, const GameGraphScale &scale);

// Draws the graph on a surface already in the scale. Screen: colours, filled label boxes;
// paper: the surface's own colour, heavier pens, outlined boxes. The screen's frame and title
// are the caller's. Every number and name stands clear of every line: the strategies' names
// beside the value axes, or, where they have no room, listed with their payoffs where the
// picture has room. The screen's picture takes its scale from `scale`; paper gives the width
// and height of the page's user scale and the part of the page names may take.
void DrawTwoRowGame(Surface &s, const TwoRowGame &game, const GameGraphScale &scale, bool paper);
void DrawTwoRowGame(Surface &s, const TwoRowGame &game, const GameGraphScale &scale, bool paper,
                    double scaleWidth, double scaleHeight, const ChartRoom::Box &inside);

// The game of the program-wide data: ArcMatrix rows 1 and 2, GameCols, XSol(2) and ZValue.
TwoRowGame CurrentTwoRowGame();

// The scale of the graph on the screen, kept for the zoom and the printed graph.
GameGraphScale &CurrentGameScale();

} // namespace quon
