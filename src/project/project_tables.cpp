#include "project/project_tables.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/values.h"
#include "project/project_schedule.h"
#include "project/bar_chart.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

std::string Formatted(double v) { return Format(v, NumberFormatString()); }

std::string NodeText(int node) { return Trim(Str(node)); }

// The tables' common layout: columns 1 and 2 start at x0 + (c - 1) W, later columns end at
// x0 + c W. A table whose numbers are wider than W has every column as wide as its widest
// text, and the columns that do not fit on the page line go on in further blocks under the
// first two again. cells[0] is unused.
constexpr int32 kTableLeft = 1200;

struct TableColumns {
  // Column c starts (c <= 2) or ends (c > 2) at at[c]; a column not shown is left out.
  std::vector<double> at;
  std::vector<bool> shown;
  // The room of a column wider than the page line leaves it (its texts go on over further
  // lines), else 0.
  std::vector<double> room = std::vector<double>(at.size(), 0.0);
};

// The blocks a table of these headings and rows is printed in; `lead` is how far column 1's
// texts are pushed right at most (the critical mark of the schedule).
std::vector<TableColumns> TableBlocks(const PageSurface &p, const std::vector<std::string> &heads,
                                      const std::vector<std::vector<std::string>> &rows, double w, double lead = 0) {
  const std::size_t n = heads.size();
  std::vector<double> widest(n, 0);
  for (std::size_t c = 1; c < n; ++c) {
    widest[c] = p.TextWidth(heads[c]);
    for (const auto &r : rows)
      if (c < r.size()) widest[c] = std::max(widest[c], p.TextWidth(r[c]) + (c == 1 ? lead : 0));
  }
  const double gap = p.TextWidth("  ");
  TableColumns plain{std::vector<double>(n, 0), std::vector<bool>(n, true)};
  bool fits = true;
  for (std::size_t c = 1; c < n; ++c) {
    plain.at[c] = c <= 2 ? kTableLeft + (c - 1) * w : kTableLeft + c * w;
    if (c > 2) fits = fits && widest[c] + gap <= w;
  }
  if (fits) return {plain};
  TableColumns labels{std::vector<double>(n, 0), std::vector<bool>(n, false)};
  double end = kTableLeft;
  for (std::size_t c = 1; c < std::min<std::size_t>(n, 3); ++c) {
    labels.at[c] = c == 1 ? kTableLeft : std::max(kTableLeft + w, end + gap);
    labels.shown[c] = true;
    end = labels.at[c] + widest[c];
  }
  const double labelEnd = end;
  std::vector<TableColumns> blocks{labels};
  bool any = false;
  for (std::size_t c = 3; c < n; ++c) {
    if (end + std::max(w, widest[c] + gap) > kPrintRight && any) {
      blocks.push_back(labels);
      end = labelEnd;
    }
    double right = end + std::max(w, widest[c] + gap);
    // A column wider than the line leaves it ends at the line's end, its texts broken.
    if (right > kPrintRight) {
      right = kPrintRight;
      blocks.back().room[c] = right - end - gap;
    }
    blocks.back().at[c] = right;
    blocks.back().shown[c] = true;
    end = right;
    any = true;
  }
  return blocks;
}

// The lines of each cell of a row: one, or a text wider than its column's room broken where
// the room ends; a column not shown has none.
std::vector<std::vector<std::string>> RowTexts(const PageSurface &p, const std::vector<std::string> &cells,
                                               const TableColumns &columns) {
  std::vector<std::vector<std::string>> texts(cells.size());
  for (std::size_t c = 1; c < cells.size() && c < columns.at.size(); ++c) {
    if (!columns.shown[c]) continue;
    if (columns.room[c] > 0 && p.TextWidth(cells[c]) > columns.room[c])
      texts[c] = WrappedLines(p, Trim(cells[c]), columns.room[c], columns.room[c], ' ');
    if (texts[c].empty()) texts[c].push_back(cells[c]);
  }
  return texts;
}

// How far a row's lines reach below its first line's top.
double RowTail(const PageSurface &p, const std::vector<std::vector<std::string>> &texts) {
  std::size_t lines = 1;
  for (const auto &t : texts)
    lines = std::max(lines, t.size());
  return static_cast<double>(lines - 1) * p.TextHeight("0");
}

// A block's headings go to the next page when the block's first row (of `tail` below its first
// line) would not stand under them on this one.
void KeepHeadingsWithFirstRow(PageSurface &p, double tail) {
  const double y = p.CurrentY();
  const double needed = 2 * p.TextHeight("0") + 3 * g.LineHeight + tail;
  if (!PastPageBreak(p, y) && PastPageBreak(p, y + needed)) p.SetCurrentY(y + kPageFullY - p.PageY(y) + 1);
}

// Prints a row of the table from y; returns how far its lines reach below y's line (a text
// wider than its column's room goes on over further lines of the table's font). A row of
// several lines that would pass the page's foot starts the next page whole: y moves there.
double PrintTableLine(PageSurface &p, double &y, const std::vector<std::string> &cells, const TableColumns &columns) {
  const double step = p.TextHeight("0");
  const std::vector<std::vector<std::string>> texts = RowTexts(p, cells, columns);
  const double tail = RowTail(p, texts);
  if (tail > 0 && !PastPageBreak(p, y) && PastPageBreak(p, y + tail)) y += kPageFullY - p.PageY(y) + 1;
  for (std::size_t c = 1; c < texts.size(); ++c)
    for (std::size_t k = 0; k < texts[c].size(); ++k) {
      const double x = c <= 2 ? columns.at[c] : columns.at[c] - p.TextWidth(texts[c][k]);
      PrintAt(p, RoundTwips(x), RoundTwips(y + static_cast<double>(k) * step), texts[c][k]);
    }
  return tail;
}

// The running y of table row `row` (from 1): rows in blocks of five with a wider gap.
double NextRowY(double y, int row) {
  const int32 h = g.LineHeight;
  y += 2 * h - h / 2;
  if (row % 5 == 1) y += h;
  return y;
}

void BeginTable(PageSurface &p, const char *title) {
  p.SetCurrentY(1200);
  p.SetFontSize(10);
  g.MsgText = title;
  PrintSectionHeader(p);
}

// Headings at the current position, the rule below them; returns the start value of the rows.
double PrintHeadings(PageSurface &p, const std::vector<std::string> &heads, const TableColumns &w, int32 lift) {
  double y = p.CurrentY();
  PrintTableLine(p, y, heads, w);
  PrintRuleLine(p, p.CurrentY());
  return p.CurrentY() - lift;
}

// Repeats a table's headings on each page the table is continued on; its rows go on at the
// spacing of a row within a block.
class TableHeadings {
public:
  TableHeadings(PageSurface &p, std::vector<std::string> heads, TableColumns w, int32 lift)
      : heading_(p, [heads = std::move(heads), w, lift](PageSurface &q) {
          return NextRowY(PrintHeadings(q, heads, w, lift), 0);
        }) {}

private:
  RepeatedHeading heading_;
};

std::string NodePair(int r, const char *joint) {
  const auto [i, j] = ActivityNodes(r);
  return NodeText(i) + joint + NodeText(j);
}

// A table printed block after block, each under its headings, the rows in groups of five.
void PrintTableBlocks(PageSurface &p, const std::vector<std::string> &heads,
                      const std::vector<std::vector<std::string>> &rows, double w, int32 lift) {
  const std::vector<TableColumns> blocks = TableBlocks(p, heads, rows, w);
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    if (b > 0) {
      EndTable(p);
      p.SetCurrentY(p.CurrentY() + g.LineHeight);
    }
    if (!rows.empty()) KeepHeadingsWithFirstRow(p, RowTail(p, RowTexts(p, rows[0], blocks[b])));
    double y = PrintHeadings(p, heads, blocks[b], lift);
    const TableHeadings repeated(p, heads, blocks[b], lift);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      y = NextRowY(y, static_cast<int>(r) + 1);
      const double tail = PrintTableLine(p, y, rows[r], blocks[b]);
      y += tail;
    }
  }
}

} // namespace

void EndTable(PageSurface &p) { PrintRuleLine(p, p.CurrentY() + 100); }

bool PrintProjectInputData(PageSurface &p) {
  const bool pert = g.ProjMethod == 2;
  BeginTable(p, pert ? "PROJECT PLANNING - PERT ORIGINAL DATA" : "PROJECT PLANNING - CPM ORIGINAL DATA");
  const double w = pert ? 1800 : 2200;
  std::vector<std::string> heads{"", "Activity", "Symbol"};
  if (pert)
    heads.insert(heads.end(), {"Minimum Dur., a", "Most-Likely Dur., m", "Maximum Dur., b"});
  else
    heads.push_back("Duration");
  std::vector<std::vector<std::string>> rows;
  for (int r = 1; r <= g.ActivityCount; ++r) {
    std::vector<std::string> cells{"", NodePair(r, " - "), g.ActSymbol(r)};
    for (int c = 3; c < static_cast<int>(heads.size()); ++c)
      cells.push_back(Formatted(g.NetMatrix(r, c + 1)));
    rows.push_back(std::move(cells));
  }
  PrintTableBlocks(p, heads, rows, w, g.LineHeight);
  EndTable(p);
  if (!pert) return true;

  p.NewPage();
  g.MsgText = "PROJECT PLANNING - PERT MEAN AND VARIANCE";
  PrintSectionHeader(p);
  const std::vector<std::string> meanHeads{"", "Activity", "Symbol", "Mean Duration", "Variance"};
  rows.clear();
  for (int r = 1; r <= g.ActivityCount; ++r) {
    const auto [i, j] = ActivityNodes(r);
    rows.push_back({"", NodePair(r, " - "), g.ActSymbol(r), Formatted(g.ArcDur(i, j)), Formatted(g.ArcVar(i, j))});
  }
  PrintTableBlocks(p, meanHeads, rows, 2200, 0);
  EndTable(p);
  return p.EndDoc();
}

void PrintCPMSchedule(PageSurface &p) {
  BeginTable(p, "PROJECT PLANNING - CPM SCHEDULE");
  const double w = 1200;
  const std::vector<std::string> heads{"",           "Activity",      "Symbol",      "Duration",
                                       "Earliest Start", "Latest Finish", "Total Float", "Free Float"};
  const std::vector<ScheduleRow> rows = BarChartScheduleRows();
  std::vector<std::vector<std::string>> cells;
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
    const ScheduleRow &row = rows[static_cast<std::size_t>(r - 1)];
    cells.push_back({"", NodePair(r, "-"), g.ActSymbol(r), row.cells[1], row.cells[2], row.cells[3], row.cells[4],
                     row.cells[5]});
  }
  // A critical activity's nodes follow its mark "c ", the others stand where they would after it.
  const double marked = p.TextWidth("c ");
  const std::vector<TableColumns> blocks = TableBlocks(p, heads, cells, w, marked);
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    if (b > 0) {
      EndTable(p);
      p.SetCurrentY(p.CurrentY() + g.LineHeight);
    }
    if (!cells.empty()) KeepHeadingsWithFirstRow(p, RowTail(p, RowTexts(p, cells[0], blocks[b])));
    double y = PrintHeadings(p, heads, blocks[b], g.LineHeight);
    const TableHeadings repeated(p, heads, blocks[b], g.LineHeight);
    for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
      const ScheduleRow &row = rows[static_cast<std::size_t>(r - 1)];
      y = NextRowY(y, r);
      std::vector<std::string> line = cells[static_cast<std::size_t>(r - 1)];
      const std::string nodes = (row.critical ? "c " : "") + line[1];
      line[1].clear();
      const double tail = PrintTableLine(p, y, line, blocks[b]);
      PrintAt(p, RoundTwips(kTableLeft + (row.critical ? 0 : marked)), RoundTwips(y), nodes);
      y += tail;
    }
  }
}

// Every node that has a longest path, the start node included. The two numbers end where
// their headings do unless their widest texts need more room, each taking at most a third of
// the line (a wider number goes on over further lines of its column); the path takes the line
// up to the mean's column and goes on over further lines, each ending after a "-".
void PrintPERTPaths(PageSurface &p) {
  BeginTable(p, "PROJECT PLANNING - PERT PATH MEAND AND STANDARD DEVIATION");
  const double w = 1000;
  struct Row {
    int node;
    std::string path, mean, dev;
  };
  std::vector<Row> rows;
  for (int j = 1; j <= g.NodeCount; ++j) {
    if (g.ArcDur(0, j) == -2 || g.ArcDur(0, j) == -1) continue;
    const PertPath path = PertPathTo(j);
    if (path.nodes.empty()) continue;
    rows.push_back({j, PertPathText(path.nodes), Formatted(path.mean), Formatted(path.stdDev)});
  }
  const double gap = p.TextWidth("  ");
  double meanWidth = p.TextWidth("Path Mean"), devWidth = p.TextWidth("Path Std. Dev.");
  for (const Row &r : rows) {
    meanWidth = std::max(meanWidth, p.TextWidth(r.mean));
    devWidth = std::max(devWidth, p.TextWidth(r.dev));
  }
  const double third = (kPrintRight - kTableLeft) / 3.0;
  meanWidth = std::min(meanWidth, third);
  devWidth = std::min(devWidth, third);
  const double devEnd = std::min<double>(kPrintRight, std::max(kTableLeft + 9.3 * w, kTableLeft + 8 * w + gap + devWidth));
  const double meanEnd = std::min(kTableLeft + 8 * w, devEnd - devWidth - gap);
  const double pathX = kTableLeft + 0.8 * w;
  const double pathRoom = meanEnd - meanWidth - gap - pathX;
  constexpr double kIndent = 300;
  // The lines of one path stand a full line of the table's font apart.
  const double pathLine = std::max<double>(g.LineHeight, p.TextHeight("1-"));

  auto headings = [=](PageSurface &q) {
    const double top = q.CurrentY();
    PrintAt(q, kTableLeft, RoundTwips(top), "Node");
    PrintAt(q, RoundTwips(kTableLeft + w), RoundTwips(top), "Longest Path Based on Mean Durations");
    PrintAt(q, RoundTwips(meanEnd - q.TextWidth("Path Mean")), RoundTwips(top), "Path Mean");
    PrintAt(q, RoundTwips(devEnd - q.TextWidth("Path Std. Dev.")), RoundTwips(top), "Path Std. Dev.");
    PrintRuleLine(q, q.CurrentY());
    return q.CurrentY() - g.LineHeight;
  };
  double y = headings(p);
  const RepeatedHeading repeated(p, [&headings](PageSurface &q) { return NextRowY(headings(q), 0); });
  int row = 0;
  for (const Row &r : rows) {
    y = NextRowY(y, ++row);
    const std::vector<std::string> lines = WrappedLines(p, r.path, pathRoom, pathRoom - kIndent, '-');
    auto number = [&p](const std::string &text, double room) {
      std::vector<std::string> pieces;
      if (p.TextWidth(text) > room) pieces = WrappedLines(p, Trim(text), room, room, ' ');
      if (pieces.empty()) pieces.push_back(text);
      return pieces;
    };
    const std::vector<std::string> mean = number(r.mean, meanWidth), dev = number(r.dev, devWidth);
    const std::size_t most = std::max({lines.size(), mean.size(), dev.size(), std::size_t{1}});
    const double tail = static_cast<double>(most - 1) * pathLine;
    // A row of several lines that would pass the page's foot starts the next page whole.
    if (tail > 0 && !PastPageBreak(p, y) && PastPageBreak(p, y + tail)) y += kPageFullY - p.PageY(y) + 1;
    PrintAt(p, kTableLeft, RoundTwips(y), std::to_string(r.node));
    for (std::size_t k = 0; k < mean.size(); ++k)
      PrintAt(p, RoundTwips(meanEnd - p.TextWidth(mean[k])), RoundTwips(y + static_cast<double>(k) * pathLine), mean[k]);
    for (std::size_t k = 0; k < dev.size(); ++k)
      PrintAt(p, RoundTwips(devEnd - p.TextWidth(dev[k])), RoundTwips(y + static_cast<double>(k) * pathLine), dev[k]);
    for (std::size_t k = 0; k < lines.size(); ++k)
      PrintAt(p, RoundTwips(pathX + (k == 0 ? 0 : kIndent)), RoundTwips(y + static_cast<double>(k) * pathLine),
              lines[k]);
    y += tail;
  }
}


} // namespace quon
