#include "transport/transport_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/colors.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"
#include "transport/transport_simplex.h"

namespace quon {

namespace {

constexpr double kSummaryLineWidth = 11736;

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

void PrintOriginalData(PageSurface &printer, const char *title) {
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;
  PrintPageHeading(printer);
  g.MsgText = title;
  PrintSectionHeader(printer);
  printer.SetFontBold(false);
  PrintDataTable(printer, g.LPData, noSingles, noIntegers, 1);
}

} // namespace

std::string TransAmountText(double amount, const std::string &pattern) {
  // Sums of typed fractions may miss a whole number by rounding alone.
  const double whole = std::round(amount);
  if (std::fabs(amount - whole) <= 1E-12 * std::max(1.0, std::fabs(amount))) return NumText(whole + 0.0);
  return Trim(Format(amount, pattern));
}

std::string TransCostText(double cost, const std::string &pattern) {
  if (TransIsInfinityCost(cost)) return cost > 0 ? "infinity" : "-infinity";
  return Format(cost, pattern);
}

std::string TransWordOf(double infinities, double minusInfinities) {
  const double lead = infinities != 0 ? infinities : minusInfinities;
  if (lead == 0) return "";
  return lead > 0 ? "infinity" : "-infinity";
}

std::string TransObjectiveText(double z, int infinity, const std::string &pattern) {
  if (infinity > 0) return "infinity";
  if (infinity < 0) return "-infinity";
  return Format(z, pattern);
}

std::vector<int> TransSummaryOrder() {
  std::vector<int> order;
  for (int p = 1; p <= g.MRows; ++p)
    order.push_back(p);
  std::stable_sort(order.begin(), order.end(), [](int a, int b) { return g.BasisList(a) < g.BasisList(b); });
  return order;
}

std::array<std::string, 5> TransSummaryTexts(int p) {
  const int cell = g.BasisList(p);
  const int n = g.TransDests;
  const int i = (cell - 1) / n + 1;
  const int j = (cell - 1) % n + 1;
  const double x = g.XBasic(p);
  const double c = g.CostB(p);
  const std::string pattern = NumberFormatString();
  // An amount on a route costing "infinity" or "-infinity" contributes that; none, nothing.
  std::string contribution = Formatted(x * c);
  if (TransIsInfinityCost(c)) contribution = x > TransShipmentNoise() ? TransCostText(c, pattern) : Formatted(0.0);
  return {std::string("S") + std::to_string(i) + ":   " + g.SourceName(i),
          std::string("D") + std::to_string(j) + ":   " + g.DestName(j), TransAmountText(x, pattern),
          TransCostText(c, pattern), contribution};
}

void PrintTransSummaryLines(Surface &surface, double right) {
  for (const std::string &line :
       {"Title: " + g.HeaderText[1], std::string("Final Iteration No.: ") + Str(g.FinalIteration), g.TransSolveNote}) {
    if (line.empty()) break;
    surface.SetCurrentX(kPrintLeft);
    surface.Print(line);
  }
  if (g.TransSolveNote.empty())
    PrintOverLines(surface, kPrintLeft, surface.CurrentY(),
                   "Objective Value (minimum cost) =" +
                       TransObjectiveText(g.ZValue, TransSolutionInfinity(), NumberFormatString()),
                   right);
}

bool PrintTransOutputSummary(PageSurface &printer) {
  const std::vector<int> order = TransSummaryOrder();
  printer.SetFontBold(false);
  printer.SetDrawWidth(2);

  // The original data leave the printer as a job of their own.
  PrintOriginalData(printer, "TRANSPORTATION MODEL -- ORIGINAL DATA");
  printer.EndDoc();

  // The summary, without a page heading.
  printer.SetFontBold(false);
  const std::string title = "TRANSPORTATION MODEL OUTPUT SUMMARY";
  printer.SetCurrentX((kSummaryLineWidth - printer.TextWidth(title)) / 2);
  printer.SetCurrentY(1000);
  printer.Print(title);
  printer.Line(kPrintLeft, printer.CurrentY(), kSummaryRuleRight, printer.CurrentY(), kBlack);
  printer.SetCurrentY(printer.CurrentY() + 100);
  PrintTransSummaryLines(printer, kPrintRight);

  if (!g.TransSolveNote.empty()) return printer.EndDoc();
  g.PrintY = RoundTwips(printer.CurrentY());
  std::vector<std::array<std::string, 5>> rows;
  for (int p : order)
    rows.push_back(TransSummaryTexts(p));
  PrintSummaryTable(printer, {"From", "To", "Amt Shipped", "Obj Coeff", "Obj Contrib"}, rows);
  return printer.EndDoc();
}

bool PrintTransOutputSummary() {
  return RunPrintJob([](PageSurface &printer) { return PrintTransOutputSummary(printer); });
}

bool PrintTransTableaus(PageSurface &printer, const GridStore &outputGrid, const std::string &verdict) {
  PrintOriginalData(printer, "TRANSPORTATION MODEL-- ORIGINAL DATA");
  printer.NewPage();
  printer.SetFontBold(false);
  const char *method = g.TransStartMethod == 1   ? " (North-West Corner Method)"
                       : g.TransStartMethod == 2 ? " (Least-Cost Method )"
                       : g.TransStartMethod == 3 ? " (Vogel's Method)"
                                                 : "";
  g.MsgText = std::string("TRANSPORTATION MODEL -- TABLEAUS") + method;
  PrintSectionHeader(printer);
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;
  PrintDataTable(printer, g.Tab, noSingles, noIntegers, 2, &outputGrid);
  PrintClosingText(printer, verdict);
  return printer.EndDoc();
}

} // namespace quon
