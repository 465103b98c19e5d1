// The check of a drawn or printed chart, from its recorded operations (twips): every text's box
// clear of every line and dot (a line as thick as its pen) and of every other text, a list
// entry a blank clear of them, each name the chart must show printed exactly once, alone or
// at the start of a list entry ("B64:  7.00 + -7.00x"), a name printed alone near what it
// names, and every axis number there, near its tick.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/surface_core.h"

namespace quon::test {

// A text the chart must show near a spot (a segment in twips; a point when its ends are equal;
// anywhere when x1 is NaN): an axis number at its tick, a name by its bar.
struct ChartMark {
  std::string text;
  double x1 = NAN, y1 = NAN, x2 = NAN, y2 = NAN;
};

// The distance from the segment to the box.
inline double SegmentToBox(const ChartMark &m, double left, double top, double right, double bottom) {
  double best = INFINITY;
  for (int k = 0; k <= 100; ++k) {
    const double x = m.x1 + (m.x2 - m.x1) * k / 100, y = m.y1 + (m.y2 - m.y1) * k / 100;
    const double dx = std::max({left - x, 0.0, x - right}), dy = std::max({top - y, 0.0, y - bottom});
    best = std::min(best, std::hypot(dx, dy));
  }
  return best;
}

// Whether the segment, thickened by `half` twips on each side, meets the box.
inline bool SegmentMeetsBox(const DrawOp &l, double half, double left, double top, double right,
                            double bottom) {
  // A rule under a line of text may touch it by a hair (two twips).
  half -= 2;
  left -= half;
  right += half;
  top -= half;
  bottom += half;
  // Sampled finely enough for any label: a step of a tenth of the thinnest box side.
  const double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
  const double step = std::max(0.5, 0.1 * std::min(right - left, bottom - top));
  const int n = std::max(1, static_cast<int>(std::ceil(len / step)));
  for (int k = 0; k <= n; ++k) {
    const double x = l.x1 + (l.x2 - l.x1) * k / n, y = l.y1 + (l.y2 - l.y1) * k / n;
    if (x > left && x < right && y > top && y < bottom) return true;
  }
  return false;
}

// `names`: the texts the chart must name once each. `twipsPerPixel`: of the pen (15 on the
// screen, 2.4 on paper). Texts that are empty or blank are skipped. Names left out are allowed
// when a text counts them: their number followed by `note`, or by " more " and any words when
// no note is given (the screen points to the list beside its picture, paper to the schedule).
// `numbers`: every axis number, each printed alone within three of its heights of its tick.
// `near`: names that, printed alone, must stand within two and a half heights of their marks.
inline void ExpectChartReadable(const std::vector<DrawOp> &ops, const std::vector<std::string> &names,
                                double twipsPerPixel, const std::string &where,
                                const std::string &note = "", const std::vector<ChartMark> &numbers = {},
                                const std::vector<ChartMark> &near = {}) {
  std::vector<const DrawOp *> texts, lines;
  for (const DrawOp &op : ops) {
    if (op.kind == DrawKind::Text && op.text.find_first_not_of(' ') != std::string::npos)
      texts.push_back(&op);
    if ((op.kind == DrawKind::Line || op.kind == DrawKind::Point) && op.color != 0xFFFFFF)
      lines.push_back(&op);
    // A white float window is drawn too, and a label must not lie under it either.
    if (op.kind == DrawKind::Line && op.color == 0xFFFFFF) lines.push_back(&op);
  }
  int crossed = 0, overlapping = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const DrawOp &t = *texts[i];
    const double left = std::min(t.x1, t.x2), right = std::max(t.x1, t.x2);
    const double top = std::min(t.y1, t.y2), bottom = std::max(t.y1, t.y2);
    // A list entry keeps a blank (a quarter of its height) clear of lines and other texts; the
    // note that counts those left out ("12 more ...") is no entry.
    const auto isEntry = [](const std::string &x) {
      return x.find(':') != std::string::npos && !std::isdigit(static_cast<unsigned char>(x[0]));
    };
    const double pad = isEntry(t.text) ? 0.25 * (bottom - top) : 0;
    for (const DrawOp *l : lines)
      if (SegmentMeetsBox(*l, 0.5 * l->width * twipsPerPixel, left - pad, top, right + pad, bottom) &&
          crossed++ < 5)
        ADD_FAILURE() << where << ": a line from (" << l->x1 << ", " << l->y1 << ") to (" << l->x2 << ", "
                      << l->y2 << ") runs through \"" << t.text << "\"";
    for (std::size_t k = 0; k < i; ++k) {
      const DrawOp &o = *texts[k];
      const bool entry = isEntry(t.text) || isEntry(o.text);
      const double blank = entry ? 0.25 * std::min(bottom - top, std::fabs(o.y2 - o.y1)) : -1;
      if (left < std::max(o.x1, o.x2) + blank && std::min(o.x1, o.x2) < right + blank &&
          top < std::max(o.y1, o.y2) - 1 && std::min(o.y1, o.y2) < bottom - 1 && overlapping++ < 5)
        ADD_FAILURE() << where << ": \"" << t.text << "\" over \"" << o.text << "\"";
    }
  }
  std::map<std::string, int> shown;
  for (const DrawOp *t : texts) {
    ++shown[t->text];
    const std::size_t colon = t->text.find(':');
    if (colon != std::string::npos) ++shown[t->text.substr(0, colon)];
  }
  int missing = 0, twice = 0;
  for (const std::string &name : names) {
    missing += shown[name] == 0;
    if (shown[name] > 1 && twice++ < 5)
      ADD_FAILURE() << where << ": \"" << name << "\" shown " << shown[name] << " times";
  }
  // Without a note given, any note that counts exactly the names left out ("9 more ...").
  if (missing > 0 && note.empty())
    for (const DrawOp *t : texts)
      if (t->text.rfind(std::to_string(missing) + " more ", 0) == 0) missing = 0;
  if (missing > 0 && !note.empty() && shown[std::to_string(missing) + note] == 1) missing = 0;
  if (missing > 0)
    for (const std::string &name : names)
      if (shown[name] == 0) ADD_FAILURE() << where << ": \"" << name << "\" not named";
  // Each axis number by a text of its own near its tick.
  int lost = 0, far = 0;
  std::vector<bool> used(texts.size(), false);
  for (const ChartMark &m : numbers) {
    bool found = false;
    for (std::size_t i = 0; i < texts.size() && !found; ++i) {
      const DrawOp &t = *texts[i];
      if (used[i] || t.text != m.text) continue;
      const double height = std::fabs(t.y2 - t.y1);
      if (!std::isnan(m.x1) && SegmentToBox(m, std::min(t.x1, t.x2), std::min(t.y1, t.y2), std::max(t.x1, t.x2),
                                             std::max(t.y1, t.y2)) > 3 * height)
        continue;
      used[i] = found = true;
    }
    if (!found && lost++ < 5) ADD_FAILURE() << where << ": axis number \"" << m.text << "\" not at its tick";
  }
  for (const ChartMark &m : near)
    for (const DrawOp *t : texts)
      if (t->text == m.text) {
        const double d = SegmentToBox(m, std::min(t->x1, t->x2), std::min(t->y1, t->y2), std::max(t->x1, t->x2),
                                      std::max(t->y1, t->y2));
        if (d > 2.5 * std::fabs(t->y2 - t->y1) && far++ < 5)
          ADD_FAILURE() << where << ": \"" << m.text << "\" stands " << d << " twips from what it names";
      }
  EXPECT_EQ(crossed + overlapping + missing + twice + lost + far, 0) << where;
}

} // namespace quon::test
