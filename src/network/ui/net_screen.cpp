#include "network/ui/net_screen.h"

#include <cmath>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"

namespace quon::net {

int16 &SavedCtlPos() {
  static int16 pos = 0;
  return pos;
}

std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (std::string_view p : pieces)
    out.append(p);
  return out;
}

std::string Fmt(double value) {
  return Format(value, NumberFormatString());
}

void ClearGrid(Grid &grid, int rows, int cols) {
  grid.SetCellSource({});
  grid.SetRows(0);
  grid.SetCols(0);
  grid.MergeCells = MergeMode::Never;
  grid.FixedRows = 0;
  grid.FixedCols = 0;
  grid.SetCols(cols);
  grid.SetRows(rows);
}

int AddRow(GridStore &grid) {
  grid.SetRows(grid.Rows() + 1);
  return grid.Rows() - 1;
}

void Back(GridStore &grid, int row, int col, Rgb colour) {
  CellAttr &a = grid.Attr(row, col);
  a.back = colour;
  a.hasBack = true;
}

void Fore(GridStore &grid, int row, int col, Rgb colour) {
  CellAttr &a = grid.Attr(row, col);
  a.fore = colour;
  a.hasFore = true;
}

void Align(GridStore &grid, int row, int col, int align) {
  grid.Attr(row, col).align = static_cast<std::int8_t>(align);
}

void Put(GridStore &grid, int row, int col, std::string_view text, Rgb fore, Rgb back) {
  grid.SetTextMatrix(row, col, text);
  Fore(grid, row, col, fore);
  Back(grid, row, col, back);
}

void PageHeading(Form &f) {
  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  f.SetFontSize(10);
  f.SetDrawWidth(1);
}

void Rule(Form &f) {
  f.Line(1200, f.CurrentY(), ScreenWidth() - 1200, f.CurrentY(), f.ForeColor());
}

void PlaceCentred(Control &c, double top) {
  c.Move(RoundTwips((ScreenWidth() - c.Width()) * 0.5), RoundTwips(top), c.Width(), c.Height());
}

void PrintCentred(Form &f, const std::string &text) {
  f.SetCurrentX((ScreenWidth() - f.TextWidth(text)) * 0.5);
  f.Print(text);
}

double ViewHeading(Scr5 &f) {
  f.SetFontName("arial");
  f.SetForeColor(kWhite);
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetDrawWidth(1);
  double y = SavedCtlPos() + f.Frame4.Height();
  f.cmdNextIter.SetEnabled(true);
  f.cmdFinalIter.SetEnabled(true);
  PlaceCentred(f.Frame2, y);
  f.Frame2.SetVisible(true);
  y += f.Frame2.Height();
  f.SetCurrentX(1200);
  f.SetCurrentY(y);
  Rule(f);
  f.SetCurrentX(1200);
  f.Print("Title: " + g.HeaderText[1]);
  return f.CurrentY();
}

double ViewName(Scr5 &f, double y, const std::string &summaryName, bool &iterations) {
  iterations = g.OutputOption == f.Combo1.ListCount();
  const std::string name = iterations ? "ITERATIONS" : summaryName;
  if (!iterations) {
    f.cmdNextIter.SetEnabled(false);
    f.cmdFinalIter.SetEnabled(false);
  }
  Label &l = f.Label1;
  l.SetCaption(name);
  l.SetFontName("arial");
  l.SetFontSize(10);
  l.SetFontBold(true);
  const double width = f.TextWidth(name);
  l.Move(RoundTwips((ScreenWidth() - width) * 0.5), static_cast<int>(y), RoundTwips(width) + 15,
         RoundTwips(f.TextHeight(name)));
  l.SetVisible(true);
  return l.Top() + l.Height();
}

void OutputGridLook(Grid &grid) {
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
}

} // namespace quon::net
