#include "queue/print_queue_output.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/values.h"
#include "queue/queue_measures.h"
#include "queue/queue_report.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

constexpr int32 kComparativeStep = 9360 / 10;
constexpr int32 kTableStep = 7200 / 6;
constexpr int32 kLeftPairX = 1500;
// The right pairs start here, or further right where the left pairs need it.
constexpr int32 kRightPairX = 4000;

void SetLineHeight(PageSurface &printer) { g.LineHeight = RoundTwips(printer.TextHeight(NumberFormatString())); }

// PrintY one line down, on a new page when this one is full; true when a page was started.
bool NextLine(PageSurface &printer) {
  g.PrintY += g.LineHeight;
  if (!PastPageBreak(printer, g.PrintY)) return false;
  printer.NewPage();
  g.PrintY = kContinueY;
  return true;
}

// PrintY one line down for a table's heading, on a new page when the heading and a row under
// it would not both fit on this one.
void NextHeadingLine(PageSurface &printer) {
  g.PrintY += g.LineHeight;
  if (!PastPageBreak(printer, g.PrintY + g.LineHeight)) return;
  printer.NewPage();
  g.PrintY = kContinueY;
}

// Where the columns of a table start, and after them where the table ends: `step` apart, and
// further apart where a column's widest text in the printer's font would come within two
// blanks of the next one.
std::vector<double> ColumnStarts(const PageSurface &printer, double step, const std::vector<std::vector<std::string>> &rows) {
  std::vector<double> widths;
  for (const auto &row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t j = 0; j < row.size(); ++j)
      widths[j] = std::max(widths[j], printer.TextWidth(row[j]));
  }
  const double gap = printer.TextWidth("  ");
  std::vector<double> starts;
  double x = kPrintLeft;
  for (const double width : widths) {
    starts.push_back(x);
    x += std::max(step, width + gap);
  }
  starts.push_back(x);
  return starts;
}

void PrintColumns(PageSurface &printer, const std::vector<double> &starts, const std::vector<std::string> &texts) {
  for (std::size_t j = 0; j < texts.size() && j < starts.size(); ++j)
    PrintAt(printer, RoundTwips(starts[j]), g.PrintY, texts[j]);
}

// The columns of a table split into blocks that fit the page line: each block repeats the
// first column and takes the next columns while they fit. Returns the blocks' column numbers.
std::vector<std::vector<std::size_t>> ColumnBlocks(const std::vector<double> &starts) {
  std::vector<std::vector<std::size_t>> blocks;
  const std::size_t columns = starts.size() - 1;
  const double first = starts[1] - starts[0];
  for (std::size_t j = 1; j < columns;) {
    std::vector<std::size_t> block{0};
    double x = kPrintLeft + first;
    do {
      block.push_back(j);
      x += starts[j + 1] - starts[j];
      ++j;
    } while (j < columns && x + starts[j + 1] - starts[j] <= kPrintRight);
    blocks.push_back(std::move(block));
  }
  if (blocks.empty()) blocks.push_back({0});
  return blocks;
}

// Starts of a block's columns, side by side from the left margin.
std::vector<double> BlockStarts(const std::vector<double> &starts, const std::vector<std::size_t> &block) {
  std::vector<double> at;
  double x = kPrintLeft;
  for (const std::size_t j : block) {
    at.push_back(x);
    x += starts[j + 1] - starts[j];
  }
  return at;
}

std::vector<std::string> Pick(const std::vector<std::string> &row, const std::vector<std::size_t> &block) {
  std::vector<std::string> picked;
  for (const std::size_t j : block)
    picked.push_back(j < row.size() ? row[j] : std::string());
  return picked;
}

std::string Caption(int s) {
  const std::string head = "Scenario " + Str(s);
  switch (QueueKind(s)) {
  case QueueModelKind::PureDeath:
    return head + ": Pure Death Model(N = " + QueuePopulationText(s) + ")";
  case QueueModelKind::PureBirth:
    return head + ": Pure Birth Model";
  default:
    return head + "-- " + QueueModelNotation(s);
  }
}

void PrintComparative(PageSurface &printer) {
  std::vector<std::vector<std::string>> rows(1);
  for (const char *head : kQueueComparativeHeads)
    rows[0].emplace_back(head);
  for (int s = 1; s <= g.NScen; ++s) {
    const auto row = QueueComparativeRow(s);
    rows.emplace_back(row.begin(), row.end());
  }
  const std::vector<double> starts = ColumnStarts(printer, kComparativeStep, rows);
  const auto blocks = ColumnBlocks(starts);
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const std::vector<double> at = BlockStarts(starts, blocks[b]);
    const std::vector<std::string> heads = Pick(rows[0], blocks[b]);
    // A later block starts a blank line below the one before.
    if (b > 0) g.PrintY += g.LineHeight;
    NextHeadingLine(printer);
    PrintColumns(printer, at, heads);
    for (std::size_t r = 1; r < rows.size(); ++r) {
      if (NextLine(printer)) {
        PrintColumns(printer, at, heads);
        NextLine(printer);
      }
      PrintColumns(printer, at, Pick(rows[r], blocks[b]));
    }
  }
}

// The measures in pairs of a label and its value, two pairs a line (one when two do not fit
// the page line): the values a blank after the widest label of their side, the right pairs
// two blanks after the widest left pair.
void PrintMeasures(PageSurface &printer, int s) {
  static constexpr const char *kLabels[8] = {"Lambda =", "Mu =", "Lambda eff =", "Rho/c =",
                                             "Ls =",     "Lq =", "Ws =",         "Wq ="};
  const auto values = QueueMeasureTexts(s);
  const double blank = printer.TextWidth(" ");
  // Widest label and value of the pairs on one side (0 left, 1 right, 2 both).
  auto widest = [&](int side, bool value) {
    double w = 0;
    for (int i = 0; i < 8; ++i)
      if (side == 2 || i % 2 == side)
        w = std::max(w, printer.TextWidth(value ? values[static_cast<std::size_t>(i)] : kLabels[i]));
    return w;
  };
  const double leftValueX = kLeftPairX + widest(0, false) + blank;
  const double rightX = std::max<double>(kRightPairX, leftValueX + widest(0, true) + 2 * blank);
  const double rightValueX = rightX + widest(1, false) + blank;
  const bool twoAcross = rightValueX + widest(1, true) <= kPrintRight;
  const double singleValueX = kLeftPairX + widest(2, false) + blank;

  // The first pair half a line below the rule under the caption.
  g.PrintY -= g.LineHeight / 2;
  for (int i = 0; i < 8; ++i) {
    const bool right = twoAcross && i % 2 == 1;
    if (!right) NextLine(printer);
    const double x = right ? rightX : kLeftPairX;
    const double valueX = !twoAcross ? singleValueX : right ? rightValueX : leftValueX;
    PrintAt(printer, RoundTwips(x), g.PrintY, kLabels[i]);
    PrintAt(printer, static_cast<int32>(std::ceil(valueX)), g.PrintY, values[static_cast<std::size_t>(i)]);
  }
}

void PrintScenario(PageSurface &printer, int s) {
  PrintMeasures(printer, s);
  NextLine(printer);
  PrintRuleLine(printer, g.PrintY + g.LineHeight / 2);
  g.TableauRowOffset = QueueTableHalf();
  // The blocks have the same three columns, as wide as the widest text of any block.
  std::vector<std::vector<std::string>> rows(1);
  for (const char *head : kQueueTableHeads)
    rows[0].emplace_back(head);
  for (int n = 0; n < gq.NPn; ++n) {
    const auto row = QueueTableRow(n);
    rows.push_back({std::to_string(n), row[1], row[2]});
  }
  const std::vector<double> block = ColumnStarts(printer, kTableStep, rows);
  const double blockWidth = block[3] - kPrintLeft;
  // Two blocks side by side where they fit the page line.
  const int across = kPrintLeft + 2 * blockWidth - printer.TextWidth("  ") <= kPrintRight ? 2 : 1;
  std::vector<double> starts;
  std::vector<std::string> heads;
  for (int k = 0; k < across; ++k)
    for (std::size_t j = 0; j < 3; ++j) {
      starts.push_back(block[j] + k * blockWidth);
      heads.push_back(rows[0][j]);
    }

  // Page by page the states run down the left block, then down the right one; the last page
  // shares what is left between the blocks, the left one taking the odd row.
  const int states = gq.NPn;
  int n = 0;
  NextHeadingLine(printer);
  PrintColumns(printer, starts, heads);
  while (n < states) {
    int fit = 0;
    while (!PastPageBreak(printer, g.PrintY + (fit + 1) * g.LineHeight))
      ++fit;
    fit = std::max(fit, 1);
    const int left = states - n;
    const int per = left <= across * fit ? (left + across - 1) / across : fit;
    for (int r = 0; r < per; ++r) {
      g.PrintY += g.LineHeight;
      for (int k = 0; k < across; ++k) {
        const int m = n + k * per + r;
        if (m >= states) continue;
        for (std::size_t j = 0; j < 3; ++j)
          PrintAt(printer, RoundTwips(starts[3 * static_cast<std::size_t>(k) + j]), g.PrintY,
                  rows[static_cast<std::size_t>(m) + 1][j]);
      }
    }
    n = std::min(states, n + across * per);
    if (n < states) {
      printer.NewPage();
      g.PrintY = kContinueY;
      PrintColumns(printer, starts, heads);
    }
  }
}

} // namespace

bool PrintQueueOutput(PageSurface &printer) {
  PrintPageHeading(printer);
  printer.SetFontSize(10);
  SetLineHeight(printer);
  g.TitleText = "QUEUEING OUTPUT ANALYSIS";
  printer.SetCurrentX((12240 - 120 * static_cast<double>(g.TitleText.size())) * 0.5);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
  printer.Print(g.TitleText);
  printer.SetCurrentX(kPrintLeft);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
  g.PrintY = RoundTwips(printer.CurrentY());
  printer.SetFontBold(false);
  PrintQueueScenarioOutput(printer);
  return printer.EndDoc();
}

void PrintQueueScenarioOutput(PageSurface &printer) {
  SetLineHeight(printer);
  NextLine(printer);
  PrintAt(printer, kPrintLeft, g.PrintY, "Title: " + g.HeaderText[1]);

  const bool comparative = g.OutputOption == g.NScen + 1;
  const int s = gq.CurScen;
  // Nothing was computed yet: the heading alone.
  if (!comparative && (s < 1 || s > g.NScen)) return;
  NextLine(printer);
  PrintAt(printer, kPrintLeft, g.PrintY, comparative ? "Comparative Analysis" : Caption(s));
  PrintRuleLine(printer, g.PrintY + g.LineHeight);
  if (comparative)
    PrintComparative(printer);
  else
    PrintScenario(printer, s);
}

bool PrintQueueOutput() {
  return RunPrintJob([](PageSurface &printer) { return PrintQueueOutput(printer); });
}

} // namespace quon
