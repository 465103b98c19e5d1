// Geometry of the two-variable LP graph, free of any surface or program-wide data: the axis
// scale, where a line meets the square frame, where its label goes, which dots of the shading
// are feasible, the zoomed axis ends and the frame of the printed graph.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quon {

// a1 x1 + a2 x2 = b: a constraint's line or the objective's line at one value.
struct GraphLine {
  double a1 = 0, a2 = 0, b = 0;
};

// A constraint as the user typed it: rel is '<', '>' or '='.
struct TypedRow {
  double a1 = 0, a2 = 0, b = 0;
  char rel = '<';
};

// The square axis frame in user units; xMin = yMin = -step.
struct GraphFrame {
  std::int16_t xMin = 0, xMax = 0, yMin = 0, yMax = 0, step = 0;
};

struct GraphPoint {
  double x = 0, y = 0;
};

struct GraphSegment {
  GraphPoint from, to;
};

// n with every digit after the first set to 0 (3456 -> 3000); 0 for n <= 0.
std::int16_t LeadingDigitFloor(std::int16_t n);

// Nearest whole number, halves to even; the caller keeps v within 16 bits.
std::int16_t RoundToInt16(double v);

// Axes that hold every positive intercept of the rows and the optimum (x1, x2), one step beyond
// the last step multiple. nullopt when an x1-intercept exceeds 25000 or an x2-intercept 22000
// (the optimum is held to the same limits, so every axis end fits 16 bits).
std::optional<GraphFrame> LPGraphScale(const std::vector<GraphLine> &rows, double x1, double x2);

// The part of the line that is drawn: edge to edge, moved along the line to the bottom or top
// where it leaves the frame at a side. nullopt for a row without coefficients (no line).
std::optional<GraphSegment> ClipGraphLine(const GraphLine &line, const GraphFrame &frame);

// Top-left corner of the line's label: left of the y-axis, or below the x-axis (or under the
// top) where the line leaves the frame there. nullopt when there is no line.
std::optional<GraphPoint> GraphLabelPosition(const GraphLine &line, const GraphFrame &frame);

// Spacing of the grey dots: of the empty quadrant, and of the shaded feasible region.
double QuadrantDotSpacing(const GraphFrame &frame);
double FeasibleDotSpacing(const GraphFrame &frame);

// Whether the point lies on the feasible side of every row, short of the lines by 1 % of the
// right-hand side; false when no row is given.
bool PointFeasible(const std::vector<TypedRow> &rows, double x1, double x2);

// The values at which the objective line is drawn, in order: four frames towards z (minimize:
// 2z, 5z/3, 4z/3, z; maximize: z/4 .. z), or z alone when the problem has no optimum.
std::vector<double> ObjectiveFrameValues(std::int16_t objSense, double z, double infinity);

// One zoom step of an axis end: 0.8 x (in) or 1.25 x (out), rounded, and at least one unit
// from it, so that a step that is taken always changes the scale.
std::int64_t ZoomStep(std::int64_t max, bool out);
// The axis end after Zoom In, nullopt when the scale cannot shrink (0.8 x max <= 3 when both
// axes zoom, an end below 1 otherwise); after Zoom Out, nullopt when it would pass 32767.
std::optional<std::int16_t> ZoomedInMax(std::int16_t max, bool limited);
std::optional<std::int16_t> ZoomedOutMax(std::int16_t max);

// The user rectangle of the printed graph: the axes take fixed shares of the page.
struct PrintedGraphFrame {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
};
PrintedGraphFrame PrintedFrame(const GraphFrame &frame);

} // namespace quon
