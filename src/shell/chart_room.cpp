#include "shell/chart_room.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quon {

ChartRoom::ChartRoom(const Surface &s, double width, double height, double twipsPerPixel, Box inside,
                     double gapTwips)
    : unitX_(width / s.ScaleWidthTwips()), unitY_(height / s.ScaleHeightTwips()),
      twipsPerPixel_(twipsPerPixel), gapX_(std::fabs(gapTwips * width / s.ScaleWidthTwips())),
      gapY_(std::fabs(gapTwips * height / s.ScaleHeightTwips())), inside_(Normal(inside)) {}

ChartRoom::Box ChartRoom::Normal(const Box &b) {
  return {std::min(b.x1, b.x2), std::min(b.y1, b.y2), std::max(b.x1, b.x2), std::max(b.y1, b.y2)};
}

namespace {

// A scan of everything is cheaper than buckets up to this many lines and texts.
constexpr std::size_t kBucketsFrom = 48;

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Far more than rounding could move a bound by: the buckets of an item never miss a box the
// exact test finds it meets.
double Slack(double a, double b, double cell) { return 1e-7 * (std::fabs(a) + std::fabs(b)) + 1e-3 * cell; }

int Cell(double v, double origin, double size, int n) {
  const double c = std::floor((v - origin) / size);
  if (!(c > 0)) return 0;
  if (c >= n - 1) return n - 1;
  return static_cast<int>(c);
}

} // namespace

void ChartRoom::Buckets::Reset(const Box &area, int n) {
  x0 = area.x1;
  y0 = area.y1;
  across = down = n;
  cellW = (area.x2 - area.x1) / n;
  cellH = (area.y2 - area.y1) / n;
  cells.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), {});
  everywhere.clear();
  seen.clear();
}

void ChartRoom::Buckets::ColumnRange(double a, double b, int &i0, int &i1) const {
  i0 = Cell(a, x0, cellW, across);
  i1 = Cell(b, x0, cellW, across);
}

void ChartRoom::Buckets::RowRange(double a, double b, int &j0, int &j1) const {
  j0 = Cell(a, y0, cellH, down);
  j1 = Cell(b, y0, cellH, down);
}

void ChartRoom::Buckets::Add(std::uint32_t id, double a, double b, double c, double d) {
  if (seen.size() <= id) seen.resize(id + 1, 0);
  if (!Finite(a, b, c, d)) {
    everywhere.push_back(id);
    return;
  }
  const double sx = Slack(a, b, cellW), sy = Slack(c, d, cellH);
  int i0, i1, j0, j1;
  ColumnRange(a - sx, b + sx, i0, i1);
  RowRange(c - sy, d + sy, j0, j1);
  for (int j = j0; j <= j1; ++j)
    for (int i = i0; i <= i1; ++i)
      cells[static_cast<std::size_t>(j) * across + i].push_back(id);
}

void ChartRoom::Buckets::AddSegment(std::uint32_t id, const Segment &l, double gapX, double gapY) {
  const double ex = l.halfX + gapX, ey = l.halfY + gapY;
  const double xa = std::min(l.x1, l.x2), xb = std::max(l.x1, l.x2);
  const double ya = std::min(l.y1, l.y2), yb = std::max(l.y1, l.y2);
  const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
  if (!Finite(xa - ex, xb + ex, ya - ey, yb + ey) || !std::isfinite(dx) || !std::isfinite(dy)) {
    if (seen.size() <= id) seen.resize(id + 1, 0);
    everywhere.push_back(id);
    return;
  }
  const double sx = Slack(xa, xb, cellW) + Slack(x0, x0 + across * cellW, 0);
  int i0, i1;
  ColumnRange(xa - ex - sx, xb + ex + sx, i0, i1);
  if (i0 == i1 || dx == 0 || dy == 0) {
    Add(id, xa - ex, xb + ex, ya - ey, yb + ey);
    return;
  }
  // A slanting line only in the buckets it passes near, column by column: the part of it
  // within reach of the column across, and the rows within reach of that part.
  if (seen.size() <= id) seen.resize(id + 1, 0);
  const double inf = std::numeric_limits<double>::infinity(), sy = Slack(ya, yb, cellH);
  for (int i = i0; i <= i1; ++i) {
    const double lo = i == 0 ? -inf : x0 + i * cellW - ex - sx;
    const double hi = i == across - 1 ? inf : x0 + (i + 1) * cellW + ex + sx;
    double ta = (lo - l.x1) / dx, tb = (hi - l.x1) / dx;
    if (ta > tb) std::swap(ta, tb);
    ta = std::max(ta, 0.0);
    tb = std::min(tb, 1.0);
    if (ta > tb) continue;
    const double ua = l.y1 + dy * ta, ub = l.y1 + dy * tb;
    int j0, j1;
    RowRange(std::min(ua, ub) - ey - sy, std::max(ua, ub) + ey + sy, j0, j1);
    for (int j = j0; j <= j1; ++j)
      cells[static_cast<std::size_t>(j) * across + i].push_back(id);
  }
}

template <class Meets> bool ChartRoom::Buckets::Any(const Box &b, std::uint32_t query, Meets meets) const {
  for (const std::uint32_t id : everywhere)
    if (meets(id)) return true;
  int i0, i1, j0, j1;
  ColumnRange(b.x1, b.x2, i0, i1);
  RowRange(b.y1, b.y2, j0, j1);
  for (int j = j0; j <= j1; ++j)
    for (int i = i0; i <= i1; ++i)
      for (const std::uint32_t id : cells[static_cast<std::size_t>(j) * across + i]) {
        if (seen[id] == query) continue;
        seen[id] = query;
        if (meets(id)) return true;
      }
  return false;
}

void ChartRoom::Index() const {
  const std::size_t n = lines_.size() + taken_.size();
  if (indexed_ || n < kBucketsFrom) return;
  const Box &a = inside_;
  if (!Finite(a.x1, a.x2, a.y1, a.y2) || !std::isfinite(a.x2 - a.x1) || !std::isfinite(a.y2 - a.y1) ||
      !(a.x2 > a.x1) || !(a.y2 > a.y1))
    return;
  const int side = std::clamp(static_cast<int>(2 * std::sqrt(static_cast<double>(n))), 16, 128);
  textBuckets_.Reset(a, side);
  lineBuckets_.Reset(a, side);
  for (std::size_t id = 0; id < taken_.size(); ++id) {
    const Box &t = taken_[id];
    textBuckets_.Add(static_cast<std::uint32_t>(id), t.x1 - gapX_, t.x2 + gapX_, t.y1 - gapY_, t.y2 + gapY_);
  }
  for (std::size_t id = 0; id < lines_.size(); ++id)
    lineBuckets_.AddSegment(static_cast<std::uint32_t>(id), lines_[id], gapX_, gapY_);
  indexed_ = true;
}

void ChartRoom::KeepText(const Box &normal) {
  taken_.push_back(normal);
  if (indexed_)
    textBuckets_.Add(static_cast<std::uint32_t>(taken_.size() - 1), normal.x1 - gapX_, normal.x2 + gapX_,
                     normal.y1 - gapY_, normal.y2 + gapY_);
}

void ChartRoom::KeepLine(double x1, double y1, double x2, double y2, int widthPixels) {
  // A pen draws half its width on each side of the line, and round ends as far past them.
  const double half = 0.5 * std::max(1, widthPixels) * twipsPerPixel_;
  lines_.push_back({x1, y1, x2, y2, std::fabs(half * unitX_), std::fabs(half * unitY_)});
  if (indexed_) lineBuckets_.AddSegment(static_cast<std::uint32_t>(lines_.size() - 1), lines_.back(), gapX_, gapY_);
}

void ChartRoom::Line(Surface &s, double x1, double y1, double x2, double y2, Rgb color) {
  s.Line(x1, y1, x2, y2, color);
  KeepLine(x1, y1, x2, y2, s.DrawWidth());
}

void ChartRoom::Point(Surface &s, double x, double y, Rgb color) {
  s.Point(x, y, color);
  KeepLine(x, y, x, y, s.DrawWidth());
}

ChartRoom::Box ChartRoom::TextBox(const Surface &s, double x, double y, const std::string &text) {
  return {x, y, x + s.TextWidth(text), y + s.TextHeight(text)};
}

bool ChartRoom::Inside(const Box &b) const {
  return b.x1 >= inside_.x1 && b.x2 <= inside_.x2 && b.y1 >= inside_.y1 && b.y2 <= inside_.y2;
}

namespace {

// The part t0..t1 (of 0..1) of the segment inside the box (Liang-Barsky); false when none.
bool ClipToBox(double x1, double y1, double x2, double y2, double left, double bottom, double right, double top,
               double &t0, double &t1) {
  const double dx = x2 - x1, dy = y2 - y1;
  t0 = 0;
  t1 = 1;
  for (const auto &[p, q] : {std::pair{-dx, x1 - left}, std::pair{dx, right - x1}, std::pair{-dy, y1 - bottom},
                             std::pair{dy, top - y1}}) {
    if (p == 0) {
      if (q < 0) return false;
      continue;
    }
    const double r = q / p;
    if (p < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  return t0 <= t1;
}

} // namespace

bool ChartRoom::FreeOfTexts(const Box &box) const {
  const Box b = Normal(box);
  return Inside(b) && !MeetsText(b);
}

bool ChartRoom::TextMeets(const Box &b, const Box &t) const {
  return b.x1 < t.x2 + gapX_ && t.x1 < b.x2 + gapX_ && b.y1 < t.y2 + gapY_ && t.y1 < b.y2 + gapY_;
}

bool ChartRoom::MeetsText(const Box &box) const {
  const Box b = Normal(box);
  Index();
  if (indexed_ && Finite(b.x1, b.x2, b.y1, b.y2)) {
    if (++query_ == 0) {
      textBuckets_.seen.assign(textBuckets_.seen.size(), 0);
      lineBuckets_.seen.assign(lineBuckets_.seen.size(), 0);
      query_ = 1;
    }
    return textBuckets_.Any(b, query_, [&](std::uint32_t id) { return TextMeets(b, taken_[id]); });
  }
  for (const Box &t : taken_)
    if (TextMeets(b, t)) return true;
  return false;
}

bool ChartRoom::Free(const Box &box) const { return Inside(Normal(box)) && Clear(box); }

bool ChartRoom::Clear(const Box &box) const {
  const Box b = Normal(box);
  if (MeetsText(b)) return false;
  // The segment clipped to the box grown by the pen's half width and the gap: anything left of
  // it crosses the label.
  const auto crosses = [&](const Segment &l) {
    double t0, t1;
    return ClipToBox(l.x1, l.y1, l.x2, l.y2, b.x1 - l.halfX - gapX_, b.y1 - l.halfY - gapY_, b.x2 + l.halfX + gapX_,
                     b.y2 + l.halfY + gapY_, t0, t1);
  };
  // MeetsText has built the buckets if there are enough, and moved on the query.
  if (indexed_ && Finite(b.x1, b.x2, b.y1, b.y2))
    return !lineBuckets_.Any(b, query_, [&](std::uint32_t id) { return crosses(lines_[id]); });
  for (const Segment &l : lines_)
    if (crosses(l)) return false;
  return true;
}

void ChartRoom::PrintAxisNumber(Surface &s, const std::vector<Place> &places, const std::string &text) {
  if (places.empty()) return;
  const Place at = TakeAnyway(s, places, text);
  s.SetCurrentX(at.first);
  s.SetCurrentY(at.second);
  s.Print(text);
}

ChartRoom::Place ChartRoom::TakeAnyway(const Surface &s, const std::vector<Place> &places, const std::string &text) {
  Place free{0, 0};
  if (Take(s, places, text, free)) return free;
  const double w = s.TextWidth(text), h = s.TextHeight(text);
  // Clear of the other texts, else the first place (where the room is too small for it to
  // stand whole beside the others).
  Place at = places.front();
  for (const Place &p : places)
    if (FreeOfTexts({p.first, p.second, p.first + w, p.second + h})) {
      at = p;
      break;
    }
  const Box box = Normal({at.first, at.second, at.first + w, at.second + h});
  KeepText(box);
  forced_.push_back(box);
  return at;
}

void ChartRoom::LineAround(Surface &s, double x1, double y1, double x2, double y2, Rgb color, bool keep) {
  const double half = 0.5 * std::max(1, s.DrawWidth()) * twipsPerPixel_;
  const double hx = std::fabs(half * unitX_) + gapX_, hy = std::fabs(half * unitY_) + gapY_;
  // The parts of 0..1 under a number, then the line drawn between them.
  std::vector<std::pair<double, double>> holes;
  for (const Box &b : forced_) {
    double t0, t1;
    if (ClipToBox(x1, y1, x2, y2, b.x1 - hx, b.y1 - hy, b.x2 + hx, b.y2 + hy, t0, t1)) holes.push_back({t0, t1});
  }
  std::sort(holes.begin(), holes.end());
  double from = 0;
  const auto piece = [&](double a, double b) {
    if (b <= a) return;
    const double ax = x1 + (x2 - x1) * a, ay = y1 + (y2 - y1) * a, bx = x1 + (x2 - x1) * b, by = y1 + (y2 - y1) * b;
    if (keep)
      Line(s, ax, ay, bx, by, color);
    else
      s.Line(ax, ay, bx, by, color);
  };
  for (const auto &[a, b] : holes) {
    piece(from, a);
    from = std::max(from, b);
  }
  piece(from, 1);
}

bool ChartRoom::Take(const Surface &s, const std::vector<Place> &places, const std::string &text,
                     Place &found) {
  return Take(s, places, text, 0, found);
}

bool ChartRoom::Take(const Surface &s, const std::vector<Place> &places, const std::string &text, double pad,
                     Place &found) {
  // Measured once: a text's extent costs a font lookup on a screen.
  return TakeMeasured(places, s.TextWidth(text), s.TextHeight(text), pad, found);
}

bool ChartRoom::TakeMeasured(const std::vector<Place> &places, double w, double h, double pad, Place &found) {
  for (const Place &at : places) {
    const Box box{at.first, at.second, at.first + w, at.second + h};
    if (!Inside(Normal(box)) || !Clear({box.x1 - pad, box.y1, box.x2 + pad, box.y2})) continue;
    KeepText(Normal(box));
    found = at;
    return true;
  }
  return false;
}

bool ChartRoom::Print(Surface &s, const std::vector<Place> &places, const std::string &text) {
  return Print(s, places, text, s.TextWidth(text), s.TextHeight(text));
}

bool ChartRoom::Print(Surface &s, const std::vector<Place> &places, const std::string &text, double w, double h) {
  Place at;
  if (!TakeMeasured(places, w, h, 0, at)) return false;
  s.SetCurrentX(at.first);
  s.SetCurrentY(at.second);
  s.Print(text);
  return true;
}

std::vector<ChartRoom::Place> ChartRoom::GridPlaces(const Surface &s, double firstColumnX, double column,
                                                    bool downFirst) const {
  // Rows a line and the gap apart (a little more, against rounding), the gap taking the sign
  // of a line down the page.
  const double line = s.TextHeight("B");
  const double step = line + std::copysign(2.01 * gapY_, line);
  // The top of the room as the page reads it: where a twip down is a step down the list.
  const double top = unitY_ < 0 ? inside_.y2 : inside_.y1;
  const int rows = static_cast<int>(std::floor((inside_.y2 - inside_.y1) / std::fabs(step)));
  const int columns = column > 0 ? static_cast<int>(std::floor((inside_.x2 - firstColumnX) / column)) + 1 : 1;
  std::vector<Place> places;
  for (int outer = 0; outer < (downFirst ? columns : rows); ++outer)
    for (int inner = 0; inner < (downFirst ? rows : columns); ++inner) {
      const int row = downFirst ? inner : outer, col = downFirst ? outer : inner;
      places.push_back({firstColumnX + col * column, top + row * step});
    }
  return places;
}

bool ChartRoom::TakeInGrid(const Surface &s, const std::string &text, double firstColumnX, double column,
                           bool downFirst, double pad, Place &found) {
  return Take(s, GridPlaces(s, firstColumnX, column, downFirst), text, pad, found);
}

std::vector<std::string> ChartRoom::PrintList(Surface &s, const std::vector<std::string> &texts,
                                              double firstColumnX, double column, bool downFirst) {
  std::vector<std::string> left;
  if (texts.empty()) return left;
  // A blank clear on either side: an entry never reads on into its neighbour or a line.
  const double pad = std::fabs(s.TextWidth(" "));
  const std::vector<Place> places = GridPlaces(s, firstColumnX, column, downFirst);
  // The extents of texts that found no room: the room only fills as the list goes on, so a
  // text reaching as far across and down (the same way) finds none either.
  std::vector<std::pair<double, double>> roomless;
  const auto covers = [](double big, double small) {
    return (small >= 0 && big >= small) || (small <= 0 && big <= small);
  };
  for (const std::string &text : texts) {
    const double w = s.TextWidth(text), h = s.TextHeight(text);
    const bool hopeless = std::any_of(roomless.begin(), roomless.end(), [&](const std::pair<double, double> &e) {
      return covers(w, e.first) && covers(h, e.second);
    });
    Place at;
    if (hopeless || !TakeMeasured(places, w, h, pad, at)) {
      if (!hopeless) roomless.push_back({w, h});
      left.push_back(text);
      continue;
    }
    s.SetCurrentX(at.first);
    s.SetCurrentY(at.second);
    s.Print(text);
  }
  return left;
}

void ChartRoom::ReserveNote(const Surface &s, int most, double firstColumnX, double column,
                            const std::string &note) {
  Place at{0, 0};
  noteKept_ = TakeInGrid(s, std::to_string(most) + note, firstColumnX, column, false, 0, at);
  noteAt_ = taken_.size() - 1;
}

void ChartRoom::ReleaseNote() {
  if (noteKept_) {
    taken_.erase(taken_.begin() + static_cast<std::ptrdiff_t>(noteAt_));
    if (indexed_) {
      // The texts after it have moved down one: bucketed afresh.
      textBuckets_.Reset(inside_, textBuckets_.across);
      for (std::size_t id = 0; id < taken_.size(); ++id) {
        const Box &t = taken_[id];
        textBuckets_.Add(static_cast<std::uint32_t>(id), t.x1 - gapX_, t.x2 + gapX_, t.y1 - gapY_, t.y2 + gapY_);
      }
    }
  }
  noteKept_ = false;
}

void ChartRoom::PrintListWithNote(Surface &s, const std::vector<std::string> &texts, double firstColumnX,
                                  double wideColumn, double column, const std::string &note) {
  if (texts.empty()) return;
  Place at;
  const bool noted = TakeInGrid(s, std::to_string(texts.size()) + note, firstColumnX, column, false, 0, at);
  std::vector<std::string> left =
      wideColumn > 0 ? PrintList(s, texts, firstColumnX, wideColumn, true) : texts;
  left = PrintList(s, left, firstColumnX, column);
  if (left.empty() || !noted) return;
  s.SetCurrentX(at.first);
  s.SetCurrentY(at.second);
  s.Print(std::to_string(left.size()) + note);
}

} // namespace quon
