#include "linear/lp_graph_geometry.h"

#include <algorithm>
#include <cmath>

namespace quon {

namespace {

constexpr double kMaxXIntercept = 25000;
constexpr double kMaxYIntercept = 22000;

double Larger(double a, double b) { return a > b ? a : b; }

// Where the line leaves the frame at the side x: the point moves along the line to the bottom
// or the top when the line is outside the frame there.
GraphPoint EdgeEnd(double x, double s, double c, const GraphFrame &f) {
  const float y0 = static_cast<float>(x * s + c);
  const bool leaves = (y0 < 0 && 0.9999 * y0 < f.yMin) || (y0 > 0 && 0.9999 * y0 > f.yMax);
  if (!leaves) return {x, static_cast<double>(y0)};
  const double y1 = y0 <= f.yMax ? f.yMin : f.yMax;
  return {(y1 - c) / s, y1};
}

// Spacing factor by the axis end, from the widest axes down. Zooming out keeps the step, so
// the dots are held to at most kMaxDotsPerAxis along an axis: far out they would flood the
// picture by the million.
constexpr double kMaxDotsPerAxis = 150;
double Spacing(const GraphFrame &f, const double (&factors)[7]) {
  const int limits[] = {100, 80, 60, 40, 30, 20};
  double h = f.step * factors[6];
  for (int i = 0; i < 6; ++i)
    if (f.xMax > limits[i]) {
      h = f.step * factors[i];
      break;
    }
  return std::max(h, f.xMax / kMaxDotsPerAxis);
}

} // namespace

std::int16_t RoundToInt16(double v) {
  return static_cast<std::int16_t>(std::nearbyint(v));
}

std::int16_t LeadingDigitFloor(std::int16_t n) {
  if (n <= 0) return 0;
  double q = n;
  double last = 0;
  int digits = 0;
  while (q != 0 && digits < 1000) {
    last = q;
    q = std::floor(q * 0.1);
    ++digits;
  }
  return RoundToInt16(std::pow(10.0, digits - 1) * last);
}

std::optional<GraphFrame> LPGraphScale(const std::vector<GraphLine> &rows, double x1, double x2) {
  double xMax = 0, yMax = 0;
  for (const GraphLine &r : rows) {
    if (r.a1 > 0) {
      const double v = r.b / r.a1;
      if (v > kMaxXIntercept) return std::nullopt;
      xMax = RoundToInt16(Larger(xMax, v));
    }
    if (r.a2 > 0) {
      const double v = r.b / r.a2;
      if (v > kMaxYIntercept) return std::nullopt;
      yMax = RoundToInt16(Larger(yMax, v));
    }
  }
  // An optimum beyond the intercept limits would give axis ends past 16 bits.
  if (x1 > kMaxXIntercept || x2 > kMaxYIntercept) return std::nullopt;
  xMax = RoundToInt16(Larger(xMax, x1));
  yMax = RoundToInt16(Larger(yMax, x2));
  if (xMax == 0) xMax = 5;
  xMax = Larger(xMax, yMax);

  GraphFrame f;
  f.step = 1;
  if (xMax > 10) f.step = LeadingDigitFloor(RoundToInt16(xMax * 0.1));
  f.xMin = static_cast<std::int16_t>(-f.step);
  f.xMax = RoundToInt16((std::floor(xMax / f.step) + 1) * f.step);
  f.yMin = f.xMin;
  f.yMax = f.xMax;
  return f;
}

std::optional<GraphSegment> ClipGraphLine(const GraphLine &l, const GraphFrame &f) {
  if (l.a1 == 0 && l.a2 == 0) return std::nullopt;
  if (l.a1 * l.a2 == 0) {
    const double xMin = f.xMin, xMax = f.xMax, yMin = f.yMin, yMax = f.yMax;
    if (l.a1 == 0) return GraphSegment{{xMin, l.b / l.a2}, {xMax, l.b / l.a2}};
    return GraphSegment{{l.b / l.a1, yMin}, {l.b / l.a1, yMax}};
  }
  const double s = -l.a1 / l.a2, c = l.b / l.a2;
  return GraphSegment{EdgeEnd(f.xMin, s, c, f), EdgeEnd(f.xMax, s, c, f)};
}

std::optional<GraphPoint> GraphLabelPosition(const GraphLine &l, const GraphFrame &f) {
  if (l.a1 == 0 && l.a2 == 0) return std::nullopt;
  if (l.a1 * l.a2 == 0) {
    if (l.a2 == 0) return GraphPoint{l.b / l.a1, -0.6 * f.step};
    return GraphPoint{-0.9 * f.step, l.b / l.a2};
  }
  const double s = -l.a1 / l.a2, c = l.b / l.a2;
  double x = -0.9 * f.step;
  double y = static_cast<float>(x * s + c);
  if (y < -f.step) {
    y = -0.6 * f.step;
    x = (y - c) / s;
  } else if (y > f.yMax) {
    y = 0.99 * f.yMax;
    x = (y - c) / s;
  }
  return GraphPoint{x, y};
}

double QuadrantDotSpacing(const GraphFrame &f) {
  static constexpr double kFactors[7] = {0.5, 0.4, 0.35, 0.3, 0.25, 0.2, 0.15};
  return Spacing(f, kFactors);
}

double FeasibleDotSpacing(const GraphFrame &f) {
  static constexpr double kFactors[7] = {0.5, 0.4, 0.35, 0.32, 0.25, 0.23, 0.15};
  return Spacing(f, kFactors);
}

bool PointFeasible(const std::vector<TypedRow> &rows, double x1, double x2) {
  for (const TypedRow &r : rows) {
    const double lhs = x2 * r.a2 + x1 * r.a1;
    switch (r.rel) {
    case '<':
      if (0.99 * r.b < lhs) return false;
      break;
    case '>':
      if (1.01 * r.b > lhs) return false;
      break;
    case '=':
      if (lhs != r.b) return false;
      break;
    default:
      break;
    }
  }
  return !rows.empty();
}

std::vector<double> ObjectiveFrameValues(std::int16_t objSense, double z, double infinity) {
  if (std::fabs(z) == infinity) return {z};
  if (objSense == 1) return {6 * z / 3, 5 * z / 3, 4 * z / 3, 3 * z / 3};
  return {1 * z / 4, 2 * z / 4, 3 * z / 4, 4 * z / 4};
}

std::int64_t ZoomStep(std::int64_t max, bool out) {
  const auto v = static_cast<std::int64_t>(std::nearbyint((out ? 1.25 : 0.8) * static_cast<double>(max)));
  return out ? std::max(v, max + 1) : std::min(v, max - 1);
}

std::optional<std::int16_t> ZoomedInMax(std::int16_t max, bool limited) {
  if (limited && 0.8 * max <= 3) return std::nullopt;
  const std::int64_t v = ZoomStep(max, false);
  if (v < 1) return std::nullopt;
  return static_cast<std::int16_t>(v);
}

std::optional<std::int16_t> ZoomedOutMax(std::int16_t max) {
  const std::int64_t v = ZoomStep(max, true);
  if (v > 32767) return std::nullopt;
  return static_cast<std::int16_t>(v);
}

PrintedGraphFrame PrintedFrame(const GraphFrame &f) {
  const double xr = f.xMax - f.xMin, yr = f.yMax - f.yMin;
  auto r32 = [](double v) { return static_cast<std::int32_t>(std::nearbyint(v)); };
  PrintedGraphFrame p;
  // The margins as shares of the ranges; the same frame as scaling each end by its own share,
  // without dividing by an end that may be 0.
  p.left = r32(f.xMin - 0.3 * xr / 0.647);
  p.right = r32(f.xMax + 0.053 * xr / 0.647);
  p.bottom = r32(f.yMin - 0.15 * yr / 0.5);
  p.top = r32(f.yMax + 0.35 * yr / 0.5);
  return p;
}

} // namespace quon
