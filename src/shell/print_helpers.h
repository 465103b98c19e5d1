// The printed page's shared parts: the three-line page heading (on paper and on the output
// and graph screens), the section header, rules, positioned texts and the five-column summary
// line with its page break. All positions are twips from the top-left corner of the page.
#pragma once

#include <array>
#include <ctime>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// Page geometry shared by every print routine.
inline constexpr int32 kPrintLeft = 1200;
inline constexpr int32 kHeadingTop = 400;
inline constexpr int32 kSectionLineWidth = 12024;
inline constexpr int32 kRuleRight = 10440;
// The right end of a printed line: as far from the page's right edge as kPrintLeft from its left.
inline constexpr int32 kPrintRight = 11040;
inline constexpr int32 kSummaryRuleRight = 10200;
inline constexpr int32 kPageFullY = 13680;
inline constexpr int32 kContinueY = 2160;

// True when a row at y (as the report placed it) would pass the page-break line.
bool PastPageBreak(const PageSurface &printer, double y);

// The column headings a table repeats at the top of each page the page flow continues it on,
// for as long as this lives. The heading is drawn from the flow's continue position and
// returns where the continued rows go on; PrintY is left as the table had it.
class RepeatedHeading {
public:
  RepeatedHeading(PageSurface &printer, PageSurface::RunningHeading heading);
  ~RepeatedHeading();
  RepeatedHeading(const RepeatedHeading &) = delete;
  RepeatedHeading &operator=(const RepeatedHeading &) = delete;

private:
  PageSurface &printer_;
};

// The fixed first and second lines of the page heading.
extern const char *const kHeadingFirstLine;
extern const char *const kHeadingSecondLine;

// Whole twips, halves to the even neighbour (as every stored position is rounded).
int32 RoundTwips(double twips);

// The three-line heading in "arial" 6 from (1200, 400); sets LineHeight from this surface.
void PrintPageHeading(Surface &surface);
// Where PrintPageHeading's lines stand on `surface`: their right end and their bottom. The
// surface's font is kept.
struct HeadingExtent {
  double right, bottom;
};
HeadingExtent PageHeadingExtent(Surface &surface);
// The clock the heading's date line reads; tests pin it. nullptr restores the system clock.
using HeadingClock = std::tm (*)();
void SetHeadingClock(HeadingClock clock);

// Centred MsgText, "Title: " and the problem title, and a rule; leaves the font at size 9.
void PrintSectionHeader(Surface &printer);
// A rule from X 1200 to 10440 at y (whole twips); PrintY becomes y. A table the page flow
// carries over many pages has its rows far below the first page: y is not held in 16 bits.
void PrintRuleLine(Surface &printer, double y);
void PrintAt(Surface &printer, int32 x, int32 y, const std::string &s);
// A line from (x, y) that goes on over further lines from x where it would pass `right`: after
// its last "=" that fits (a label keeps its number whole on the next line), else where the room
// ends, so that a number wider than the line keeps every digit. Returns the y of its last line;
// CurrentY is left below it.
double PrintOverLines(Surface &s, double x, double y, const std::string &text, double right = kPrintRight);
// How a run of iterations ended, as the screen said it, on the lines below the last table
// printed (from PrintY): from X 1200, broken between words at the line's right end, on a new
// page when the lines would pass the page break. Nothing for an empty text.
void PrintClosingText(PageSurface &printer, const std::string &text);
// A text cut into lines of at most `first` twips (the first) and `rest` twips (the others) in
// the printer's font, each ending after an `after` character where one fits; a piece wider
// than the line without one is cut where the room ends. The lines after the first lose their
// leading blanks.
std::vector<std::string> WrappedLines(const Surface &printer, const std::string &text, double first, double rest,
                                      char after);
// The labels of a printed chart, kept apart: a label goes to the first of its places where
// its box stays inside the page's printable margin and clear of every label placed before;
// a label with no such place is left out. Boxes are in twips of the page.
class ChartLabels {
public:
  struct Box {
    double left, top, right, bottom;
  };
  explicit ChartLabels(const Surface &page);
  bool Free(const Box &box) const;
  void Add(const Box &box) { placed_.push_back(box); }

  // Under the user scale (left, top, width, height) of ScaleSet: the box, in twips, of a text
  // printed from (x, y) with the surface's font.
  void SetScale(double left, double top, double width, double height);
  Box TextBox(const Surface &s, double x, double y, const std::string &text) const;
  // Prints the text at the first of the places (user coordinates) where it stands apart;
  // false when there is none.
  bool Print(Surface &s, std::initializer_list<std::pair<double, double>> places, const std::string &text);

private:
  double pageWidth_, pageHeight_;
  double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
  std::vector<Box> placed_;
};

// Kind 1: a heading line between two rules; kind 2: a body line; any other kind only the
// page break. Column 1 starts at 1200; columns 2 to 5 end at 4656, 6384, 8112 and 9840
// (for transportation column 2 starts at 2928). A heading goes to a new page with its first
// row when both do not fit; a body line past the page's break starts a new page under the
// last heading repeated.
void PrintSummaryLine(PageSurface &printer, int16 kind, const std::string &t1, const std::string &t2,
                      const std::string &t3, const std::string &t4, const std::string &t5);
// A table of summary lines, its heading and its rows, as PrintSummaryLine prints them while
// every number fits its column; otherwise each column is as wide as its widest text, and the
// columns that do not fit on the page line go on in further blocks under the row labels.
// Numbers are printed as they are given, never shortened.
void PrintSummaryTable(PageSurface &printer, const std::array<std::string, 5> &heading,
                       const std::vector<std::array<std::string, 5>> &rows);

} // namespace quon
