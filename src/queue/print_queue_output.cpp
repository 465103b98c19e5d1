#include "queue/print_queue_output.h"

#include <string>

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

// PrintY one line down, on a new page when this one is full.
void NextLine(PageSurface &printer) {
  g.PrintY += g.LineHeight;
  if (g.PrintY > kPageFullY) {
    printer.NewPage();
    g.PrintY = kContinueY;
  }
}

void PrintColumns(PageSurface &printer, int32 step, const std::string *texts, int count) {
  for (int j = 0; j < count; ++j)
    PrintAt(printer, kPrintLeft + step * j, g.PrintY, texts[j]);
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
  NextLine(printer);
  std::string heads[10];
  for (int j = 0; j < 10; ++j)
    heads[j] = kQueueComparativeHeads[static_cast<std::size_t>(j)];
  PrintColumns(printer, kComparativeStep, heads, 10);
  for (int s = 1; s <= g.NScen; ++s) {
    NextLine(printer);
    const auto row = QueueComparativeRow(s);
    PrintColumns(printer, kComparativeStep, row.data(), 10);
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
  NextLine(printer);
  std::string heads[6];
  for (int j = 0; j < 6; ++j)
    heads[j] = kQueueTableHeads[static_cast<std::size_t>(j % 3)];
  PrintColumns(printer, kTableStep, heads, 6);
  const int half = QueueTableHalf();
  g.TableauRowOffset = half;
  for (int r = 1; r <= half; ++r) {
    NextLine(printer);
    for (int k = 0; k <= 1; ++k) {
      const int n = half * k + r - 1;
      if (n == gq.NPn) return;
      const auto row = QueueTableRow(n);
      for (int j = 0; j < 3; ++j)
        PrintAt(printer, kPrintLeft + kTableStep * (3 * k + j), g.PrintY,
                j == 0 ? std::to_string(n) : row[static_cast<std::size_t>(j)]);
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
