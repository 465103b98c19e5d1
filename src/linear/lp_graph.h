// The graph of a two-variable linear program on any surface (the graph screen's picture or the
// printer), from the program-wide model: the axis scale, the axes, the graphed constraints with
// their labels, the shading of their feasible region and the optimum, and the printed graph.
// The screen that drives it lives in linear/ui/scr_lp_graf.h.
#pragma once

#include "linear/lp_graph_geometry.h"
#include "platform/surface.h"
#include "shell/chart_room.h"
#include "shell/mod1.h"

namespace quon {

// Where a graph is drawn: the width and height of the surface's user scale and the box its
// labels stay inside (on the screen the axis frame, on paper the page's room for the graph).
struct LPGraphArea {
  double width, height;
  ChartRoom::Box inside;
};

// The marker SetLPGraphScale leaves in GraphXMax when the data give unwieldy scales.
inline constexpr int16 kUnwieldyScale = -22222;
// GraphDrawn(0) after a one-stroke drawing or a zoom: print the whole picture.
inline constexpr int16 kWholePictureMark = 99;

// The axis frame in the program-wide drawing state.
GraphFrame CurrentGraphFrame();
void SetGraphFrame(const GraphFrame &frame);

// Computes the axes from the constraint rows and the optimum and sets the picture's scale; on
// unwieldy data leaves kUnwieldyScale in GraphXMax and the scale as it was. Puts ZValue into the
// objective row's right-hand side first.
void SetLPGraphScale(Surface &picture);
// The picture's user scale from the drawing state: (xMin, yMax) top-left to (xMax, yMin).
void ApplyGraphScale(Surface &picture);

// The axes with their ticks, tick values and names; leaves the foreground red.
void DrawLPAxes(Surface &picture);
// Grey dots over the whole first quadrant, then the foreground blue.
void ShadeQuadrant(Surface &picture);

// Draws the axes with their values and names, the graphed items first..last (0 the objective
// at the value in the objective row's right-hand side) with their names, the shading of the
// graphed constraints' feasible region and, when the objective line is at the optimum, the
// optimum point and its caption. Every text stands clear of every line, dot and other text;
// a name with no room beside its line is listed with the line. On paper the printer keeps its
// colour, the lines and dots are wider, and `paperArea` gives the page's scale and room; on
// the screen the picture's scale is the axis frame.
void DrawLPConstraint(int16 &first, int16 &last, Surface &target, bool onPaper,
                      const LPGraphArea *paperArea = nullptr);

// Whether the point satisfies every graphed constraint as typed (false when none is graphed).
bool IsPointFeasible(double x1, double x2);

// GraphDrawnCount from GraphDrawn(1..MRows).
void RecountGraphDrawn();

// The printout: the data on a first page, the solution and the graph on a second.
bool PrintLPGraph();
bool PrintLPGraph(PageSurface &printer);

} // namespace quon
