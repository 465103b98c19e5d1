// Room for the labels of a chart: the lines, dots and texts already drawn on it, in the chart's
// user units, so that a label goes where it can be read, clear of every one of them. A chart
// draws its lines through the room (which draws them on the surface and keeps them), then asks
// for each label's place among those it would have.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/surface.h"

namespace quon {

class ChartRoom {
public:
  // A rectangle in user units, its corners in any order.
  struct Box {
    double x1, y1, x2, y2;
  };
  using Place = std::pair<double, double>;

  // The width and height of the surface's user scale (as given to ScaleSet) and the twips one
  // pen pixel takes on it (screen or paper). Labels stay inside `inside`, a gap of `gapTwips`
  // from every line, dot and other label.
  ChartRoom(const Surface &s, double width, double height, double twipsPerPixel, Box inside, double gapTwips);

  // Drawn on the surface and kept, with the surface's pen width.
  void Line(Surface &s, double x1, double y1, double x2, double y2, Rgb color);
  void Point(Surface &s, double x, double y, Rgb color);
  // Kept only: something drawn by the caller that labels must also keep clear of.
  void Keep(const Box &box) { KeepText(Normal(box)); }
  void KeepLine(double x1, double y1, double x2, double y2, int widthPixels);

  // The box of a text printed from (x, y) (its top-left corner) in the surface's font.
  static Box TextBox(const Surface &s, double x, double y, const std::string &text);
  bool Free(const Box &box) const;
  // Free of the other texts and inside, whatever lines run through it.
  bool FreeOfTexts(const Box &box) const;
  // The first of the places (top-left corners) where the text's box is free, its box kept;
  // false when there is none.
  bool Take(const Surface &s, const std::vector<Place> &places, const std::string &text, Place &found);
  // The same with a margin of `pad` user units kept free on either side of the text.
  bool Take(const Surface &s, const std::vector<Place> &places, const std::string &text, double pad, Place &found);
  // Prints the text at the first of the places (top-left corners) where its box is free and
  // keeps the box; false, and nothing printed, when there is none.
  bool Print(Surface &s, const std::vector<Place> &places, const std::string &text);
  // The same for a text the caller has measured already: `w` and `h` as TextWidth and
  // TextHeight give them in the surface's present font.
  bool Print(Surface &s, const std::vector<Place> &places, const std::string &text, double w, double h);
  // An axis number, which is never left out: at the first of its places clear of every line
  // and text, else at the first clear of the other texts, else at the first place. A number
  // that had to stand on a line breaks the lines drawn after it through LineAround.
  void PrintAxisNumber(Surface &s, const std::vector<Place> &places, const std::string &text);
  // The place PrintAxisNumber would print at, its box kept; nothing printed.
  Place TakeAnyway(const Surface &s, const std::vector<Place> &places, const std::string &text);
  // A line drawn with a gap wherever it would run through an axis number; kept unless the
  // caller kept the whole line before.
  void LineAround(Surface &s, double x1, double y1, double x2, double y2, Rgb color, bool keep = true);
  // Whether the box meets a text placed before (a dot there would lie on it).
  bool MeetsText(const Box &box) const;

  // The user units of one twip across and down (down is negative when y grows upwards).
  double UnitX() const { return unitX_; }
  double UnitY() const { return unitY_; }

  // Prints each text of a list where it finds room: at the first free place of a grid over
  // `inside`, rows a line of text apart and columns `column` user units apart from
  // `firstColumnX`; row by row from the top, or with `downFirst` down each column before the
  // next. Returns the texts that found no room, in order.
  std::vector<std::string> PrintList(Surface &s, const std::vector<std::string> &texts, double firstColumnX,
                                     double column, bool downFirst = false);
  // Prints the list, first down columns `wideColumn` apart (none when 0), then what is left
  // row by row in columns `column` apart; when some of it finds no room even so, the note
  // counting them ("12" and the note), whose room is kept before the list takes any.
  void PrintListWithNote(Surface &s, const std::vector<std::string> &texts, double firstColumnX,
                         double wideColumn, double column, const std::string &note);
  // Keeps the room of the note (counting up to `most` texts) before the names of a crowded
  // chart take it, and gives it back for PrintListWithNote: a chart short of room still says
  // how many names it left out.
  void ReserveNote(const Surface &s, int most, double firstColumnX, double column, const std::string &note);
  void ReleaseNote();

private:
  struct Segment {
    double x1, y1, x2, y2, halfX, halfY;
  };
  // Buckets of a grid over the labels' room, each holding what comes near enough to it to meet
  // a box there: a box is then tested only against what its buckets hold. The buckets at the
  // edges reach on without end, so that nothing is ever missed.
  struct Buckets {
    double x0 = 0, y0 = 0, cellW = 1, cellH = 1;
    int across = 0, down = 0;
    std::vector<std::vector<std::uint32_t>> cells;
    std::vector<std::uint32_t> everywhere;   // without finite bounds: tested for every box
    mutable std::vector<std::uint32_t> seen; // the query that last tested each
    void Reset(const Box &area, int n);
    void ColumnRange(double a, double b, int &i0, int &i1) const;
    void RowRange(double a, double b, int &j0, int &j1) const;
    // Item `id` comes near every box meeting a..b across and c..d down.
    void Add(std::uint32_t id, double a, double b, double c, double d);
    void AddSegment(std::uint32_t id, const Segment &l, double gapX, double gapY);
    // Whether `meets` holds for anything in the buckets the box covers, each tested once.
    template <class Meets> bool Any(const Box &b, std::uint32_t query, Meets meets) const;
  };
  static Box Normal(const Box &b);
  bool Inside(const Box &b) const;
  // Clear of every text and line, wherever it lies.
  bool Clear(const Box &b) const;
  void KeepText(const Box &normal);
  // Builds the buckets once the room holds enough (they stay unbuilt for a small chart).
  void Index() const;
  bool TextMeets(const Box &b, const Box &t) const;
  bool TakeMeasured(const std::vector<Place> &places, double w, double h, double pad, Place &found);
  std::vector<Place> GridPlaces(const Surface &s, double firstColumnX, double column, bool downFirst) const;
  bool TakeInGrid(const Surface &s, const std::string &text, double firstColumnX, double column,
                  bool downFirst, double pad, Place &found);

  double unitX_, unitY_, twipsPerPixel_, gapX_, gapY_;
  Box inside_;
  std::vector<Segment> lines_;
  std::vector<Box> taken_;
  std::vector<Box> forced_; // the axis numbers that stand on a line
  bool noteKept_ = false;   // taken_ holds the note's reserved room at noteAt_
  std::size_t noteAt_ = 0;
  mutable bool indexed_ = false;
  mutable Buckets textBuckets_, lineBuckets_;
  mutable std::uint32_t query_ = 0;
};

} // namespace quon
