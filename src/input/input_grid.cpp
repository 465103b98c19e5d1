#include "input/input_grid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "input/problem_file.h"
#include "input/problem_header.h"
#include "platform/colors.h"
#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

namespace {

constexpr Rgb kBoundRowBlue = RGB(0, 75, 255);

std::string Numbered(const char *word, int k) { return std::string(word) + Str(k); }
std::string Tagged(const char *letter, int k) { return std::string(letter) + Trim(Str(k)); }

bool IsLinearOrInteger() { return g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming; }

int32 ColumnWidth(const GridStore &grid, int col) {
  return col < grid.Cols() ? grid.ColWidthOf(col) : GridStore::kDefaultColWidth;
}

void SetBack(GridStore &grid, int r, int c, Rgb color) {
  CellAttr &a = grid.Attr(r, c);
  a.back = color;
  a.hasBack = true;
}

const std::array<const char *, 6> kQueueHeadings = {"Scenario",        "Lambda",       "Mu",
                                                    "Nbr. of Servers", "System Limit", "Source Limit"};
const std::array<const char *, 7> kProjectHeadings = {"Row", "From Node", "To Node", "Activity Symbol",
                                                      "Duration", "m", "b"};

std::string ColumnHeading(const GridStore &grid, int j) {
  const int n = g.NVars;
  switch (g.ModelClass) {
  case ModelClassCode::MatrixInversion:
    return Numbered("Column", j);
  case ModelClassCode::LinearEquations:
    return j <= n ? Tagged("x", j) : "R.H.S.";
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    return Tagged("x", j);
  case ModelClassCode::Transportation:
    return j == grid.Cols() - 1 ? "Supply" : Tagged("D", j - 1);
  case ModelClassCode::Queueing:
    return j < 6 ? kQueueHeadings[j] : "";
  case ModelClassCode::Networks:
    return Tagged("N", j - 1);
  case ModelClassCode::ProjectPlanning:
    if (g.ProjMethod == 2 && j == 4) return "a";
    return j < 7 ? kProjectHeadings[j] : "";
  case ModelClassCode::Games:
    return Tagged("B", j);
  default:
    return "";
  }
}

void WriteColumnHeadings(GridStore &grid) {
  int start = 1;
  if (g.ModelClass == ModelClassCode::Transportation || g.ModelClass == ModelClassCode::Networks) start = 2;
  if (g.ModelClass == ModelClassCode::Queueing || g.ModelClass == ModelClassCode::ProjectPlanning) start = 0;
  const int n = g.NVars;
  for (int j = start; j < grid.Cols(); ++j) {
    grid.Attr(0, j).align = static_cast<int>(CellAlign::Center);
    if (IsLinearOrInteger() && j > n) {
      grid.SetTextMatrix(0, n + 1, "Enter <, >, or =");
      grid.SetTextMatrix(0, n + 2, "R.H.S.");
    } else {
      grid.SetTextMatrix(0, j, ColumnHeading(grid, j));
    }
  }
}

std::string RowHeading(int i) {
  const int m = g.MRows;
  switch (g.ModelClass) {
  case ModelClassCode::MatrixInversion:
    return Numbered("Row", i);
  case ModelClassCode::LinearEquations:
    return Numbered("Eq", i);
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    if (i == 1) return "Var. Name";
    if (i == 2) return g.SenseText.str();
    if (i <= m + 2) return Numbered("Constr", i - 2);
    if (i == m + 3) return "Lower Bound";
    if (i == m + 4) return "Upper Bound";
    if (i == m + 5) return "Unrestr'd (y/n)? ";
    return "Integer (y/n)? ";
  case ModelClassCode::Transportation:
    return i == 1 ? "" : Tagged("S", i - 1);
  case ModelClassCode::Queueing:
  case ModelClassCode::ProjectPlanning:
    return Trim(Str(i));
  case ModelClassCode::Networks:
    return Tagged("N", i - 1);
  case ModelClassCode::Games:
    return Tagged("A", i);
  default:
    return "";
  }
}

void WriteRowHeadings(GridStore &grid) {
  const int16 cls = g.ModelClass;
  if (grid.Cols() < 1) return;
  grid.ColAlignment[0] = static_cast<int>(CellAlign::Left);
  if (cls == ModelClassCode::ProjectPlanning) grid.ColAlignment[0] = static_cast<int>(CellAlign::Center);
  if ((cls == ModelClassCode::Transportation || cls == ModelClassCode::Networks) && grid.Cols() > 1) grid.ColAlignment[1] = static_cast<int>(CellAlign::Left);
  for (int i = 1; i < grid.Rows(); ++i) {
    if (i == 1 && cls == ModelClassCode::Transportation) {
      grid.SetTextMatrix(1, 1, "S/D Name");
    } else if (i == 1 && cls == ModelClassCode::Networks) {
      grid.SetTextMatrix(1, 1, "Node Name");
    } else if (cls == ModelClassCode::Transportation && i == grid.Rows() - 1) {
      grid.SetTextMatrix(i, 0, "Demand");
    } else {
      grid.SetTextMatrix(i, 0, RowHeading(i));
    }
    if (cls == ModelClassCode::Queueing) grid.Attr(i, 0).align = static_cast<int>(CellAlign::Center);
  }
}

void SetShape(GridStore &grid, int rows, int cols) {
  grid.SetRows(rows);
  grid.SetCols(cols);
}

void EmptyAll(GridStore &grid) {
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) grid.SetTextMatrix(r, c, "");
}

// Transportation: the name, supply and demand cells are emptied and given the data colour,
// the four corners the heading colour.
void PrepareTransportBorder(GridStore &grid) {
  const int rows = grid.Rows(), cols = grid.Cols();
  for (int i = 1; i < rows; ++i)
    for (int c : {1, cols - 1}) {
      grid.SetTextMatrix(i, c, "");
      SetBack(grid, i, c, kBlue);
    }
  for (int j = 2; j <= cols - 2; ++j)
    for (int r : {1, rows - 1}) {
      grid.SetTextMatrix(r, j, "");
      SetBack(grid, r, j, kBlue);
    }
  for (auto [r, c] : {std::pair{1, 1}, {1, cols - 1}, {rows - 1, 1}, {rows - 1, cols - 1}}) SetBack(grid, r, c, kCyan);
  grid.Attr(1, 1).fore = kBlue;
  grid.Attr(1, 1).hasFore = true;
}

void WriteDefaults(GridStore &grid) {
  const std::string z = ZeroText();
  const int rows = grid.Rows(), cols = grid.Cols();
  const int m = g.MRows, n = g.NVars;
  for (int i = 1; i < rows; ++i) {
    for (int j = 1; j < cols; ++j) {
      std::optional<std::string> text;
      switch (g.ModelClass) {
      case ModelClassCode::MatrixInversion:
      case ModelClassCode::LinearEquations:
      case ModelClassCode::Games:
        text = z;
        break;
      case ModelClassCode::LinearProgramming:
      case ModelClassCode::IntegerProgramming:
        if (i == 1) break;
        if (j <= n) {
          if (i <= m + 3) text = z;
          else if (i == m + 4) text = "infinity";
          else if (i == m + 5) text = "n";
          else text = "y";
        } else if (i >= 3 && i <= m + 2) {
          text = j == n + 1 ? "        <=" : z;
        }
        break;
      case ModelClassCode::Transportation:
        if (i >= 2 && i <= rows - 2 && j >= 2 && j <= cols - 2) text = z;
        break;
      case ModelClassCode::Queueing:
        if (j <= 2) text = z;
        else if (j == 3) text = "1";
        else text = "infinity";
        break;
      case ModelClassCode::Networks:
        if (i >= 2 && j >= 2) text = i == j ? "" : (g.NetSubModel == 4 ? z : "infinity");
        break;
      default:
        break;
      }
      if (text) grid.SetTextMatrix(i, j, *text);
    }
  }
}

} // namespace

std::string ZeroText() { return Format(0.0, NumberFormatString()); }

GridTexts TextsOf(const GridStore &grid) {
  GridTexts out(grid.Rows());
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) out[r].push_back(grid.TextMatrix(r, c));
  return out;
}

namespace {

// The lines at the end of a grid's rows or columns that follow the size: the bound and flag
// rows, the relation and right-hand-side columns, the demand row, the supply column.
int TailRows() {
  switch (g.ModelClass) {
  case ModelClassCode::LinearProgramming:
    return 3;
  case ModelClassCode::IntegerProgramming:
    return 4;
  case ModelClassCode::Transportation:
    return 1;
  default:
    return 0;
  }
}
int TailCols() {
  switch (g.ModelClass) {
  case ModelClassCode::LinearEquations:
  case ModelClassCode::Transportation:
    return 1;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    return 2;
  default:
    return 0;
  }
}

// Where line k (from 1) of `oldCount` lines goes among `newCount`, or -1 when it has no place.
int CarriedLine(int k, int oldCount, int newCount, int tail) {
  if (k >= oldCount - tail) return k + newCount - oldCount;
  return k < newCount - tail ? k : -1;
}

} // namespace

void CarryDataCells(GridStore &grid, const GridTexts &old) {
  const int oldRows = static_cast<int>(old.size());
  const int oldCols = oldRows > 0 ? static_cast<int>(old[0].size()) : 0;
  for (int r = 1; r < oldRows; ++r) {
    const int nr = CarriedLine(r, oldRows, grid.Rows(), TailRows());
    if (nr < 1) continue;
    for (int c = 1; c < oldCols && c < static_cast<int>(old[r].size()); ++c) {
      const int nc = CarriedLine(c, oldCols, grid.Cols(), TailCols());
      if (nc >= 1) grid.SetTextMatrix(nr, nc, old[r][c]);
    }
  }
}

void AdoptGridSizes(const GridStore &grid) {
  // A project's size is its largest node number, found from its rows.
  if (g.ModelClass == ModelClassCode::ProjectPlanning) return;
  const std::vector<int> sizes = GridSizes(g.ModelClass, grid.Rows(), grid.Cols());
  if (sizes.empty()) return;
  const int16 first = static_cast<int16>(sizes[0]);
  const int16 second = static_cast<int16>(sizes.size() > 1 ? sizes[1] : 0);
  g.NVars = g.MRows = g.NScen = g.NodeCount = g.GameRows = first;
  if (HasSecondSize(g.ModelClass)) {
    g.TransSources = first;
    g.MRows = g.TransDests = g.GameCols = second;
  }
  if (g.ModelClass == ModelClassCode::Queueing) {
    g.NVars = 5;
    g.MRows = g.NScen;
  }
}

int32 SetInputGridColumns(GridStore &grid, int32 &width) {
  for (int c = 0; c < grid.Cols(); ++c) {
    grid.SetColWidth(c, width);
    grid.ColAlignment[c] = static_cast<int>(CellAlign::Right);
  }
  if (grid.Cols() > 0) grid.ColAlignment[0] = static_cast<int>(CellAlign::Left);
  return grid.Cols() * width;
}

void WriteInputGridHeadings(GridStore &grid, int16 which) {
  if (which != 1 && which != 2) return;
  if (g.ModelClass == ModelClassCode::ProjectPlanning && grid.Rows() > 1 && grid.Cols() > 0) grid.SetTextMatrix(1, 0, "1");
  if (which == 1) WriteColumnHeadings(grid);
  else WriteRowHeadings(grid);
}

void ColorInputGrid(GridStore &grid) {
  const int rows = grid.Rows(), cols = grid.Cols();
  const int lowerBoundRow = rows - (g.ModelClass == ModelClassCode::IntegerProgramming ? 4 : 3);
  for (int r = std::max(lowerBoundRow, 1); r < rows; ++r)
    for (int c = 1; c < cols; ++c) SetBack(grid, r, c, kBoundRowBlue);
  // Every constraint row, the first one included, is a data row like the others.
  for (int r = 3; r < lowerBoundRow; ++r)
    for (int c = 1; c < cols; ++c) SetBack(grid, r, c, kBlue);
}

std::optional<InputGridSetUp> BuildInputGrid(GridStore &grid) {
  if (g.GridReadyFlag == 1) return std::nullopt;
  g.GridReadyFlag = 1;
  grid.FontName = "arial";
  grid.FontSize = 9;
  grid.FontBold = true;
  grid.FixedRows = 1;
  grid.FixedCols = 1;
  // Colours of an earlier layout on the same screen would land on cells of another kind.
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) grid.Attr(r, c) = CellAttr{};

  const int32 digits = static_cast<int32>(g.NumDigitsN) + g.NumDigitsD + 4;
  int32 w = std::max(ColumnWidth(grid, 1), digits * 97);
  const int n = g.NVars, m = g.MRows;
  InputGridSetUp s;
  switch (g.ModelClass) {
  case ModelClassCode::MatrixInversion:
    s.Caption = "INPUT GRID - MATRIX INVERSE";
    SetShape(grid, n + 1, n + 1);
    s.TotalWidth = SetInputGridColumns(grid, w);
    break;
  case ModelClassCode::LinearEquations:
    s.Caption = "INPUT GRID - SIMULTANEOUS EQUAITIONS";
    SetShape(grid, n + 1, n + 2);
    s.TotalWidth = SetInputGridColumns(grid, w);
    break;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    s.Caption = g.ModelClass == ModelClassCode::LinearProgramming ? "INPUT GRID - LINEAR PROGRAMMING" : "INPUT GRID - INTEGER PROGRAMMING";
    SetShape(grid, m + (g.ModelClass == ModelClassCode::LinearProgramming ? 6 : 7), n + 3);
    EmptyAll(grid);
    SetInputGridColumns(grid, w);
    // Wide enough for "Type <, >, or =".
    grid.SetColWidth(0, 1500);
    grid.SetColWidth(n + 1, 1500);
    grid.ColAlignment[0] = static_cast<int>(CellAlign::Left);
    s.TotalWidth = (grid.Cols() - 2) * w + 3000;
    ColorInputGrid(grid);
    break;
  case ModelClassCode::Transportation:
    s.Caption = "INPUT GRID - TRANSPORTATION";
    SetShape(grid, g.TransSources + 3, g.TransDests + 3);
    PrepareTransportBorder(grid);
    s.TotalWidth = SetInputGridColumns(grid, w);
    grid.ColAlignment[1] = static_cast<int>(CellAlign::Left);
    break;
  case ModelClassCode::Queueing:
    s.Caption = "INPUT TABLE - M/M/c queues";
    g.NVars = 5;
    g.MRows = g.NScen;
    SetShape(grid, g.NScen + 1, 6);
    // Wide enough for "Nbr. of Servers".
    w = std::max<int32>(w, 1725);
    s.TotalWidth = SetInputGridColumns(grid, w);
    break;
  case ModelClassCode::Networks: {
    if (g.NetSubModel == 1) s.Caption = "INPUT GRID - MINIMAL SPANNING TREE";
    else if (g.NetSubModel == 4) s.Caption = "INPUT GRID - MAXIMAL FLOW";
    else s.Caption = "INPUT GRID - SHORTEST ROUTE";
    const int k = g.NodeCount + 2;
    SetShape(grid, k, k);
    SetBack(grid, 1, 1, kCyan);
    grid.Attr(1, 1).fore = kBlue;
    grid.Attr(1, 1).hasFore = true;
    s.TotalWidth = SetInputGridColumns(grid, w);
    grid.ColAlignment[1] = static_cast<int>(CellAlign::Left);
    s.ShowSymmetricFrame = true;
    s.SymmetricForced = g.NetSubModel == 1;
    break;
  }
  case ModelClassCode::ProjectPlanning: {
    const bool pert = g.ProjMethod == 2;
    s.Caption = pert ? "INPUT GRID - PERT (PROGRAM EVALUATION && REVIEW TECHNIQUE)"
                     : "INPUT GRID - CPM (CRITICAL PATH METHOD)";
    grid.FixedCols = 1;
    grid.SetCols(pert ? 7 : 5);
    if (g.GridFromFile != 1) grid.SetRows(2);
    for (int c = 4; c < grid.Cols(); ++c) {
      grid.SetColWidth(c, w);
      grid.ColAlignment[c] = static_cast<int>(CellAlign::Right);
    }
    for (int c = 0; c <= 2; ++c) grid.ColAlignment[c] = static_cast<int>(CellAlign::Center);
    // Wide enough for "Activity Symbol", and for "From Node" in the headings' bold type.
    grid.SetColWidth(3, 1500);
    grid.ColAlignment[3] = static_cast<int>(CellAlign::Left);
    const int32 nodeWidth = std::max<int32>(ColumnWidth(grid, 1), 1200);
    grid.SetColWidth(1, nodeWidth);
    grid.SetColWidth(2, nodeWidth);
    s.TotalWidth = static_cast<int32>(
        std::lround((pert ? 6.25 : 4.25) * w + 1500 + 2 * std::max<int32>(0, nodeWidth - w)));
    break;
  }
  case ModelClassCode::Games:
    s.Caption = "INPUT GRID - TWO-PERSON ZERO-SUM GAME";
    SetShape(grid, g.GameRows + 1, g.GameCols + 1);
    s.TotalWidth = SetInputGridColumns(grid, w);
    s.ShowPayoffNote = true;
    break;
  default:
    break;
  }

  ReDimProblemArrays(ArrayKind::EditBuffers);
  WriteInputGridHeadings(grid, 1);
  WriteInputGridHeadings(grid, 2);
  if (g.GridFromFile == 1) {
    g.GridFromFile = 0;
    return s;
  }
  WriteDefaults(grid);
  return s;
}

int16 IsEditableCell(const GridStore &grid, int16 mode, int16 row, int16 col) {
  const int rows = grid.Rows(), cols = grid.Cols();
  const int m = g.MRows;
  switch (g.ModelClass) {
  case ModelClassCode::LinearEquations:
    if ((mode == 1 || mode == 2) && row == 0 && col == cols - 1) return 1;
    break;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    if (row == 0 || row == 1 || row == 2 || (row >= m + 3 && row <= m + 6)) {
      if (mode == 2 && (col == 0 || col >= cols - 2)) return 1;
      if (mode == 1 && col + 1 >= cols - 2) return -1;
    }
    break;
  case ModelClassCode::Transportation:
    if (row == 0 || row == 1 || row == rows - 1) {
      if (mode == 2 && (col == 0 || col == 1 || col == cols - 1)) return 1;
      if (mode == 1 && col + 1 == cols - 1) return -1;
    }
    break;
  case ModelClassCode::Networks:
    if (mode == 2 && (row == 0 || row == 1) && (col == 0 || col == 1)) return 1;
    break;
  default:
    break;
  }
  return 0;
}

void ResetInputGridSelection(GridStore &grid) {
  if (grid.Rows() < 2 || grid.Cols() < 2) return;
  grid.SetCol(1);
  grid.SetRow(1);
  SetBack(grid, 1, 1, (g.ModelClass == ModelClassCode::Transportation || g.ModelClass == ModelClassCode::Networks) ? kCyan : kBlue);
}

void ShowGridEditingHelp(Surface &screen, double screenWidthTwips, double screenHeightTwips) {
  const double x = g.HelpTextX;
  std::vector<const char *> lines;
  if (IsLinearOrInteger()) lines.push_back(">>Click Maximize(Minimize)-cell to change it to Minimize(Maximize)");
  lines.insert(lines.end(), {">>To DELETE, INSERT, COPY, or PASTE a column(row), click heading",
                             "     cell of target column(row), then invoke pull-down EditGrid menu",
                             ">>For INSERT mode, a single(double) click of target row/column will",
                             "     place new row/column after(before) target row/column.  "});
  // The help keeps within its frame, whose right side stands at 0.975 of the screen: in a
  // smaller type where the screen is too narrow for the one it was given.
  constexpr double kIndent = 200, kClearOfFrame = 60, kSmallestType = 6;
  const double room = 0.975 * screenWidthTwips - kClearOfFrame - x - kIndent;
  auto widest = [&] {
    double w = screen.TextWidth(" Editing Grid:") - kIndent;
    for (const char *text : lines)
      w = std::max(w, screen.TextWidth(text));
    return w;
  };
  const double given = screen.FontSize();
  while (screen.FontSize() > kSmallestType && widest() > room)
    screen.SetFontSize(std::max(kSmallestType, screen.FontSize() - 0.5));

  screen.SetCurrentX(x);
  screen.SetCurrentY(0.04 * screenHeightTwips);
  screen.Print(" Editing Grid:");
  for (const char *text : lines) {
    screen.SetCurrentX(x + kIndent);
    screen.Print(text);
  }
  screen.SetFontSize(given);
}

} // namespace quon
