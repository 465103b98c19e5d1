#include "linear/ui/inverse_output.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "linear/mod_inverse.h"
#include "linear/ui/output_page.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

void Colour(Grid &grid, int row, int col, Rgb back, Rgb fore) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(back);
  grid.SetCellForeColor(fore);
}

// A heading row shown as one merged yellow cell across the data columns.
void MergedHeading(Grid &grid, int row, const std::string &text) {
  for (int c = 0; c < grid.Cols(); ++c) {
    grid.SetRow(row);
    grid.SetCol(c);
    grid.SetCellBackColor(kYellow);
    if (c == 0) continue;
    grid.SetCellAlignment(kAlignLeft);
    grid.SetText(text);
  }
  grid.SetMergeRow(row, true);
}

void LabelCell(Grid &grid, int row, int col, const std::string &text) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetText(text);
  grid.SetCellAlignment(kAlignCenter);
  grid.SetCellForeColor(kBlue);
}

void Value(Grid &grid, int row, int col, double v) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetText(Formatted(v));
  grid.SetCellBackColor(kBlue);
  grid.SetCellForeColor(kWhite);
}

} // namespace

void ShowInverseOutput() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int n = g.NVars;
  const bool equations = g.ModelClass == ModelClassCode::LinearEquations;
  // The inversion's own verdict: a product of pivots can round to 0 for a matrix it inverted.
  const bool singular = LastDeterminant().mantissa == 0;

  BeginSummaryPage(f);
  // These outputs offer no other view.
  f.Frame4.SetVisible(false);
  g.TitleText = equations ? "SOLUTION OF SIMULTANEOUS EQUATIONS" : "MATRIX INVERSION BY LU DECOMPOSITION";
  f.SetCurrentY(f.CurrentY() * 1.3);
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) * 0.5);
  f.Print(g.TitleText);
  f.SetCurrentX(1200);
  f.SetCurrentY(f.CurrentY() * 1.1);
  f.Print("Title: " + g.HeaderText[1]);
  f.Line(1200, f.CurrentY(), w - 1200, f.CurrentY(), f.ForeColor());

  g.TitleText = "INVERSE:";
  grid.FixedRows = 0;
  grid.FixedCols = 1;
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  const int blocks = equations ? 3 : 2;
  const int cols = equations ? n + 2 : n + 1;
  grid.SetCols(cols);
  if (singular) {
    grid.SetRows(n + 3);
    g.TitleText = "NO INVERSE:     ";
  } else {
    grid.SetRows((n + 2) * blocks);
  }

  const int dataWidth = RoundTwips(static_cast<double>(NumberFormatString().size()) * 140);
  for (int c = 1; c < cols; ++c) {
    grid.SetColWidth(c, dataWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  }
  grid.SetColWidth(0, 1400);
  grid.ColAlignment.at(0) = kAlignLeft;

  const int width =
      RoundTwips(std::min(1.25 * grid.ColWidthOf(0) + (cols - 1) * grid.ColWidthOf(1), 0.85 * w));
  const int top = GridTopBelowHeading(f, 1.3, f.Frame2);
  grid.Move(RoundTwips((w - width) * 0.5), top, width, grid.Height());
  f.Frame2.Move(RoundTwips(0.5 * (w - f.Frame2.Width())), top - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  f.Frame1.Move(RoundTwips(0.5 * (w - f.Frame1.Width())), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));

  grid.MergeCells = MergeMode::RestrictRows;
  for (int k = 1; k <= 2; ++k) {
    const int b = (n + 2) * (k - 1);
    for (int c = 0; c < cols; ++c)
      Colour(grid, b, c, kCyan, kBlue);
    std::string rowLabel = "row", colLabel = "col";
    if (k == 1) {
      MergedHeading(grid, 0, equations ? "ORIGINAL EQUATIONS:" : "ORIGINAL MATRIX:");
      if (equations) rowLabel = "eq", colLabel = "x";
    } else {
      g.MsgText = g.TitleText + "    Determinant =" + DeterminantText(NumberFormatString());
      MergedHeading(grid, b, g.MsgText);
      if (singular) break;
    }
    // The inverse of an equation system has no right-hand-side column.
    const int lastCol = k == 2 && equations ? n : cols - 1;
    for (int c = 1; c <= lastCol; ++c)
      LabelCell(grid, b + 1, c,
                k == 1 && equations && c == n + 1 ? "R.H.S" : colLabel + " " + std::to_string(c));
    for (int r = 1; r <= n; ++r) {
      LabelCell(grid, b + 1 + r, 0, rowLabel + " " + std::to_string(r));
      for (int c = 1; c <= lastCol; ++c)
        Value(grid, b + 1 + r, c, k == 1 ? g.Tab(r, c) : g.BInv(r, c));
    }
    // Only the matrix as entered takes the chosen type; the rest is decimal.
    g.NumFormatType = 1;
  }

  if (equations && !singular) {
    const int b = 2 * (n + 2);
    MergedHeading(grid, b, "SOLUTION:");
    Colour(grid, b, 0, kYellow, kBlue);
    for (int i = 1; i <= n; ++i) {
      LabelCell(grid, b + i, 0, "x" + std::to_string(i) + " =");
      grid.SetRow(b + i);
      grid.SetCol(1);
      grid.SetText(Formatted(g.XBasic(i)));
      grid.SetCellAlignment(kAlignRight);
      grid.SetCellForeColor(kBlue);
    }
  }
}

} // namespace quon
