#include "shell/data_table_printer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/colors.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "transport/transport_report.h"

namespace quon {

namespace {

constexpr double kTransBlockBreakY = 0.55 * kPageFullY; // 7524

// Names are printed cut to six characters; the shared tables keep the full names.
std::string Cut6(const std::string &s) { return Trim(s.substr(0, std::min<std::size_t>(6, s.size()))); }

template <class T> std::string TextAt(const BArray<T> &a, int i) {
  if (a.Dims() != 1 || i < a.LBound() || i > a.UBound()) return "";
  return static_cast<const std::string &>(a(i));
}

int LongestName() {
  int longest = 0;
  for (int j = 1; j <= g.NVars; ++j) longest = std::max<int>(longest, static_cast<int>(Cut6(TextAt(g.VarNames, j)).size()));
  return longest;
}

std::string Num(double v, const std::string &pattern) { return Format(v, pattern); }

// Shape of one call: rows of the first table, the last row of all tables, the last column,
// the first column of block 1 and the width of the label column in characters.
struct Plan {
  int first = 0, last = 0, overall = 0, C = 0, s = 1, labelWidth = 0;
};

bool MakePlan(int cls, int mode, const GridStore *grid, Plan &p) {
  const bool tableau = mode == 2;
  if (tableau && !grid) return false;
  switch (cls) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
    if (mode != 0 && mode != -1) return false;
    g.MsgText = cls == ModelClassCode::MatrixInversion ? "Original Matrix:" : "Original Equations:";
    g.MRows = g.NVars;
    p = {0, g.NVars, g.NVars, cls == ModelClassCode::LinearEquations && mode == 0 ? g.NVars + 1 : g.NVars, 0, 0};
    return true;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming: {
    if (mode != 1 && mode != 2) return false;
    int extra = cls == ModelClassCode::IntegerProgramming ? 6 : 5;
    int label = LongestName();
    if (cls == ModelClassCode::LinearProgramming) label = std::max(label, g.LPMethod == 4 ? 15 : 12);
    if (tableau)
      p = {0, g.MRows + extra, grid->Rows() - 1, g.NColsPlus1, 0, label};
    else
      p = {0, g.MRows + extra, g.MRows + extra, g.NVars + 2, 1, label};
    if (cls == ModelClassCode::IntegerProgramming && mode == 1) g.MsgText = "INTEGER PROGRAM -- ORIGINAL DATA";
    return true;
  }
  case ModelClassCode::Transportation:
    if (mode != 1 && mode != 2) return false;
    if (tableau)
      p = {0, 3 * g.TransSources + 3, grid->Rows() - 1, g.TransDests + 3, 0, LongestName()};
    else
      p = {0, g.TransSources + 2, g.TransSources + 2, g.TransDests + 3, 1, LongestName()};
    return true;
  case ModelClassCode::Networks:
    if (mode != 0 && mode != -2 && mode != -3) return false;
    p = {0, g.NodeCount, g.NodeCount, g.NodeCount, 0, 0};
    return true;
  case ModelClassCode::Games:
    if (mode != 0) return false;
    g.MsgText = "Original Game Data:";
    g.MRows = g.GameRows;
    p = {0, g.GameRows, g.GameRows, g.GameCols, 0, 0};
    return true;
  default:
    return false;
  }
}

// One call's working state.
struct TablePrinter {
  PageSurface &printer;
  const BArray<double> &data;
  const BArray<double> &second;
  const BArray<int16> &third;
  const int mode;
  const GridStore *grid;
  const int cls;
  Plan plan;
  std::string pattern;     // number format
  std::string cellPattern; // "@" field of heading and label texts
  int32 lineHeight = 0;
  // The width of the data columns, and of the leading slots that hold the row labels (the
  // same unless the numbers are too wide for the columns the labels leave room for).
  double colWidth = 0, leadWidth = 0;
  int perBlock = 1;
  int blocks = 1;
  // Current table and block.
  int first = 0, last = 0, k = 1, jFirst = 0, jLast = 0;
  // Transportation tableaus: top of the current block's part on this page, for its verticals.
  double segmentTop = -1;
  int slotCount = 0;
  // While measuring, rows are not printed: the widest cell of the table and of the current
  // row are kept instead, and (program tables) the widest label with its row's widest cell.
  bool measuring = false;
  double widest = 0, rowWidest = 0, widestLabelRow = 0, widestLead = 0, widestData = 0, widestLabel = 0;
  // The least room between two columns: two blanks.
  double gap = 0;
  // A text wider than its column is broken over lines of the column (the row takes as many
  // lines as its longest cell); only a table with such a text checks each cell. While
  // counting, rows are not printed: the lines of the row's longest cell are kept instead.
  bool mayBreak = false, counting = false;
  int rowLines = 1;

  TablePrinter(PageSurface &p, const BArray<double> &d, const BArray<double> &b, const BArray<int16> &c, int m,
               const GridStore *gr)
      : printer(p), data(d), second(b), third(c), mode(m), grid(gr), cls(g.ModelClass) {}

  // Transportation data: the data columns of a block after the first, at least one.
  int LaterColumns() const { return std::max(1, perBlock - 3); }
  bool TransInput() const { return cls == ModelClassCode::Transportation && mode == 1; }
  bool TransTableau() const { return cls == ModelClassCode::Transportation && mode == 2; }
  bool ProgramInput() const { return (cls == ModelClassCode::LinearProgramming || cls == ModelClassCode::IntegerProgramming) && mode == 1; }

  std::string Field(const std::string &s) const { return Format(s, cellPattern); }

  std::string GridText(int i, int j) const {
    if (!grid || i < 0 || j < 0 || i >= grid->Rows() || j >= grid->Cols()) return "";
    return grid->TextMatrix(i, j);
  }

  void DrawVerticals() {
    if (!TransTableau() || segmentTop < 0) return;
    double bottom = printer.CurrentY();
    for (int n = 1; n <= slotCount; ++n) {
      double x = SlotRight(n - 1) + 0.1 * colWidth;
      printer.Line(x, segmentTop, x, bottom, kBlack);
    }
    segmentTop = -1;
  }

  void NewPage() {
    DrawVerticals();
    printer.NewPage();
    printer.SetCurrentY(kContinueY);
    g.PrintY = kContinueY;
  }

  bool PastBlockBreak(double y) const { return printer.PageY(y) > kTransBlockBreakY; }

  // A transportation tableau's source takes three rows from here, below the rule over it.
  bool SourceStart(int i) const { return TransTableau() && first + 2 < i && i < last && (i - first - 2) % 3 == 1; }

  // A program table's rows of bounds (and integer flags) below its constraints: the first of
  // them, or 0 for other tables.
  int FirstBoundRow() const {
    if (ProgramInput()) return g.LBRow;
    if (ProgramTableau()) return first + g.MRows + 3;
    return 0;
  }
  bool ProgramTableau() const {
    return (cls == ModelClassCode::LinearProgramming || cls == ModelClassCode::IntegerProgramming) && mode == 2;
  }

  // The text of cell (i, j) as the block prints it, empty where nothing is printed.
  std::string CellText(int i, int j) const {
    if (TransInput()) {
      bool bold = false;
      return TransInputCell(i, j, bold);
    }
    if (ProgramInput()) {
      std::string text;
      return ProgramCell(i, j, text) ? text : std::string();
    }
    return GridText(i, j);
  }

  // The bound rows of a block without a variable column, and the demand row of a block
  // holding only the supplies, have nothing to show: the block leaves them out, so that no
  // page ends on labels without their values.
  bool EmptyInBlock(int i) const {
    const int bounds = FirstBoundRow();
    const bool demand = (TransInput() && i == g.TransSources + 2) || (TransTableau() && i == last);
    if (!demand && (bounds == 0 || i < bounds)) return false;
    for (int j = demand ? std::max(jFirst, 3) : std::max(jFirst, 1); j <= jLast; ++j)
      if (!Trim(CellText(i, j)).empty()) return false;
    return true;
  }

  void RowPageBreak(int i, int extra = 0) {
    // Lines below this row that must stay on its page: a heading keeps its first row, a
    // source its three lines, the last constraint the bound rows after it; a row broken over
    // lines, all of them.
    int with = extra;
    if (i == first) with = HeadingRows() + (GapAfterHeading() ? 1 : 0) + (TransInput() ? 1 : 0) + (TransTableau() ? 3 : 0);
    if (SourceStart(i)) with = 3;
    if (const int bounds = FirstBoundRow(); bounds > 0 && i == bounds - 1 && !EmptyInBlock(bounds))
      with = std::max(with, last - i + (ProgramInput() ? 1 : 0));
    if (!PastPageBreak(printer, g.PrintY + with * lineHeight)) return;
    NewPage();
    RepeatHeadings(i);
  }

  // A table's heading rows: the column names (and for programs and transportation the row
  // below them; for transportation tableaus the row of the v's too).
  int HeadingRows() const {
    if (TransTableau()) return 3;
    return mode == 1 || mode == 2 ? 2 : 1;
  }
  // The matrix tables leave a blank line under their heading row.
  bool GapAfterHeading() const {
    return cls == ModelClassCode::MatrixInversion || cls == ModelClassCode::LinearEquations ||
           cls == ModelClassCode::Games ||
           (cls == ModelClassCode::Networks && (g.NetSubModel == 3 || g.NetSubModel == 4));
  }
  // A table continued on a new page at row i repeats the current block's headings first.
  void RepeatHeadings(int i) {
    const int rows = HeadingRows();
    if (i < first + rows) return;
    for (int h = first; h < first + rows; ++h) {
      PrintRow(h);
      g.PrintY += lineHeight * RowLines(h);
    }
    if (GapAfterHeading()) g.PrintY += lineHeight;
  }

  // The width of a cell's ink: the blanks a text is padded with may reach into its neighbour
  // (the label column's, into the margin).
  void Measure(int slot, const std::string &text) {
    const double w = printer.TextWidth(Trim(text));
    rowWidest = std::max(rowWidest, w);
    double &kind = slot < LeadSlots() ? widestLead : widestData;
    kind = std::max(kind, w);
  }

  // The slots of a block before its first data column: the row labels (for transportation
  // data the source's label and name after an empty first slot).
  int LeadSlots() const { return TransInput() ? 3 : 1; }
  // Where the column of a slot ends.
  double SlotRight(int slot) const {
    const int lead = std::min(slot + 1, LeadSlots());
    return kPrintLeft + lead * leadWidth + (slot + 1 - lead) * colWidth;
  }

  // The room of a slot: its column less the gap before it (the first slot reaches the margin).
  double SlotRoom(int slot) const { return SlotRight(slot) - (slot == 0 ? kPrintLeft : SlotRight(slot - 1) + gap); }

  // The lines a cell's text takes: the text itself while it fits its slot, else its digits
  // or words broken where the room ends (after a blank where one fits).
  std::vector<std::string> CellLines(int slot, const std::string &text) const {
    if (!mayBreak) return {text};
    const double room = SlotRoom(slot);
    const std::string ink = Trim(text);
    if (room <= 0 || printer.TextWidth(ink) <= room) return {text};
    std::vector<std::string> lines = WrappedLines(printer, ink, room, room, ' ');
    if (lines.empty()) lines.push_back(text);
    return lines;
  }

  // The lines row i takes in the current block.
  int RowLines(int i) {
    if (!mayBreak) return 1;
    counting = true;
    rowLines = 1;
    PrintRow(i);
    counting = false;
    return rowLines;
  }

  // Places the cell text right-aligned in its column slot and prints it, broken over lines
  // when it is wider than the slot.
  void PrintCell(int slot, const std::string &text, bool bold = false) {
    if (measuring) return Measure(slot, text);
    printer.SetFontBold(bold);
    if (!mayBreak) {
      g.TitleText = text;
      printer.SetCurrentX(SlotRight(slot) - printer.TextWidth(g.TitleText));
      printer.SetCurrentY(g.PrintY);
      printer.Print(g.TitleText);
      return;
    }
    const std::vector<std::string> lines = CellLines(slot, text);
    rowLines = std::max(rowLines, static_cast<int>(lines.size()));
    if (counting) return;
    for (std::size_t n = 0; n < lines.size(); ++n) {
      g.TitleText = lines[n];
      printer.SetCurrentX(SlotRight(slot) - printer.TextWidth(g.TitleText));
      printer.SetCurrentY(g.PrintY + static_cast<double>(n) * lineHeight);
      printer.Print(g.TitleText);
    }
  }

  int Slot(int j) const {
    if (TransInput()) return k == 1 ? j : j - jFirst + 3;
    return j - (k - 1) * perBlock;
  }

  // Texts of the matrix classes (1, 2, 7, 9), whose label column is the block's first column.
  std::string MatrixCell(int i, int j) const {
    const bool heading = i == first, label = j == jFirst;
    if (heading && label) return Field("");
    auto nodeName = [](int n) { return "N" + std::to_string(n) + ":" + Cut6(TextAt(g.VarNames, n)); };
    if (heading || label) {
      const int n = heading ? j : i;
      switch (cls) {
      case ModelClassCode::MatrixInversion:
        return Field(heading ? "col" + std::to_string(n) : "row" + std::to_string(n));
      case ModelClassCode::LinearEquations:
        if (mode == -1) return Field(heading ? "col" + std::to_string(n) : "row" + std::to_string(n));
        if (label) return Field("eq" + std::to_string(n));
        return Field(n == g.NVars + 1 ? "R.H.S." : TextAt(g.ColNames, n));
      case ModelClassCode::Games:
        return Field(heading ? "B" + std::to_string(n) : "A" + std::to_string(n));
      default:
        return Field(nodeName(n));
      }
    }
    if (cls == ModelClassCode::Networks) {
      if (i == j) return "";
      if (mode == -3) return Str(third(i, j));
      double v = mode == -2 ? second(i, j) : data(i, j);
      // The arc values as read hold "infinity" as 999999; a distance, residual or flow of the
      // results is unlimited only as a true infinity, and 999999 there is a number.
      if (std::isinf(v)) return v > 0 ? "infinity" : "-infinity";
      if (mode != -2) {
        if (v == g.Infinity) return "infinity";
        if (v == -g.Infinity) return "-infinity";
      }
      // The flows of a maximal-flow matrix print as the screen shows them, 0 in the format too.
      if (v == 0 && !(mode == -2 && g.NetSubModel == 4)) return "0";
      return Num(v, pattern);
    }
    return Num(data(i, j), pattern);
  }

  // Linear and integer program input: the row labels at the left margin.
  std::string ProgramLabel(int i) const {
    if (i == 2) return "     " + g.SenseText.str();
    if (i >= 3 && i <= g.MRows + 2) return "     (" + Str(i - 2) + ")";
    if (i == g.LBRow) return "     Lower Bound";
    if (i == g.UBRow) return "     Upper Bound";
    if (i == g.FreeVarRow) return "     Unrestr'd (y/n)?";
    if (cls == ModelClassCode::IntegerProgramming && i == g.IntRow) return "     Integer (y/n)?";
    return "";
  }

  // Linear and integer program input: false when the cell is not printed at all. The type
  // and right-hand-side columns are headed as on the input screen, the type's heading over
  // both heading rows.
  bool ProgramCell(int i, int j, std::string &text) const {
    const bool variable = j <= g.NVars;
    if (i == 0) {
      text = Field(variable ? Cut6(TextAt(g.VarNames, j)) : j == g.NVars + 1 ? "Enter <, >," : "");
      return true;
    }
    if (i == 1) {
      text = Field(variable ? TextAt(g.ColNames, j) : j == g.NVars + 1 ? "or =" : "R.H.S.");
      return true;
    }
    const bool constraint = i >= 3 && i <= g.MRows + 2;
    if (!variable && !constraint) return false;
    if (constraint && j == g.NVars + 1) {
      std::string type = TextAt(g.ConstrType, i - 2);
      text = type == "=" ? type : type + "=";
      return true;
    }
    const double v = data(i, j);
    // The linear engine holds an absent bound as a true infinity.
    if (i == g.LBRow && (std::isinf(v) || v == -g.Infinity))
      text = "-infinity";
    else if (i == g.UBRow && (std::isinf(v) || v == g.Infinity))
      text = "infinity";
    else if (i == g.FreeVarRow || (cls == ModelClassCode::IntegerProgramming && i == g.IntRow))
      text = v == 1 ? "y" : "n";
    else
      text = Num(v, pattern);
    return true;
  }

  // Transportation input: returns the text of cell (i, j); bold for the "Supply" heading.
  std::string TransInputCell(int i, int j, bool &bold) const {
    const int m = g.TransSources, C = plan.C;
    bold = false;
    if (i == 0) {
      if (j <= 2) return Field("");
      if (j == C) {
        bold = true;
        return Field("Supply");
      }
      return Field("D" + std::to_string(j - 2));
    }
    if (i == 1) {
      if (j == 1 || j == C) return Field("");
      if (j == 2) return Field("Name");
      return Field(Cut6(TextAt(g.DestName, j - 2)));
    }
    if (i <= m + 1) {
      if (j == 1) return Field("S" + std::to_string(i - 1));
      if (j == 2) return Field(Cut6(TextAt(g.SourceName, i - 1)));
      if (j == C) return TransAmountText(g.InvInput(i - 1, 0), pattern);
      return TransCostText(g.Cost((i - 2) * g.TransDests + j - 2), pattern);
    }
    if (j == 1) return Field("Demand");
    if (j == 2 || j == C) return "";
    return TransAmountText(g.InvInput(m + j - 2, 0), pattern);
  }

  // Transportation tableau cell from the output grid.
  std::string TransTableauText(int i, int j) const {
    std::string text = GridText(i, j);
    if (i == first && j == 0) {
      auto r = text.find('r');
      text = "Iteration" + (r == std::string::npos ? std::string() : text.substr(r + 1)) +
             (k == 1 ? ":     " : ":    ");
    } else if (i == first + 1 || j == 1) {
      text = Cut6(text);
    }
    return text;
  }

  void PrintTransTableauCell(int i, int j, int slot, bool label) {
    if (measuring) return Measure(slot, TransTableauText(i, j));
    if (counting) return;
    g.TitleText = TransTableauText(i, j);
    // The merged columns (label, name, u and supply) show their text once per source.
    if (j <= 2 || j == plan.C) PrintTableRule(printer, static_cast<int16>(label ? i : -i), first, last);
    printer.SetFontBold(false);
    printer.SetCurrentX(SlotRight(slot) - printer.TextWidth(g.TitleText));
    printer.SetCurrentY(g.PrintY);
    if (j >= 3 && j < plan.C)
      PrintTableHeaderCell(printer, static_cast<int16>(i), static_cast<int16>(first), static_cast<int16>(last));
    printer.Print(g.TitleText);
  }

  void PrintRow(int i) {
    if (ProgramInput()) {
      std::string label = ProgramLabel(i);
      if (!measuring && !counting && !label.empty()) {
        printer.SetFontBold(false);
        PrintAt(printer, kPrintLeft, g.PrintY, label);
      }
    }
    // Later blocks repeat the row labels of the first one.
    if (k > 1) {
      if (TransInput()) {
        bool bold = false;
        if (i > 1) { // the heading rows keep these positions blank
          PrintCell(1, TransInputCell(i, 1, bold));
          PrintCell(2, TransInputCell(i, 2, bold));
        }
      } else if (mode == 2) {
        if (TransTableau())
          PrintTransTableauCell(i, 0, 0, true);
        else
          PrintCell(0, GridText(i, 0));
      }
    }
    for (int j = jFirst; j <= jLast; ++j) {
      printer.SetFontBold(false);
      const int slot = Slot(j);
      if (TransTableau()) {
        PrintTransTableauCell(i, j, slot, j == 0);
      } else if (TransInput()) {
        bool bold = false;
        std::string text = TransInputCell(i, j, bold);
        PrintCell(slot, text, bold);
      } else if (ProgramInput()) {
        std::string text;
        if (ProgramCell(i, j, text)) PrintCell(slot, text);
      } else if (mode == 2) {
        PrintCell(slot, GridText(i, j));
      } else {
        PrintCell(slot, MatrixCell(i, j));
      }
    }
  }

  void PrintBlock(double &lastRowY) {
    for (int i = first; i <= last; ++i) {
      if (EmptyInBlock(i)) continue;
      g.PrintY += lineHeight;
      if (TransInput() && (i == 2 || i == g.TransSources + 2)) g.PrintY += lineHeight;
      if (ProgramInput()) {
        if (i == 3 && k == 1) {
          g.PrintY += lineHeight;
          RowPageBreak(i);
          printer.SetFontBold(false);
          PrintAt(printer, kPrintLeft, g.PrintY, "     Subject to");
          g.PrintY += lineHeight;
        }
        if (i == g.LBRow) g.PrintY += lineHeight;
      }
      const int lines = RowLines(i);
      RowPageBreak(i, lines - 1);
      if (segmentTop < 0) segmentTop = g.PrintY;
      PrintRow(i);
      if (lines > 1) {
        g.PrintY += (lines - 1) * lineHeight;
        printer.SetCurrentY(g.PrintY + lineHeight);
      }
      lastRowY = g.PrintY;
      if (i == first && GapAfterHeading()) g.PrintY += lineHeight;
    }
  }

  // The rows of the tableau after the one from f to l; false when there is no next one.
  bool NextTable(int &f, int &l) const {
    if (mode != 2) return false;
    if (cls == ModelClassCode::LinearProgramming || cls == ModelClassCode::IntegerProgramming) {
      f = l + 2;
      l = f + g.MRows + (cls == ModelClassCode::IntegerProgramming ? 6 : 5);
    } else if (cls == ModelClassCode::Transportation) {
      f = l + 1;
      l = f + 3 * g.TransSources + 3;
    } else {
      return false;
    }
    return true;
  }

  // The widest text of every row and column of every table this call prints.
  double MeasureWidest() {
    measuring = true;
    widest = widestLabelRow = widestLead = widestData = widestLabel = 0;
    k = 1;
    jFirst = ProgramInput() || TransInput() ? 1 : 0;
    jLast = plan.C;
    int f = plan.first, l = plan.last;
    while (l <= plan.overall) {
      first = f;
      last = l;
      for (int i = f; i <= l; ++i) {
        rowWidest = 0;
        PrintRow(i);
        widest = std::max(widest, rowWidest);
        if (ProgramInput()) {
          widestLabelRow = std::max(widestLabelRow, printer.TextWidth(ProgramLabel(i)) + rowWidest);
          widestLabel = std::max(widestLabel, printer.TextWidth(ProgramLabel(i)));
        }
      }
      if (!NextTable(f, l)) break;
    }
    measuring = false;
    return widest;
  }

  void Run() {
    pattern = NumberFormatString();
    lineHeight = RoundTwips(printer.TextHeight(pattern));
    g.LineHeight = lineHeight;
    if (!MakePlan(cls, mode, grid, plan)) return;

    if (cls == ModelClassCode::IntegerProgramming && mode == 1) {
      g.PrintY += 2 * lineHeight;
      printer.SetCurrentX((11736 - 120.0 * static_cast<double>(g.MsgText.size())) * 0.5);
      printer.SetCurrentY(g.PrintY);
      printer.Print(g.MsgText);
      g.PrintY += 2 * lineHeight;
    }
    printer.SetCurrentX(kPrintLeft);
    printer.SetCurrentY(g.PrintY + lineHeight);
    if (mode == 1 || mode == 2) printer.Print("");

    const int n = g.NumDigitsN, d = g.NumDigitsD;
    cellPattern.assign(static_cast<std::size_t>(std::max(1, n + d + 1)), '@');
    int w = std::max(n + d + 5, plan.labelWidth);
    if (cls == ModelClassCode::Networks && g.NetSubModel == 3) w = static_cast<int>(std::nearbyint(1.5 * g.ColWidthMax));
    w = std::max(w, 1);
    colWidth = 100.0 * w;
    // Every column is as wide as the widest text of the table and a gap of two blanks, while
    // that leaves room on the page line for the label column and one more (for transportation
    // data four more). Wider numbers widen the data columns alone, the labels keeping a column
    // of their own width, and are printed as they are.
    gap = printer.TextWidth("  ");
    const double line = kPrintRight - kPrintLeft;
    // The program labels stand at the left margin: they may reach into the first column as far
    // as its widest number leaves room.
    const double legacy = colWidth;
    const double cell = MeasureWidest();
    colWidth = std::max({colWidth, cell + gap, (widestLabelRow + gap) / 2});
    const double most = TransInput() ? line / 5 : line / 2;
    leadWidth = colWidth;
    if (colWidth > most) {
      leadWidth = std::min(most, std::max({100.0 * plan.labelWidth, widestLead + gap, widestLabel + gap}));
      colWidth = std::min(std::max(legacy, widestData + gap), line - LeadSlots() * leadWidth);
    }
    mayBreak = widestData > colWidth - gap || widestLead > leadWidth - gap;
    g.ScratchSum = colWidth;
    const int C = plan.C;
    // The data columns after the lead slots that the page line holds (for transportation data
    // counted with its two label slots).
    const int onLine = static_cast<int>((line - LeadSlots() * leadWidth) / colWidth) + (TransInput() ? 2 : 0);
    if (TransInput()) {
      // At least two data columns a block, unless the page line holds only one.
      perBlock = std::max(std::min(4, onLine), std::min(static_cast<int>(8640 / colWidth), onLine));
      blocks = static_cast<int>(std::nearbyint(C / static_cast<double>(perBlock - 2) + 1));
      // Later blocks hold three columns fewer than the first (two go to the repeated labels),
      // so a wide table needs more blocks than the count above gives.
      const int later = LaterColumns();
      const int needed = C <= perBlock ? 1 : 1 + (C - perBlock + later - 1) / later;
      blocks = std::max(blocks, needed);
    } else {
      perBlock = std::max(1, std::min(static_cast<int>(7200 / colWidth), onLine));
      blocks = static_cast<int>(std::nearbyint(C / static_cast<double>(perBlock) + 1));
    }
    g.PrintY = RoundTwips(printer.CurrentY());

    first = plan.first;
    last = plan.last;
    bool ended = false;
    while (last <= plan.overall && !ended) {
      int s = plan.s, runStart = 1;
      double lastRowY = 0;
      for (k = 1; k <= blocks; ++k) {
        if (TransInput()) {
          jFirst = runStart;
          jLast = std::min(jFirst - 1 + (k > 1 ? LaterColumns() : perBlock), C);
          runStart = jLast + 1;
        } else {
          jFirst = (k - 1) * perBlock + s;
          jLast = std::min(k * perBlock, C);
        }
        if (cls >= 3 && cls <= 5) s = k < blocks ? 1 : 0;
        // A block beyond the last column has nothing to print; walking its rows would only
        // risk a page break that leaves a blank page.
        if (jFirst > jLast) continue;
        // A block holding only the label column would repeat the labels and nothing else.
        if (k > 1 && jFirst == C && (cls == ModelClassCode::MatrixInversion || cls == ModelClassCode::LinearEquations || (cls == ModelClassCode::Networks && mode == 0))) {
          ended = true;
          break;
        }
        g.PrintY -= lineHeight;
        if (TransTableau() && k > 1 && PastBlockBreak(lastRowY)) NewPage();
        if (cls == ModelClassCode::Transportation) {
          int cols = std::max(0, jLast - jFirst + 1) + (k > 1 ? 1 : 0);
          slotCount = cols;
          g.GraphXMax = static_cast<int16>(std::nearbyint(std::min<double>(kPrintRight, SlotRight(cols - 1) + 0.1 * colWidth)));
        }
        segmentTop = -1;
        PrintBlock(lastRowY);
        DrawVerticals();
        g.PrintY = RoundTwips(printer.CurrentY()) + lineHeight;
      }
      g.PrintY += lineHeight;
      if (!NextTable(first, last)) break;
    }
    if (mode == 1) {
      printer.SetCurrentX(kPrintLeft);
      printer.SetCurrentY(g.PrintY);
    }
  }
};

} // namespace

void PrintDataTable(PageSurface &printer, const BArray<double> &data, const BArray<double> &second,
                    const BArray<int16> &third, int16 mode, const GridStore *outputGrid) {
  TablePrinter(printer, data, second, third, mode, outputGrid).Run();
}

void PrintTableRule(Surface &printer, int16 row, int16 first, int16 last) {
  bool draw = true;
  if (row < 0) {
    row = static_cast<int16>(-row);
    draw = false;
  }
  if (!(first + 2 < row && row < last)) return;
  const int r = (row - first - 2) % 3;
  if (r == 2) return;
  if (r == 1 && draw && Trim(g.TitleText).rfind('S', 0) == 0) {
    const double y = printer.CurrentY();
    printer.SetDrawWidth(1);
    printer.Line(2000, y, g.GraphXMax, y, kBlack);
    g.PrintY += g.LineHeight;
  }
  g.TitleText.clear();
}

void PrintTableHeaderCell(Surface &printer, int16 row, int16 first, int16 last) {
  if (!(first + 2 < row && row < last)) return;
  const int r = (row - first - 2) % 3;
  const double c = g.ScratchSum;
  if (r == 2) {
    printer.SetFontBold(true);
    printer.SetCurrentX(printer.CurrentX() + (printer.TextWidth(g.TitleText) - 0.8 * c) * 0.5);
  } else if (r == 0) {
    printer.SetCurrentX(printer.CurrentX() + printer.TextWidth(g.TitleText) - 0.8 * c);
  }
}

} // namespace quon
