#include "linear/lp_graph.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/values.h"
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

void DrawLPAxes(Surface &p) {
  p.SetDrawWidth(1);
  p.Line(g.GraphXMin, 0, g.GraphXMax, 0, p.ForeColor());
  p.Line(0, g.GraphYMin, 0, g.GraphYMax, p.ForeColor());
  p.SetForeColor(kBlue);
  p.SetDrawWidth(2);
  p.SetFontBold(true);
  // Wide axes label every second tick only, so the values do not run into each other.
  const bool everySecond = g.GraphXMax > 1000;
  const int step = g.GraphStep > 0 ? g.GraphStep : 1;
  int tick = 0;
  for (int x = g.GraphXMin; x <= g.GraphXMax; x += step) {
    ++tick;
    Dot(p, x, 0);
    if (everySecond && tick % 2 == 1) continue;
    p.SetCurrentX(x);
    p.SetCurrentY(0);
    p.Print(Str(x));
  }
  p.SetCurrentX(g.GraphXMax - 1.5 * step);
  p.Print("x1");
  tick = 0;
  for (int y = g.GraphYMin; y <= g.GraphYMax; y += step) {
    ++tick;
    Dot(p, 0, y);
    if (everySecond && tick % 2 == 1) continue;
    p.SetCurrentX(0);
    p.SetCurrentY(y);
    p.Print(Str(y), false);
  }
  p.SetCurrentX(p.CurrentX() - 0.5 * step);
  p.SetCurrentY(g.GraphYMax - 0.5 * step);
  p.Print("x2");
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

void DrawLPConstraint(int16 &first, int16 &last, Surface &t, bool onPaper, ChartLabels *apart) {
  if (first == 0 && g.LPResult != LPStatus::Optimal) first = 1;
  if (g.Tab(2, 1) == 0 && g.Tab(2, 2) == 0) first = 1;
  g.GraphDrawn(0) = 0;
  const std::vector<bool> graphed = GraphedItems();
  const GraphFrame frame = CurrentGraphFrame();
  auto isGraphed = [&](int k) { return k >= 0 && k <= g.MRows && graphed[static_cast<std::size_t>(k)]; };

  for (int k = first; k <= last; ++k) {
    if (!isGraphed(k)) continue;
    t.SetFontBold(false);
    t.SetDrawWidth(k == 0 ? (onPaper ? 6 : 5) : 2);
    if (!onPaper) t.SetForeColor(k == 0 ? kBlue : kRed);
    if (const auto seg = ClipGraphLine(TabLine(k), frame))
      t.Line(seg->from.x, seg->from.y, seg->to.x, seg->to.y, t.ForeColor());
  }

  // The optimum's caption, printed last, keeps its place before any label takes it.
  const bool optimumShown =
      g.GraphDrawnCount != 0 && std::fabs(g.Tab(2, g.NColsPlus1) - g.ZValue) < g.Eps;
  const char *optimum = g.LPResult == LPStatus::Unbounded ? "     Optimum solution is UNBOUNDED"
                        : g.LPResult != LPStatus::Optimal ? "      Problem has no feasible solution"
                                                          : "     Optimum";
  if (apart && optimumShown) {
    t.SetFontBold(true);
    apart->Add(apart->TextBox(t, g.XSol(1), g.XSol(2) - t.TextHeight("OP"), optimum));
  }
  for (int k = first; k <= last; ++k) {
    if (!isGraphed(k)) continue;
    const auto at = GraphLabelPosition(TabLine(k), frame);
    if (!at) continue;
    t.SetFontBold(true);
    const std::string label = k == 0 ? "Obj" : "(" + Str(k) + ")";
    if (apart) {
      const ChartLabels::Box box = apart->TextBox(t, at->x, at->y, label);
      if (!apart->Free(box)) continue;
      apart->Add(box);
    }
    t.FilledBox(at->x, at->y, at->x + t.TextWidth("222"), at->y + t.TextHeight("2"), kYellow);
    if (!onPaper) t.SetForeColor(kBlue);
    t.SetCurrentX(at->x);
    t.SetCurrentY(at->y);
    t.Print(label);
  }

  // The dots go over the lines and labels.
  t.SetDrawWidth(onPaper ? 8 : 2);
  if (!onPaper) t.SetForeColor(kGrey);
  const float h = static_cast<float>(FeasibleDotSpacing(frame));
  const std::vector<TypedRow> rows = GraphedTypedRows(graphed);
  const bool none = g.GraphDrawnCount == 0;
  if (h > 0)
    for (float x = h; x <= g.GraphXMax; x += h)
      for (float y = h; y <= g.GraphYMax; y += h)
        if (none || PointFeasible(rows, x, y)) Dot(t, x, y);

  if (g.GraphDrawnCount == 0) return;
  t.SetDrawWidth(onPaper ? 40 : 15);
  if (!onPaper) t.SetForeColor(kBlue);
  // Only the frame with the objective line at the optimum shows the optimum.
  if (!optimumShown) return;
  Dot(t, g.XSol(1), g.XSol(2));
  t.SetCurrentX(g.XSol(1));
  t.SetCurrentY(g.XSol(2) - t.TextHeight("OP"));
  t.Print(optimum);
}

} // namespace quon
