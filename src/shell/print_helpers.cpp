#include "shell/print_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "platform/colors.h"
#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

const char *const kHeadingFirstLine = "QUON Optimization System, Windows\xC2\xAE-version 1.00";
const char *const kHeadingSecondLine = "Interactive Teaching Tool for Operations Research";

namespace {

std::tm SystemClock() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

HeadingClock headingClock = &SystemClock;

void StartNewPage(PageSurface &printer) {
  printer.NewPage();
  printer.SetCurrentY(kContinueY);
  g.PrintY = kContinueY;
}

} // namespace

bool PastPageBreak(const PageSurface &printer, double y) { return printer.PageY(y) > kPageFullY; }

RepeatedHeading::RepeatedHeading(PageSurface &printer, PageSurface::RunningHeading heading) : printer_(printer) {
  printer_.SetRunningHeading([heading = std::move(heading)](PageSurface &p) {
    const int32 printY = g.PrintY;
    const double next = heading(p);
    g.PrintY = printY;
    return next;
  });
}

RepeatedHeading::~RepeatedHeading() { printer_.SetRunningHeading(nullptr); }

int32 RoundTwips(double twips) { return static_cast<int32>(std::nearbyint(twips)); }

HeadingExtent PageHeadingExtent(Surface &surface) {
  const std::string name = surface.FontName();
  const double size = surface.FontSize();
  const bool bold = surface.FontBold();
  surface.SetFontName("arial");
  surface.SetFontSize(6);
  surface.SetFontBold(false);
  double right = 0, bottom = kHeadingTop;
  for (const std::string &line : {std::string(kHeadingFirstLine), std::string(kHeadingSecondLine),
                                  FormatDate(headingClock(), "dddd, mmmm dd, yyyy h:mm")}) {
    right = std::max(right, kPrintLeft + surface.TextWidth(line));
    bottom += surface.TextHeight(line);
  }
  surface.SetFontName(name);
  surface.SetFontSize(size);
  surface.SetFontBold(bold);
  return {right, bottom};
}

void SetHeadingClock(HeadingClock clock) { headingClock = clock ? clock : &SystemClock; }

void PrintPageHeading(Surface &surface) {
  surface.ScaleReset();
  surface.SetFontName("arial");
  surface.SetFontSize(6);
  surface.SetFontBold(false);
  g.LineHeight = RoundTwips(surface.TextHeight(NumberFormatString()));
  surface.SetCurrentX(kPrintLeft);
  surface.SetCurrentY(kHeadingTop);
  surface.Print(kHeadingFirstLine);
  surface.SetCurrentX(kPrintLeft);
  surface.Print(kHeadingSecondLine);
  surface.SetCurrentX(kPrintLeft);
  surface.Print(FormatDate(headingClock(), "dddd, mmmm dd, yyyy h:mm"));
}

void PrintSectionHeader(Surface &printer) {
  printer.SetFontSize(10);
  printer.SetCurrentY(1000 + 4 * g.LineHeight);
  printer.SetCurrentX((kSectionLineWidth - printer.TextWidth(g.MsgText)) * 0.5);
  printer.Print(g.MsgText);
  printer.Print("");
  printer.SetFontSize(9);
  PrintAt(printer, kPrintLeft, RoundTwips(printer.CurrentY() + 100), "Title: " + g.HeaderText[1]);
  PrintRuleLine(printer, printer.CurrentY());
  printer.SetCurrentY(printer.CurrentY() + 100);
}

void PrintRuleLine(Surface &printer, double y) {
  y = RoundTwips(y);
  printer.SetDrawWidth(1);
  printer.SetCurrentY(y);
  printer.Line(kPrintLeft, y, kRuleRight, y, kBlack);
  g.PrintY = RoundTwips(printer.CurrentY());
}

void PrintAt(Surface &printer, int32 x, int32 y, const std::string &s) {
  printer.SetCurrentX(x);
  printer.SetCurrentY(y);
  printer.Print(s);
}

double PrintOverLines(Surface &s, double x, double y, const std::string &text, double right) {
  const std::vector<std::string> lines = WrappedLines(s, text, right - x, right - x, '=');
  double last = y;
  for (const std::string &line : lines.empty() ? std::vector<std::string>{""} : lines) {
    last = y;
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(line);
    y = s.CurrentY();
  }
  return last;
}

void PrintClosingText(PageSurface &printer, const std::string &text) {
  if (text.empty()) return;
  // Words on a line keep the blanks between them as the message has them (two after a full
  // stop); a line break takes the place of the blanks it falls on.
  std::vector<std::string> lines{""};
  std::string blanks;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    const std::string joined = lines.back().empty() ? word : lines.back() + blanks + word;
    if (!lines.back().empty() && printer.TextWidth(joined) > kPrintRight - kPrintLeft)
      lines.push_back(word);
    else
      lines.back() = joined;
    at = end;
    while (at < text.size() && text[at] == ' ')
      ++at;
    blanks = text.substr(end, at - end);
  }
  const double row = printer.TextHeight(text);
  double y = g.PrintY + row;
  if (PastPageBreak(printer, y + row * static_cast<double>(lines.size()))) {
    StartNewPage(printer);
    y = g.PrintY;
  }
  for (const std::string &line : lines) {
    printer.SetCurrentX(kPrintLeft);
    printer.SetCurrentY(y);
    printer.Print(line);
    y += row;
  }
  g.PrintY = RoundTwips(y);
}

std::vector<std::string> WrappedLines(const Surface &printer, const std::string &text, double first,
                                      double rest, char after) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const double room = lines.empty() ? first : rest;
    const std::string_view left(text.data() + start, text.size() - start);
    std::size_t take = left.size();
    if (printer.TextWidth(std::string(left)) > room) {
      std::size_t fits = 0;
      for (std::size_t p = left.find(after); p != std::string_view::npos; p = left.find(after, p + 1)) {
        if (printer.TextWidth(std::string(left.substr(0, p + 1))) > room) break;
        fits = p + 1;
      }
      if (fits == 0) {
        fits = 1;
        while (fits < left.size() && printer.TextWidth(std::string(left.substr(0, fits + 1))) <= room)
          ++fits;
      }
      take = fits;
    }
    std::string line(left.substr(0, take));
    lines.push_back(lines.empty() ? line : Trim(line));
    start += take;
    while (start < text.size() && text[start] == ' ')
      ++start;
  }
  return lines;
}

// The printable margin of a page on every side: a quarter inch.
constexpr double kPrintableMargin = 360;

ChartLabels::ChartLabels(const Surface &page) : pageWidth_(page.ScaleWidthTwips()), pageHeight_(page.ScaleHeightTwips()) {}

bool ChartLabels::Free(const Box &b) const {
  if (b.left < kPrintableMargin || b.top < kPrintableMargin || b.right > pageWidth_ - kPrintableMargin ||
      b.bottom > pageHeight_ - kPrintableMargin)
    return false;
  for (const Box &p : placed_)
    if (b.left < p.right && p.left < b.right && b.top < p.bottom && p.top < b.bottom) return false;
  return true;
}

void ChartLabels::SetScale(double left, double top, double width, double height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

ChartLabels::Box ChartLabels::TextBox(const Surface &s, double x, double y, const std::string &text) const {
  const double kx = pageWidth_ / width_, ky = pageHeight_ / height_;
  const double left = (x - left_) * kx, top = (y - top_) * ky;
  return {left, top, left + s.TextWidth(text) * kx, top + s.TextHeight(text) * ky};
}

bool ChartLabels::Print(Surface &s, std::initializer_list<std::pair<double, double>> places, const std::string &text) {
  for (const auto &[x, y] : places) {
    const Box box = TextBox(s, x, y, text);
    if (!Free(box)) continue;
    Add(box);
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(text);
    return true;
  }
  return false;
}

namespace {

// Where the five columns of a summary line stand: column 1 (and for transportation column 2)
// from its left end, the others to their right ends; a column not shown is left out.
struct SummaryColumns {
  std::array<double, 6> at{};
  std::array<bool, 6> shown{};
  // The room of a column whose widest text is wider than the page line leaves it (its texts
  // go on over further lines), else 0.
  std::array<double, 6> room{};
  double ruleRight = kSummaryRuleRight;
};

// The lines of each text of a summary line: one, or a text wider than its column's room
// broken where the room ends.
std::array<std::vector<std::string>, 5> SummaryCells(const Surface &printer, const std::array<std::string, 5> &texts,
                                                    const SummaryColumns &columns) {
  std::array<std::vector<std::string>, 5> cells;
  for (std::size_t c = 0; c < 5; ++c) {
    const double room = columns.room[c + 1];
    if (room > 0 && printer.TextWidth(texts[c]) > room) cells[c] = WrappedLines(printer, Trim(texts[c]), room, room, ' ');
    if (cells[c].empty()) cells[c].push_back(texts[c]);
  }
  return cells;
}

SummaryColumns DefaultSummaryColumns() {
  SummaryColumns c;
  for (int k = 1; k <= 5; ++k) {
    c.at[static_cast<std::size_t>(k)] = k == 1 ? kPrintLeft : kPrintLeft + 1728.0 * k;
    c.shown[static_cast<std::size_t>(k)] = true;
  }
  if (g.ModelClass == ModelClassCode::Transportation) c.at[2] = 2928;
  return c;
}

void SummaryLineIn(PageSurface &printer, int16 kind, const std::array<std::string, 5> &texts,
                   const SummaryColumns &columns) {
  // The heading of the table being printed, repeated at the top of each page it continues on.
  static std::array<std::string, 5> heading;
  static SummaryColumns headingColumns;
  const double row = printer.TextHeight("");
  const std::array<std::vector<std::string>, 5> cells = SummaryCells(printer, texts, columns);
  std::size_t lines = 1;
  for (std::size_t c = 0; c < 5; ++c)
    if (c == 0 || columns.shown[c + 1]) lines = std::max(lines, cells[c].size());
  // A heading stands on the page only with its first row under it; a row broken over lines
  // keeps them together.
  const double needed = (kind == 1 ? 400 + 2 * row : 0) + static_cast<double>(lines - 1) * row;
  if (PastPageBreak(printer, printer.CurrentY() + needed)) {
    StartNewPage(printer);
    if (kind == 2 && !heading[0].empty()) SummaryLineIn(printer, 1, heading, headingColumns);
  }
  if (kind != 1 && kind != 2) return;
  if (kind == 1) {
    heading = texts;
    headingColumns = columns;
  }
  auto rule = [&printer, &columns] {
    double y = printer.CurrentY() + 100;
    printer.Line(kPrintLeft, y, columns.ruleRight, y, kBlack);
    printer.SetCurrentY(y);
  };
  if (kind == 1) rule();
  printer.SetCurrentX(columns.at[1]);
  if (kind == 1) printer.SetCurrentY(printer.CurrentY() + 100);
  g.PrintY = RoundTwips(printer.CurrentY());
  printer.Print(texts[0]);

  int k = 2;
  if (g.ModelClass == ModelClassCode::Transportation) {
    PrintAt(printer, RoundTwips(columns.at[2]), g.PrintY, texts[1]);
    k = 3;
  }
  for (; k <= 5; ++k) {
    if (!columns.shown[static_cast<std::size_t>(k)]) continue;
    const std::vector<std::string> &text = cells[static_cast<std::size_t>(k - 1)];
    for (std::size_t n = 0; n < text.size(); ++n) {
      printer.SetCurrentX(columns.at[static_cast<std::size_t>(k)] - printer.TextWidth(text[n]));
      printer.SetCurrentY(g.PrintY + static_cast<double>(n) * row);
      printer.Print(text[n]);
    }
  }
  if (lines > 1) printer.SetCurrentY(g.PrintY + static_cast<double>(lines) * row);
  if (kind == 1) {
    rule();
    printer.SetCurrentY(printer.CurrentY() + 100);
  }
}

} // namespace

void PrintSummaryLine(PageSurface &printer, int16 kind, const std::string &t1, const std::string &t2,
                      const std::string &t3, const std::string &t4, const std::string &t5) {
  SummaryLineIn(printer, kind, {t1, t2, t3, t4, t5}, DefaultSummaryColumns());
}

void PrintSummaryTable(PageSurface &printer, const std::array<std::string, 5> &heading,
                       const std::vector<std::array<std::string, 5>> &rows) {
  const bool transport = g.ModelClass == ModelClassCode::Transportation;
  const int firstNumber = transport ? 3 : 2;
  const double gap = printer.TextWidth("  ");
  std::array<double, 6> widest{};
  for (int k = 1; k <= 5; ++k) {
    auto &w = widest[static_cast<std::size_t>(k)];
    w = printer.TextWidth(heading[static_cast<std::size_t>(k - 1)]);
    for (const auto &r : rows)
      w = std::max(w, printer.TextWidth(r[static_cast<std::size_t>(k - 1)]));
  }
  bool fits = true;
  for (int k = firstNumber; k <= 5; ++k)
    fits = fits && widest[static_cast<std::size_t>(k)] + gap <= 1728;
  auto print = [&](const SummaryColumns &columns) {
    SummaryLineIn(printer, 1, heading, columns);
    for (const auto &r : rows)
      SummaryLineIn(printer, 2, r, columns);
  };
  if (fits) return print(DefaultSummaryColumns());

  // Numbers wider than the usual columns: every column as wide as its widest text, and the
  // columns that do not fit on the line continue in further blocks under the labels again.
  SummaryColumns labels;
  labels.at[1] = kPrintLeft;
  double labelEnd = kPrintLeft + widest[1];
  if (transport) {
    labels.at[2] = std::max(2928.0, labelEnd + gap);
    labelEnd = labels.at[2] + widest[2];
  }
  SummaryColumns block = labels;
  double end = labelEnd;
  bool any = false;
  for (int k = firstNumber; k <= 5; ++k) {
    const auto at = static_cast<std::size_t>(k);
    if (widest[at] == 0) continue;
    if (end + gap + widest[at] > kPrintRight && any) {
      print(block);
      // A blank line sets the next block of columns apart.
      printer.SetCurrentY(printer.CurrentY() + printer.TextHeight(""));
      block = labels;
      end = labelEnd;
    }
    double right = end + gap + widest[at];
    // A column wider than the line leaves it ends at the line's end, its texts broken.
    if (right > kPrintRight) {
      right = kPrintRight;
      block.room[at] = right - end - gap;
    }
    block.at[at] = right;
    block.shown[at] = true;
    block.ruleRight = std::max<double>(kSummaryRuleRight, right);
    end = right;
    any = true;
  }
  print(block);
}

} // namespace quon
