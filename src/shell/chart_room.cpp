#include "shell/chart_room.h"

#include <algorithm>
#include <cmath>

namespace quon {

ChartRoom::ChartRoom(const Surface &s, double width, double height, double twipsPerPixel, Box inside,
                     double gapTwips)
    : unitX_(width / s.ScaleWidthTwips()), unitY_(height / s.ScaleHeightTwips()),
      twipsPerPixel_(twipsPerPixel), gapX_(std::fabs(gapTwips * width / s.ScaleWidthTwips())),
      gapY_(std::fabs(gapTwips * height / s.ScaleHeightTwips())), inside_(Normal(inside)) {}

ChartRoom::Box ChartRoom::Normal(const Box &b) {
  return {std::min(b.x1, b.x2), std::min(b.y1, b.y2), std::max(b.x1, b.x2), std::max(b.y1, b.y2)};
}

void ChartRoom::KeepLine(double x1, double y1, double x2, double y2, int widthPixels) {
  // A pen draws half its width on each side of the line, and round ends as far past them.
  const double half = 0.5 * std::max(1, widthPixels) * twipsPerPixel_;
  lines_.push_back({x1, y1, x2, y2, std::fabs(half * unitX_), std::fabs(half * unitY_)});
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

bool ChartRoom::MeetsText(const Box &box) const {
  const Box b = Normal(box);
  for (const Box &t : taken_)
    if (b.x1 < t.x2 + gapX_ && t.x1 < b.x2 + gapX_ && b.y1 < t.y2 + gapY_ && t.y1 < b.y2 + gapY_)
      return true;
  return false;
}

bool ChartRoom::Free(const Box &box) const { return Inside(Normal(box)) && Clear(box); }

bool ChartRoom::Clear(const Box &box) const {
  const Box b = Normal(box);
  if (MeetsText(b)) return false;
  for (const Segment &l : lines_) {
    // The segment clipped to the box grown by the pen's half width and the gap: anything left
    // of it crosses the label.
    double t0, t1;
    if (ClipToBox(l.x1, l.y1, l.x2, l.y2, b.x1 - l.halfX - gapX_, b.y1 - l.halfY - gapY_, b.x2 + l.halfX + gapX_,
                  b.y2 + l.halfY + gapY_, t0, t1))
      return false;
  }
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
  taken_.push_back(box);
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
  const double w = s.TextWidth(text), h = s.TextHeight(text);
  for (const Place &at : places) {
    const Box box{at.first, at.second, at.first + w, at.second + h};
    if (!Inside(Normal(box)) || !Clear({box.x1 - pad, box.y1, box.x2 + pad, box.y2})) continue;
    taken_.push_back(Normal(box));
    found = at;
    return true;
  }
  return false;
}

bool ChartRoom::Print(Surface &s, const std::vector<Place> &places, const std::string &text) {
  Place at;
  if (!Take(s, places, text, at)) return false;
  s.SetCurrentX(at.first);
  s.SetCurrentY(at.second);
  s.Print(text);
  return true;
}

bool ChartRoom::TakeInGrid(const Surface &s, const std::string &text, double firstColumnX, double column,
                           bool downFirst, double pad, Place &found) {
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
  return Take(s, places, text, pad, found);
}

std::vector<std::string> ChartRoom::PrintList(Surface &s, const std::vector<std::string> &texts,
                                              double firstColumnX, double column, bool downFirst) {
  std::vector<std::string> left;
  for (const std::string &text : texts) {
    Place at;
    // A blank clear on either side: an entry never reads on into its neighbour or a line.
    if (!TakeInGrid(s, text, firstColumnX, column, downFirst, std::fabs(s.TextWidth(" ")), at)) {
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
  if (noteKept_) taken_.erase(taken_.begin() + static_cast<std::ptrdiff_t>(noteAt_));
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
