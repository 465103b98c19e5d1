#include "linear/lp_graph.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/surface_core.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

GraphLine TabLine(int k) {
  const int r = k + 2;
  return {g.Tab(r, 1), g.Tab(r, 2), g.Tab(r, g.NColsPlus1)};
}

// Which items 0..MRows are graphed: an item is when any entry of GraphDrawn holds its number.
std::vector<bool> GraphedItems() {
  std::vector<bool> graphed(static_cast<std::size_t>(g.MRows) + 1, false);
  for (int i = 0; i <= g.MRows; ++i) {
    const int k = g.GraphDrawn(i);
    if (k >= 0 && k <= g.MRows) graphed[static_cast<std::size_t>(k)] = true;
  }
  return graphed;
}

// The graphed constraints as the user typed them: a row typed with a negative right-hand side
// is kept negated in the standard form, so its relation only fits the typed row.
std::vector<TypedRow> GraphedTypedRows(const std::vector<bool> &graphed) {
  std::vector<TypedRow> rows;
  for (int i = 1; i <= g.MRows; ++i) {
    if (!graphed[static_cast<std::size_t>(i)]) continue;
    const std::string rel = g.ConstrType(i).str();
    rows.push_back({g.LPData(i + 2, 1), g.LPData(i + 2, 2), g.LPData(i + 2, g.RHSInCol), rel.empty() ? ' ' : rel[0]});
  }
  return rows;
}

void Dot(Surface &s, double x, double y) { s.Point(x, y, s.ForeColor()); }

std::string F(double v) { return Format(v, NumberFormatString()); }

std::string RelationText(int i) {
  const std::string t = g.ConstrType(i).str();
  if (t == "<") return "<=";
  if (t == ">") return ">=";
  return t;
}

} // namespace

GraphFrame CurrentGraphFrame() {
  return {g.GraphXMin, g.GraphXMax, g.GraphYMin, g.GraphYMax, g.GraphStep};
}

void SetGraphFrame(const GraphFrame &f) {
  g.GraphXMin = f.xMin;
  g.GraphXMax = f.xMax;
  g.GraphYMin = f.yMin;
  g.GraphYMax = f.yMax;
  g.GraphStep = f.step;
}

void ApplyGraphScale(Surface &picture) {
  picture.ScaleSet(g.GraphXMin, g.GraphYMax, g.GraphXMax - g.GraphXMin, g.GraphYMin - g.GraphYMax);
}

void SetLPGraphScale(Surface &picture) {
  g.Tab(2, g.NColsPlus1) = g.ZValue;
  std::vector<GraphLine> rows;
  for (int k = 1; k <= g.MRows; ++k)
    rows.push_back(TabLine(k));
  const std::optional<GraphFrame> f = LPGraphScale(rows, g.XSol(1), g.XSol(2));
  if (!f) {
    g.GraphXMax = kUnwieldyScale;
    return;
  }
  SetGraphFrame(*f);
  ApplyGraphScale(picture);
}

namespace {

// The picture's own area: the axis frame, which labels stay inside.
LPGraphArea ScreenArea() {
  return {static_cast<double>(g.GraphXMax) - g.GraphXMin,
          static_cast<double>(g.GraphYMin) - g.GraphYMax,
          {static_cast<double>(g.GraphXMin), static_cast<double>(g.GraphYMin), static_cast<double>(g.GraphXMax),
           static_cast<double>(g.GraphYMax)}};
}

ChartRoom RoomFor(const Surface &p, const LPGraphArea &a, bool onPaper) {
  const double tpp = onPaper ? kPrinterTwipsPerPixel : kScreenTwipsPerPixel;
  return ChartRoom(p, a.width, a.height, tpp, a.inside, onPaper ? 2 * tpp : tpp);
}

// The twips a number stands off its axis and tick dot.
double AxisClear(bool onPaper) { return onPaper ? 30 : 4 * kScreenTwipsPerPixel; }

// The axes and their tick dots, kept in the room. The foreground stays as it was for the axes
// (blue after a reset, red after a drawing); the dots are blue on the screen.
void DrawAxisLines(Surface &p, ChartRoom &room, bool onPaper) {
  const Rgb axes = p.ForeColor();
  p.SetDrawWidth(1);
  room.Line(p, g.GraphXMin, 0, g.GraphXMax, 0, axes);
  room.Line(p, 0, g.GraphYMin, 0, g.GraphYMax, axes);
  if (!onPaper) p.SetForeColor(kBlue);
  p.SetDrawWidth(onPaper ? 20 : 2);
  const int step = g.GraphStep > 0 ? g.GraphStep : 1;
  for (int x = g.GraphXMin; x <= g.GraphXMax; x += step)
    room.Point(p, x, 0, p.ForeColor());
  for (int y = g.GraphYMin; y <= g.GraphYMax; y += step)
    room.Point(p, 0, y, p.ForeColor());
}

// Every tick's value (every second one's on axes beyond 1000, as they would run into each
// other) and the axes' names, none ever left out: the x values under the x axis after their
// ticks, the y values left of the y axis level with theirs, each elsewhere near its tick where
// a line runs through that place. Lines drawn later break around a value no place kept clear.
void DrawAxisNumbers(Surface &p, ChartRoom &room, bool onPaper) {
  if (!onPaper) p.SetForeColor(kBlue);
  p.SetFontBold(true);
  const int step = g.GraphStep > 0 ? g.GraphStep : 1;
  const bool everySecond = g.GraphXMax > 1000;
  const double clear = AxisClear(onPaper);
  const double cx = clear * room.UnitX(), cy = clear * room.UnitY();
  const double h = p.TextHeight("0");
  int tick = 0;
  for (int x = g.GraphXMin; x <= g.GraphXMax; x += step) {
    if (everySecond && ++tick % 2 == 1) continue;
    const std::string number = Str(x);
    const double w = p.TextWidth(number);
    std::vector<ChartRoom::Place> places;
    // Under the axis after the tick, else before it, else a row lower, else over the axis;
    // each further from the tick after a line or the optimum's dot there.
    for (const double out : {0.0, 0.5 * w})
      for (const double top : {cy, 2 * cy + h, -h - cy}) {
        places.push_back({x + cx + out, top});
        places.push_back({x - cx - w - out, top});
      }
    room.PrintAxisNumber(p, places, number);
  }
  tick = 0;
  for (int y = g.GraphYMin; y <= g.GraphYMax; y += step) {
    if (everySecond && ++tick % 2 == 1) continue;
    const std::string number = Str(y);
    const double w = p.TextWidth(number);
    std::vector<ChartRoom::Place> places;
    // Left of the axis level with the tick (the x axis runs through the level of 0), else
    // over or under it, else as much further out; else right of the axis.
    for (const double out : {0.0, 0.5 * w, w + 2 * cx}) {
      if (y != 0) places.push_back({-cx - w - out, y - h / 2});
      places.push_back({-cx - w - out, y - h - cy});
      places.push_back({-cx - w - out, y + cy});
    }
    for (const ChartRoom::Place &at : std::vector<ChartRoom::Place>{{cx, y + cy}, {cx, y - h - cy}, {cx, y - h / 2}})
      places.push_back(at);
    room.PrintAxisNumber(p, places, number);
  }
  // The names: "x1" under the values near the axis's end, "x2" beside the top of its axis.
  const double w1 = p.TextWidth("x1"), w2 = p.TextWidth("x2");
  const double end = g.GraphXMax - cx - w1;
  std::vector<ChartRoom::Place> x1{{g.GraphXMax - 1.5 * step, 2 * cy + h}, {end, 2 * cy + h}, {end, cy}};
  for (int k = 0; k < 4; ++k)
    x1.push_back({end, -h - cy + k * -h});
  room.PrintAxisNumber(p, x1, "x1");
  const double top = g.GraphYMax - 0.5 * step;
  std::vector<ChartRoom::Place> x2{{-cx - w2, top}, {cx, top}};
  for (int k = 1; k < 4; ++k) {
    x2.push_back({-cx - w2, top + k * h});
    x2.push_back({cx, top + k * h});
  }
  room.PrintAxisNumber(p, x2, "x2");
}

} // namespace

void DrawLPAxes(Surface &p) {
  const LPGraphArea area = ScreenArea();
  ChartRoom room = RoomFor(p, area, false);
  DrawAxisLines(p, room, false);
  DrawAxisNumbers(p, room, false);
  p.SetForeColor(kRed);
}

void ShadeQuadrant(Surface &p) {
  p.SetForeColor(kGrey);
  p.SetDrawWidth(2);
  const float h = static_cast<float>(QuadrantDotSpacing(CurrentGraphFrame()));
  if (h > 0)
    for (float x = h; x <= g.GraphXMax; x += h)
      for (float y = h; y <= g.GraphYMax; y += h)
        Dot(p, x, y);
  p.SetForeColor(kBlue);
}

bool IsPointFeasible(double x1, double x2) {
  return PointFeasible(GraphedTypedRows(GraphedItems()), x1, x2);
}

void RecountGraphDrawn() {
  int16 n = 0;
  for (int i = 1; i <= g.MRows; ++i)
    if (g.GraphDrawn(i) > 0) ++n;
  g.GraphDrawnCount = n;
}

void DrawLPConstraint(int16 &first, int16 &last, Surface &t, bool onPaper, const LPGraphArea *paperArea) {
  if (first == 0 && g.LPResult != LPStatus::Optimal) first = 1;
  if (g.Tab(2, 1) == 0 && g.Tab(2, 2) == 0) first = 1;
  g.GraphDrawn(0) = 0;
  const std::vector<bool> graphed = GraphedItems();
  const GraphFrame frame = CurrentGraphFrame();
  auto isGraphed = [&](int k) { return k >= 0 && k <= g.MRows && graphed[static_cast<std::size_t>(k)]; };
  const LPGraphArea area = paperArea ? *paperArea : ScreenArea();
  const double tpp = onPaper ? kPrinterTwipsPerPixel : kScreenTwipsPerPixel;
  ChartRoom room = RoomFor(t, area, onPaper);

  // The axes; then every line graphed, kept before any text is placed, so that the axes'
  // values and the optimum's caption find places clear of them where there are any.
  DrawAxisLines(t, room, onPaper);
  struct Drawn {
    int k;
    GraphSegment seg;
  };
  std::vector<Drawn> drawn;
  for (int k = first; k <= last; ++k) {
    if (!isGraphed(k)) continue;
    if (const auto seg = ClipGraphLine(TabLine(k), frame)) {
      drawn.push_back({k, *seg});
      room.KeepLine(seg->from.x, seg->from.y, seg->to.x, seg->to.y, k == 0 ? (onPaper ? 6 : 5) : 2);
    }
  }
  const bool optimumShown =
      g.GraphDrawnCount != 0 && std::fabs(g.Tab(2, g.NColsPlus1) - g.ZValue) < g.Eps;
  const int optimumW = onPaper ? 40 : 15;
  if (optimumShown) room.KeepLine(g.XSol(1), g.XSol(2), g.XSol(1), g.XSol(2), optimumW);
  DrawAxisNumbers(t, room, onPaper);

  // The optimum's caption keeps its place before any label takes it: beside the point, on
  // whichever side its lines leave room.
  const char *optimum = g.LPResult == LPStatus::Unbounded ? "     Optimum solution is UNBOUNDED"
                        : g.LPResult != LPStatus::Optimal ? "      Problem has no feasible solution"
                                                          : "     Optimum";
  ChartRoom::Place optimumAt{0, 0};
  t.SetFontBold(true);
  // The caption's leading blanks only kept its words off the point where it was printed from
  // the point itself: placed by the room, the words stand alone.
  const std::string word = Trim(optimum);
  if (optimumShown) {
    const double x = g.XSol(1), y = g.XSol(2);
    const double w = t.TextWidth(word), h = t.TextHeight(word);
    const double off = (0.5 * optimumW + 2) * tpp;
    const double ox = off * room.UnitX(), oy = off * room.UnitY();
    // The caption's leading blanks stand to the right of the point: on the left the word
    // itself comes first.
    std::vector<ChartRoom::Place> places{{x + ox, y - h / 2}, {x + ox, y + oy}, {x + ox, y - h - oy}};
    for (int k = 1; k <= 4; ++k)
      for (const double dy : {k * -h, k * h}) {
        places.push_back({x + ox, y - h / 2 + dy});
        places.push_back({x - ox - w, y - h / 2 + dy});
      }
    places.push_back({x - ox - w, y - h / 2});
    // With no room clear of every line: the first place clear of the other texts, where the
    // lines drawn next break around it.
    if (!room.Take(t, places, word, optimumAt))
      optimumAt = room.TakeAnyway(t, {{x + ox, y - h / 2}, {x - ox - w, y - h / 2}, {x + ox, y + oy}}, word);
  }

  for (const Drawn &d : drawn) {
    t.SetFontBold(false);
    t.SetDrawWidth(d.k == 0 ? (onPaper ? 6 : 5) : 2);
    if (!onPaper) t.SetForeColor(d.k == 0 ? kBlue : kRed);
    room.LineAround(t, d.seg.from.x, d.seg.from.y, d.seg.to.x, d.seg.to.y, t.ForeColor(), false);
  }

  // Each line's name beside it on its yellow box: where the line leaves the frame at the left
  // or the foot, else beside some point along it from its ends inwards, on whichever side
  // stands clear. A name with no such place is listed with its line where there is room, and
  // a note counts any for which even that is lacking.
  t.SetFontBold(true);
  std::vector<std::string> listed;
  const std::string note =
      onPaper ? " more constraints: see the original data" : " more constraints: see the list beside the graph";
  const double listX = area.inside.x1 + std::fabs(t.TextWidth(" "));
  const double listColumn = (area.inside.x2 - area.inside.x1) / 24;
  room.ReserveNote(t, static_cast<int>(drawn.size()), listX, listColumn, note);
  for (const Drawn &d : drawn) {
    // A name's corner stands off its line by the pen's half width, the room's gap and a pixel,
    // so that its box clears the line at any slope.
    const double clear = (2 + 0.5 * (d.k == 0 ? (onPaper ? 6 : 5) : 2) + (onPaper ? 2 : 1)) * tpp;
    const double cx = clear * room.UnitX(), cy = clear * room.UnitY();
    const std::string label = d.k == 0 ? "Obj" : "(" + Str(d.k) + ")";
    const double w = t.TextWidth(label), h = t.TextHeight(label);
    std::vector<ChartRoom::Place> places;
    if (const auto at = GraphLabelPosition(TabLine(d.k), frame)) places.push_back({at->x, at->y});
    for (int i = 0; i < 13; ++i)
      for (const double f : {0.04 + 0.08 * i, 0.96 - 0.08 * i}) {
        const double px = d.seg.from.x + (d.seg.to.x - d.seg.from.x) * f;
        const double py = d.seg.from.y + (d.seg.to.y - d.seg.from.y) * f;
        places.push_back({px + cx, py + cy});
        places.push_back({px - cx - w, py - h - cy});
        places.push_back({px + cx, py - h - cy});
        places.push_back({px - cx - w, py + cy});
      }
    ChartRoom::Place at{0, 0};
    if (!room.Take(t, places, label, at)) {
      const GraphLine l = TabLine(d.k);
      if (d.k == 0)
        listed.push_back(label + ": " + Trim(F(l.a1)) + "x1 + " + Trim(F(l.a2)) + "x2 = " + Trim(F(l.b)));
      else
        listed.push_back(label + ": " + Trim(F(g.LPData(d.k + 2, 1))) + "x1 + " + Trim(F(g.LPData(d.k + 2, 2))) +
                         "x2 " + RelationText(d.k) + " " + Trim(F(g.LPData(d.k + 2, g.RHSInCol))));
      continue;
    }
    t.FilledBox(at.first, at.second, at.first + w, at.second + h, kYellow);
    if (!onPaper) t.SetForeColor(kBlue);
    t.SetCurrentX(at.first);
    t.SetCurrentY(at.second);
    t.Print(label);
  }
  room.ReleaseNote();
  if (!listed.empty()) {
    double widest = 0;
    for (const std::string &text : listed)
      widest = std::max(widest, t.TextWidth(text));
    room.PrintListWithNote(t, listed, listX, widest + 3 * t.TextWidth(" "), listColumn, note);
  }

  // The dots go over the lines, but give way to every text.
  t.SetDrawWidth(onPaper ? 8 : 2);
  if (!onPaper) t.SetForeColor(kGrey);
  const float h = static_cast<float>(FeasibleDotSpacing(frame));
  const std::vector<TypedRow> rows = GraphedTypedRows(graphed);
  const bool none = g.GraphDrawnCount == 0;
  const double half = 0.5 * t.DrawWidth() * tpp;
  const double hx = std::fabs(half * room.UnitX()), hy = std::fabs(half * room.UnitY());
  if (h > 0)
    for (float x = h; x <= g.GraphXMax; x += h)
      for (float y = h; y <= g.GraphYMax; y += h)
        if ((none || PointFeasible(rows, x, y)) && !room.MeetsText({x - hx, y - hy, x + hx, y + hy})) Dot(t, x, y);

  if (g.GraphDrawnCount == 0) return;
  t.SetDrawWidth(optimumW);
  if (!onPaper) t.SetForeColor(kBlue);
  // Only the frame with the objective line at the optimum shows the optimum.
  if (!optimumShown) return;
  Dot(t, g.XSol(1), g.XSol(2));
  t.SetFontBold(true);
  t.SetCurrentX(optimumAt.first);
  t.SetCurrentY(optimumAt.second);
  t.Print(word);
}

} // namespace quon
