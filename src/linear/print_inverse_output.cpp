#include "linear/print_reports.h"

#include "linear/mod_inverse.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

void PrintBoldLine(PageSurface &printer, const std::string &text) {
  printer.SetFontBold(true);
  printer.Print(text);
  printer.SetFontBold(false);
}

void NextLine(PageSurface &printer) {
  printer.SetCurrentX(kPrintLeft);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
}

} // namespace

bool PrintInverseOutput(PageSurface &printer) {
  const bool matrix = g.ModelClass == ModelClassCode::MatrixInversion;
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;

  PrintPageHeading(printer);
  printer.SetFontSize(8);
  g.LineHeight = RoundTwips(printer.TextHeight(NumberFormatString()));

  const std::string saved = g.MsgText;
  g.MsgText = matrix ? "MATRIX INVERSION BY LU DECOMPOSITION" : "SOLUTION OF SIMULTANEOUS EQUATIONS";
  PrintSectionHeader(printer);
  g.MsgText = saved;

  NextLine(printer);
  PrintBoldLine(printer, matrix ? "Original Matrix:" : "Original Equations:");
  PrintDataTable(printer, g.Tab, noSingles, noIntegers, 0);

  NextLine(printer);
  PrintBoldLine(printer, "Inverse Matrix:  ");
  NextLine(printer);
  if (LastDeterminant().mantissa == 0) {
    printer.Print("The matrix is singular (determinant 0) and has no inverse.");
    return printer.EndDoc();
  }
  const std::string label = "Value of the determinant =";
  PrintOverLines(printer, kPrintLeft, printer.CurrentY(), label + DeterminantText(NumberFormatString()));
  // The inverse's column headings go on the line under the determinant, above their rows.
  g.PrintY = RoundTwips(printer.CurrentY()) - g.LineHeight;
  PrintDataTable(printer, g.BInv, noSingles, noIntegers, -1);

  if (!matrix) {
    g.PrintY -= 2 * g.LineHeight;
    printer.SetCurrentX(kPrintLeft);
    printer.SetCurrentY(g.PrintY);
    PrintBoldLine(printer, "Solution:");
    for (int i = 1; i <= g.NVars; ++i) {
      g.PrintY += g.LineHeight;
      const std::string label = "x " + std::to_string(i) + " =  ";
      g.PrintY = RoundTwips(PrintOverLines(printer, 1500, g.PrintY, label + Format(g.XBasic(i), NumberFormatString())));
    }
  }
  return printer.EndDoc();
}

} // namespace quon
