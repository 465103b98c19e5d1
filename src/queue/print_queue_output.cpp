#include "queue/print_queue_output.h"

#include <algorithm>
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
  NextLine(printer);
  PrintColumns(printer, starts, rows[0]);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    if (NextLine(printer)) {
      PrintColumns(printer, starts, rows[0]);
      NextLine(printer);
    }
    PrintColumns(printer, starts, rows[r]);
  }
}

void PrintScenario(PageSurface &printer, int s) {
  static constexpr const char *kLabels[8] = {"Lambda = ", "Mu = ", "Lambda eff = ", "Rho/c = ",
                                             "Ls = ",     "Lq = ", "Ws = ",         "Wq = "};
  const auto values = QueueMeasureTexts(s);
  // The first pair half a line below the rule under the caption.
  g.PrintY -= g.LineHeight / 2;
  for (int line = 0; line < 4; ++line) {
    NextLine(printer);
    for (int side = 0; side <= 1; ++side) {
      const int i = 2 * line + side;
      PrintAt(printer, side == 0 ? kLeftPairX : kRightPairX, g.PrintY,
              Format(std::string(kLabels[i]), "!@@@@@@@@@@@@@") + values[static_cast<std::size_t>(i)]);
    }
  }

  NextLine(printer);
  PrintRuleLine(printer, static_cast<int16>(g.PrintY + g.LineHeight / 2));
  const int half = QueueTableHalf();
  g.TableauRowOffset = half;
  // The two blocks have the same three columns, as wide as the widest text of either block.
  std::vector<std::vector<std::string>> rows(1);
  for (const char *head : kQueueTableHeads)
    rows[0].emplace_back(head);
  for (int n = 0; n < gq.NPn; ++n) {
    const auto row = QueueTableRow(n);
    rows.push_back({std::to_string(n), row[1], row[2]});
  }
  const std::vector<double> block = ColumnStarts(printer, kTableStep, rows);
  std::vector<double> starts(block.begin(), block.begin() + 3);
  for (int j = 0; j < 3; ++j)
    starts.push_back(block[3] + block[static_cast<std::size_t>(j)] - kPrintLeft);
  std::vector<std::string> heads(rows[0]);
  heads.insert(heads.end(), rows[0].begin(), rows[0].end());
  NextLine(printer);
  PrintColumns(printer, starts, heads);
  for (int r = 1; r <= half; ++r) {
    if (NextLine(printer)) {
      PrintColumns(printer, starts, heads);
      NextLine(printer);
    }
    for (int k = 0; k <= 1; ++k) {
      const int n = half * k + r - 1;
      if (n >= gq.NPn) return;
      for (std::size_t j = 0; j < 3; ++j)
        PrintAt(printer, RoundTwips(starts[3 * static_cast<std::size_t>(k) + j]), g.PrintY,
                rows[static_cast<std::size_t>(n) + 1][j]);
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
  PrintRuleLine(printer, static_cast<int16>(g.PrintY + g.LineHeight));
  if (comparative)
    PrintComparative(printer);
  else
    PrintScenario(printer, s);
}

bool PrintQueueOutput() {
  return RunPrintJob([](PageSurface &printer) { return PrintQueueOutput(printer); });
}

} // namespace quon
