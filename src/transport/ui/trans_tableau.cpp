#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "transport/transport_report.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon {

namespace {

int BlockRows() {
  return 3 * g.TransSources + 4;
}

// Twips between frames set side by side, and above the exit buttons.
constexpr int kFrameSpacing = 90;

Rgb EntryColour(int entry) {
  return entry == 1 ? kGreen : entry == 2 ? kRed : kGrey;
}

// The grid position (middle row of the block at TableauRowOffset) of a cell.
void CellPosition(int cell, int &row, int &col) {
  const int n = g.TransDests;
  const int i = (cell - 1) / n + 1;
  const int j = (cell - 1) % n + 1;
  row = static_cast<int>(g.TableauRowOffset) + 3 * (i - 1) + 4;
  col = j + 2;
}

// Grid rows of long runs pass 32767: ChangedCells holds them whole.
void Record(int entry, int row, int col) {
  g.ChangedCells(1, entry) = row;
  g.ChangedCells(2, entry) = col;
}

// A background given to a cell after its tableau was shown: a loop cell clicked, or the loop
// coloured once the next tableau is shown. The row is counted within the block.
struct Paint {
  int row = 0;
  int col = 0;
  Rgb back = 0;
};

// One tableau as the output grid keeps it: what its cells are made of when they are drawn.
struct TransBlock {
  bool shown = false;
  std::shared_ptr<const std::vector<double>> cost; // by cell from element 1
  int iteration = 0;
  std::string pattern;
  double z = 0;
  int zInfinity = 0; // the total is "infinity" (1) or "-infinity" (-1), as TransSolutionInfinity
  std::vector<double> duals; // u1..um then v1..vn from element 1, as shown
  bool plainDuals = false;   // written as plain numbers (the multiplier chosen on the first tableau)
  int zeroU = 1;
  int zeroV = 0;
  std::vector<double> redCost;                   // by cell from element 1
  // While costs stand for "infinity" or "-infinity": each multiplier's and reduced cost's
  // counts of the words and finite rest (as DualWords and RedCostWords), shown in their place.
  std::vector<std::array<double, 3>> dualWords, redWords;
  std::vector<std::pair<int, double>> shipments; // the cells whose middle row shows an amount
  std::vector<Paint> paints;                     // in the order given
};

// The problem every tableau of a run shares, and the tableaus shown. The output grid's cell
// source owns it: a run's tableaus go when the grid drops its source or goes itself.
struct TransView {
  int m = 0;
  int n = 0;
  // The costs the tableaus are priced at, shared by every block.
  std::shared_ptr<const std::vector<double>> cost;
  std::vector<std::string> sourceNames, destNames, supplies, demands;
  bool equalSupplies = false; // two consecutive sources with the same supply
  std::vector<TransBlock> blocks;
  std::string verdict; // how the run ended, as its message said; empty while it goes on
};

std::weak_ptr<TransView> &CurrentView() {
  static std::weak_ptr<TransView> view;
  return view;
}

// The view of the grid's run; null when the grid shows no tableaus of this module.
TransView *LiveView() {
  return CurrentView().lock().get();
}

void SetLook(CellAttr &a, Rgb back, Rgb fore) {
  a.back = back;
  a.hasBack = true;
  a.fore = fore;
  a.hasFore = true;
}

void SetFore(CellAttr &a, Rgb fore) {
  a.fore = fore;
  a.hasFore = true;
}

void SetBold(CellAttr &a, bool on) {
  a.bold = on;
  a.hasBold = true;
}

std::string UText(int i, const std::string &value) {
  return std::string("u") + std::to_string(i) + "=" + value;
}

std::string VText(int j, const std::string &value) {
  return std::string("v") + std::to_string(j) + "=" + value;
}

// Fills the cells of block `index`: texts and looks in the order the tableau is written.
void MakeBlock(const TransView &v, int index, std::vector<SourcedCell> &cells) {
  if (index < 0 || index >= static_cast<int>(v.blocks.size()) ||
      !v.blocks[static_cast<std::size_t>(index)].shown)
    return;
  const TransBlock &b = v.blocks[static_cast<std::size_t>(index)];
  if (!b.cost) return;
  const int m = v.m, n = v.n, cols = n + 4, lastCol = n + 3, lastRow = 3 * m + 3;
  if (cells.size() < static_cast<std::size_t>(lastRow + 1) * static_cast<std::size_t>(cols)) return;
  auto cell = [&](int r, int c) -> SourcedCell & {
    return cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)];
  };
  auto at = [](const std::vector<double> &values, int k) { return values[static_cast<std::size_t>(k)]; };
  // A multiplier or reduced cost made of the words reads as the word, never as a figure made
  // of the numbers standing for them.
  auto word = [](const std::vector<std::array<double, 3>> &words, int k) {
    return words.empty()
               ? std::string()
               : TransWordOf(words[static_cast<std::size_t>(k)][0], words[static_cast<std::size_t>(k)][1]);
  };
  auto multiplier = [&](int k) {
    if (const std::string w = word(b.dualWords, k); !w.empty()) return w;
    const double value = b.dualWords.empty() ? at(b.duals, k) : b.dualWords[static_cast<std::size_t>(k)][2];
    return b.plainDuals ? NumText(value) : Trim(Format(value, b.pattern));
  };
  auto reduced = [&](int k) {
    if (const std::string w = word(b.redWords, k); !w.empty()) return w;
    return Format(b.redWords.empty() ? at(b.redCost, k) : b.redWords[static_cast<std::size_t>(k)][2],
                  b.pattern);
  };

  for (int r = 0; r <= lastRow; ++r) {
    SetLook(cell(r, 0).attr, kCyan, kBlue);
    CellAttr &u = cell(r, 2).attr;
    u.align = kAlignLeft;
    SetFore(u, kCyan);
    SetBold(u, false);
  }
  for (int c = 1; c <= lastCol; ++c) {
    SetLook(cell(0, c).attr, kCyan, kBlue);
    CellAttr &a = cell(2, c).attr;
    a.align = kAlignLeft;
    SetFore(a, kCyan);
    SetBold(a, false);
  }
  cell(0, 0).text = std::string("Iter ") + std::to_string(b.iteration);
  cell(1, 1).text = "Name";
  cell(0, lastCol).text = "Supply";
  cell(lastRow, 1).text = "Demand";

  for (int i = 1, k = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j, ++k) {
      const int row = 3 * i + 1, col = j + 2;
      SourcedCell &cost = cell(row - 1, col);
      cost.text = TransCostText(at(*b.cost, k), b.pattern);
      SetBold(cost.attr, false);
      CellAttr &x = cell(row, col).attr;
      x.align = kAlignCenter;
      x.fontSize = 14;
      SetBold(x, true);
      SourcedCell &rc = cell(row + 1, col);
      rc.text = reduced(k);
      SetBold(rc.attr, false);
      SetFore(rc.attr, kCyan);
      rc.attr.align = kAlignLeft;
    }
  for (const auto &[k, x] : b.shipments)
    cell(3 * ((k - 1) / n + 1) + 1, (k - 1) % n + 3).text = TransAmountText(x, b.pattern);

  for (int j = 1; j <= n; ++j) {
    const int col = j + 2;
    cell(0, col).text = std::string("D") + std::to_string(j);
    cell(1, col).text = v.destNames[static_cast<std::size_t>(j)];
    cell(2, col).text = VText(j, multiplier(m + j));
    if (j == b.zeroV) SetFore(cell(2, col).attr, kRed);
    SourcedCell &demand = cell(lastRow, col);
    demand.text = v.demands[static_cast<std::size_t>(j)];
    demand.attr.align = kAlignCenter;
    demand.attr.fontSize = 14;
    SetBold(demand.attr, true);
  }
  for (int i = 1; i <= m; ++i) {
    const std::string u = UText(i, multiplier(i));
    for (int r = 3 * i; r <= 3 * i + 2; ++r) {
      cell(r, 0).text = std::string("S") + std::to_string(i);
      cell(r, 1).text = v.sourceNames[static_cast<std::size_t>(i)];
      cell(r, 2).text = u;
      if (i == b.zeroU) SetFore(cell(r, 2).attr, kRed);
      SourcedCell &supply = cell(r, lastCol);
      if (!v.equalSupplies || r == 3 * i + 1) supply.text = v.supplies[static_cast<std::size_t>(i)];
      supply.attr.fontSize = 14;
      SetBold(supply.attr, true);
    }
  }
  cell(0, 1).text = "ObjVal  =";
  cell(0, 2).text = Trim(TransObjectiveText(b.z, b.zInfinity, b.pattern));
  SetBold(cell(0, 2).attr, true);

  for (const Paint &p : b.paints)
    if (p.row >= 0 && p.row <= lastRow && p.col >= 0 && p.col < cols) {
      CellAttr &a = cell(p.row, p.col).attr;
      a.back = p.back;
      a.hasBack = true;
    }
}

// The costs now priced at, shared with the view's latest blocks while they are the same.
std::shared_ptr<const std::vector<double>> CurrentCosts(const TransView &view) {
  const auto cells = static_cast<std::size_t>(view.m) * static_cast<std::size_t>(view.n);
  bool same = view.cost && view.cost->size() == cells + 1;
  for (std::size_t k = 1; same && k <= cells; ++k)
    same = (*view.cost)[k] == g.Cost(static_cast<int>(k));
  if (same) return view.cost;
  auto cost = std::make_shared<std::vector<double>>(cells + 1, 0.0);
  for (std::size_t k = 1; k <= cells; ++k)
    (*cost)[k] = g.Cost(static_cast<int>(k));
  return cost;
}

// A new run's view of the problem now loaded, made the output grid's cell source.
TransView &StartView(Grid &grid) {
  auto view = std::make_shared<TransView>();
  const int m = g.TransSources;
  const int n = g.TransDests;
  const std::string pattern = NumberFormatString();
  view->m = m;
  view->n = n;
  view->cost = CurrentCosts(*view);
  view->sourceNames.resize(static_cast<std::size_t>(m) + 1);
  view->supplies.resize(static_cast<std::size_t>(m) + 1);
  for (int i = 1; i <= m; ++i) {
    view->sourceNames[static_cast<std::size_t>(i)] = g.SourceName(i);
    view->supplies[static_cast<std::size_t>(i)] = TransAmountText(g.InvInput(i, 0), pattern);
    if (i < m && g.InvInput(i, 0) == g.InvInput(i + 1, 0)) view->equalSupplies = true;
  }
  view->destNames.resize(static_cast<std::size_t>(n) + 1);
  view->demands.resize(static_cast<std::size_t>(n) + 1);
  for (int j = 1; j <= n; ++j) {
    view->destNames[static_cast<std::size_t>(j)] = g.DestName(j);
    view->demands[static_cast<std::size_t>(j)] = TransAmountText(g.InvInput(m + j, 0), pattern);
  }
  CurrentView() = view;
  grid.SetCellSource({0, BlockRows(), [view](int block, std::vector<SourcedCell> &cells) {
                        MakeBlock(*view, block, cells);
                      }});
  // A tableau's heading rows (destinations, names, multipliers) stay in view while its
  // sources scroll.
  grid.BlockOf = [](int row) { return GridStore::RowBlock{row / BlockRows() * BlockRows(), 3}; };
  return *view;
}

// Colours the cell at a grid row and column of the run's tableaus.
void PaintCell(int row, int col, Rgb back) {
  TransView *view = LiveView();
  if (!view || row < 0) return;
  const auto block = static_cast<std::size_t>(row / BlockRows());
  if (block >= view->blocks.size()) return;
  view->blocks[block].paints.push_back({row % BlockRows(), col, back});
  scr5().outputGrid.ForgetSourcedBlocks();
}

// The end of a run: its message, and both step buttons off. Entering 0 stops "All". When the
// first tableau was already the last, the screen is shown again with its heading.
void EndRun(const std::string &text, int icon, const std::string &title) {
  if (TransView *view = LiveView()) view->verdict = text;
  MsgBox(text, msg::OKOnly | icon, title);
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  g.Entering = 0;
  if (g.IterCount == 0 && LiveView()) {
    f.Show();
    ShowTransTableauHeading();
  }
}

// A run that cannot go on.
void EndWithFailure(TransOutcome outcome) {
  EndRun(TransOutcomeMessage(outcome), msg::Critical, "Error");
}

// Re-bases the multipliers held by `value` (1..m+n) so that the chosen one is 0; v of the last
// destination goes into element m+n. The shift is exact: held in single precision it left the
// chosen multiplier at -3 with costs of 123456789, and at -1.49E-09 with costs of 0.1.
template <class Value> void RebaseOne(Value value) {
  const int m = g.TransSources;
  const int n = g.TransDests;
  if (g.ZeroU >= 1) {
    const double c = value(g.ZeroU);
    for (int i = 1; i <= m; ++i)
      value(i) -= c;
    for (int j = 1; j < n; ++j)
      value(m + j) += c;
    value(m + n) = c;
  } else {
    const double c = value(m + g.ZeroV);
    for (int i = 1; i <= m; ++i)
      value(i) += c;
    for (int j = 1; j < n; ++j)
      value(m + j) -= c;
    value(m + n) = -c;
  }
}

// The priced multipliers re-based, and their parts made of the words alike.
void RebaseMultipliers() {
  RebaseOne([](int e) -> double & { return g.Duals(e); });
  if (TransHasWords())
    for (int t = 0; t <= 2; ++t)
      RebaseOne([t](int e) -> double & { return g.DualWords(e, t); });
}

} // namespace

void ShowTransTableauHeading() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  const char *method = g.TransStartMethod == 1   ? "(North-West Corner Method)"
                       : g.TransStartMethod == 2 ? "(Least Cost Method)"
                       : g.TransStartMethod == 3 ? "(Vogel's Method)"
                                                 : "";
  f.SetFontSize(10);
  f.SetFontBold(true);
  // The screen's frame leaves a thick pen behind: the rules are thin.
  f.SetDrawWidth(1);
  f.SetCurrentY(1.1 * f.CurrentY());
  const std::string title = std::string("TRANSPORTATION TABLEAU - ") + method;
  f.SetCurrentX((w - f.TextWidth(title)) / 2);
  f.Print(title);
  f.SetCurrentX(kPrintLeft);
  f.Print("Title: " + g.HeaderText[1] + " --(minimum cost)");
  auto rule = [&] { f.Line(kPrintLeft, f.CurrentY(), w - kPrintLeft, f.CurrentY(), f.ForeColor()); };
  rule();
  f.SetFontSize(8);
  f.SetCurrentX(kPrintLeft);
  f.Print("Steps for generating transportation tableaus:");
  for (
      const char *step :
      {"1.  (Optional step) Initialize ONE of the simplex multiplier (u1, u2, ..., v1, v2 ...) to zero value "
       "(default u1 = 0)",
       "2.  Click (in any order) the cells defining the change-of-basis loop (if corret, cell changes color)",
       "3.  Click command button NEXT ITERATION (or ALL ITERATIONS) -- This step may be executed without "
       "Step 2"}) {
    f.SetCurrentX(1600);
    f.Print(step);
  }
  rule();
}

void ShowTransIterations() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int m = g.TransSources;
  const int n = g.TransDests;
  const int w = ScreenWidth();

  g.ChangedCells.ReDimRange(1, 2, 0, m + n);
  g.OutputPageKind = 1;
  g.ZeroU = 1;
  g.ZeroV = 0;
  g.ChangedCells(1, 0) = 2;

  f.Frame2.SetVisible(false);
  f.Frame4.SetVisible(false);
  f.grid1.SetVisible(false);
  ShowTransTableauHeading();
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Output summary");
    f.Combo1.AddItem("Iterations");
  }
  f.Frame4.Move(RoundTwips((w - f.Frame4.Width()) / 2.0), RoundTwips(1.05 * f.CurrentY()), f.Frame4.Width(),
                f.Frame4.Height());
  f.SetCurrentX(0);
  f.SetCurrentY(f.Frame4.Top() + 1.01 * f.Frame4.Height() + 1.1 * f.Frame2.Height());

  // The tableaus' cells are made from the run's view when they are drawn; nothing of an
  // earlier grid's cells or looks stays.
  grid.ScrollBars = ScrollBarsMode::Vertical;
  grid.SetRows(0);
  grid.SetCols(n + 4);
  StartView(grid);
  grid.SetRows(BlockRows());
  grid.FixedRows = 0;
  grid.FixedCols = 2;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  // The fixed name columns look like every other cell that is given no colour.
  grid.BackColorFixed = kBlue;
  grid.ForeColorFixed = kWhite;

  std::size_t longest = 7;
  for (int i = 1; i <= m; ++i)
    longest = std::max(longest, g.SourceName(i).size());
  for (int j = 1; j <= n; ++j)
    longest = std::max(longest, g.DestName(j).size());
  longest = std::max(longest, NumberFormatString().size());
  const int colWidth = static_cast<int>(120 * longest);
  for (int c = 0; c <= n + 3; ++c) {
    grid.SetColWidth(c, colWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c <= 2 ? kAlignLeft : kAlignRight;
  }
  const int total = grid.ColWidthOf(1) * grid.Cols();
  const int limit = RoundTwips(0.8 * w);
  if (total > limit) grid.ScrollBars = ScrollBarsMode::Both;
  const int gridWidth = std::min(total, limit) + 320;

  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  grid.Move(RoundTwips((w - gridWidth) / 2.0), RoundTwips(1.05 * f.CurrentY()), gridWidth, grid.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetVisible(true);
  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), grid.Top() - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  f.Frame2.SetVisible(true);
  f.Frame6.SetVisible(true);
  f.Combo5.SetText("u1=0");
  f.Frame6.Move(RoundTwips((w - f.Frame6.Width()) / 2.0), RoundTwips(1.05 * f.Frame4.Top()), f.Frame6.Width(),
                f.Frame6.Height());
  // A screen that shows less than three sources of a tableau puts the multiplier list beside the
  // step buttons, the two centred together, and gives the tableau that room and the gap
  // above the exit buttons. A problem of fewer sources gets that room as well: its tableaus
  // follow one another as the steps run.
  const int threeSources = (3 * 3 + 4) * grid.DefaultRowHeight() + 2 * grid.BorderTwips;
  const int together = f.Frame6.Width() + kFrameSpacing + f.Frame2.Width();
  const FrameInside inside = ScreenFrameInside(w, ScreenHeight());
  if (grid.Height() < threeSources && together <= inside.right - inside.left - 2 * kFrameSpacing) {
    const int left = RoundTwips((w - together) / 2.0);
    f.Frame6.Move(left, f.Frame6.Top(), f.Frame6.Width(), f.Frame6.Height());
    f.Frame2.Move(left + f.Frame6.Width() + kFrameSpacing, f.Frame6.Top(), f.Frame2.Width(), f.Frame2.Height());
    const int top = f.Frame2.Top() + f.Frame2.Height();
    grid.Move(grid.Left(), top, grid.Width(), std::max(grid.Height(), f.Frame1.Top() - top - kFrameSpacing));
  }

  g.IterCount = 0;
  g.TableauRowOffset = 0;
  if (!TransStartSolution()) {
    EndWithFailure(TransOutcome::SingularBasis);
    return;
  }
  TransTableauStep();
}

void TransTableauStep() {
  const TransOutcome priced = TransPriceBasis();
  if (priced == TransOutcome::Stepped) {
    const bool leaves = TransRatioTest();
    ShowTransTableau();
    if (!leaves) {
      EndWithFailure(TransOutcome::NoLeavingCell);
      return;
    }
    if (!TransPivot()) EndWithFailure(TransOutcome::SingularBasis);
    return;
  }
  ShowTransTableau();
  // A basis that still ships on an "infinity" route is never announced optimal.
  if (priced == TransOutcome::NoFeasibleSolution)
    EndWithFailure(priced);
  else
    EndRun(std::string("Iteration ") + std::to_string(g.IterCount + 1) + " is optimal", msg::Information,
           "Optimal Tableau");
}

void ShowTransTableau() {
  Grid &grid = scr5().outputGrid;
  TransView *view = LiveView();
  if (!view) view = &StartView(grid);
  const int m = g.TransSources;
  const int n = g.TransDests;
  const int r0 = g.TableauRowOffset;

  RebaseMultipliers();

  // The loop of the previous tableau keeps its colours.
  const int recorded = g.ChangedCells(1, 0);
  if (recorded > 2)
    for (int k = 1; k <= recorded; ++k)
      PaintCell(g.ChangedCells(1, k), g.ChangedCells(2, k), EntryColour(k));
  g.ChangedCells(1, 0) = 2;

  const auto index = static_cast<std::size_t>(r0 / BlockRows());
  if (view->blocks.size() <= index) view->blocks.resize(index + 1);
  TransBlock &b = view->blocks[index];
  b = TransBlock{};
  b.shown = true;
  b.iteration = g.IterCount + 1;
  b.pattern = NumberFormatString();
  b.cost = view->cost = CurrentCosts(*view);
  b.z = g.ZValue;
  b.zInfinity = TransSolutionInfinity();
  b.zeroU = g.ZeroU;
  b.zeroV = g.ZeroV;
  b.duals.assign(static_cast<std::size_t>(m + n) + 1, 0.0);
  for (int k = 1; k <= m + n; ++k)
    b.duals[static_cast<std::size_t>(k)] = g.Duals(k);
  b.redCost.assign(static_cast<std::size_t>(g.NVars) + 1, 0.0);
  if (TransHasWords()) {
    b.dualWords.assign(static_cast<std::size_t>(m + n) + 1, {0, 0, 0});
    for (int e = 1; e <= m + n; ++e)
      for (int t = 0; t <= 2; ++t)
        b.dualWords[static_cast<std::size_t>(e)][static_cast<std::size_t>(t)] = g.DualWords(e, t);
    b.redWords.assign(static_cast<std::size_t>(g.NVars) + 1, {0, 0, 0});
    for (int k = 1; k <= g.NVars; ++k)
      for (int t = 0; t <= 2; ++t)
        b.redWords[static_cast<std::size_t>(k)][static_cast<std::size_t>(t)] = g.RedCostWords(k, t);
  }
  for (int k = 1; k <= g.NVars; ++k) {
    b.redCost[static_cast<std::size_t>(k)] = g.RedCost(k);
    if (g.NonBasicMark(k) < 0 && g.Entering >= 1) {
      int row = 0;
      int col = 0;
      CellPosition(k, row, col);
      const int entry = g.ChangedCells(1, 0) + 1;
      g.ChangedCells(1, 0) = entry;
      Record(entry, row, col);
    }
    if (g.NonBasicMark(k) < 1) b.shipments.emplace_back(k, g.XSol(k));
  }

  grid.MergeCells = MergeMode::RestrictColumns;
  for (int c : {0, 1, 2, grid.Cols() - 1})
    grid.SetMergeCol(c, true);

  if (g.Entering != 0) {
    // The entering cell shows no amount yet; the leaving one its current amount.
    const int entering = g.Entering;
    const int leaving = g.Leaving;
    std::erase_if(b.shipments, [&](const auto &s) { return s.first == entering || s.first == leaving; });
    int row = 0;
    int col = 0;
    CellPosition(entering, row, col);
    Record(1, row, col);
    if (leaving != 0) {
      b.shipments.emplace_back(leaving, g.XSol(leaving));
      CellPosition(leaving, row, col);
      Record(2, row, col);
    }
  } else {
    // An optimal tableau has no loop to click.
    g.ChangedCells(1, 0) = 0;
  }
  grid.ForgetSourcedBlocks();
  // The newest tableau in view from its top, after "All Iterations" as after each step.
  grid.SetTopRow(r0);
}

void TransNextIteration() {
  // Only a run of tableaus on the screen steps.
  if (!LiveView() || g.ChangedCells.Empty()) {
    g.Entering = 0;
    return;
  }
  Scr5 &f = scr5();
  f.Frame6.SetEnabled(false);
  f.Combo5.SetEnabled(false);
  ++g.IterCount;
  g.TableauRowOffset += BlockRows();
  f.outputGrid.SetRows((g.IterCount + 1) * BlockRows());
  TransTableauStep();
}

void TransAllIterations() {
  int steps = 0;
  do {
    if (++steps > TransPivotCap) {
      EndWithFailure(TransOutcome::PivotCapReached);
      return;
    }
    TransNextIteration();
  } while (g.Entering != 0);
}

void TransChooseZeroMultiplier(int index) {
  Grid &grid = scr5().outputGrid;
  const int m = g.TransSources;
  const int n = g.TransDests;
  g.ZeroU = 0;
  g.ZeroV = 0;
  const int k = index + 1;
  if (k <= m)
    g.ZeroU = static_cast<int16>(k);
  else
    g.ZeroV = static_cast<int16>(k - m);
  const double sign = g.ZeroU ? 1 : -1;
  auto shift = [&](auto value) {
    const double s = g.ZeroU ? value(g.ZeroU) : value(m + g.ZeroV);
    for (int i = 1; i <= m; ++i)
      value(i) -= sign * s;
    for (int j = 1; j <= n; ++j)
      value(m + j) += sign * s;
  };
  shift([](int e) -> double & { return g.Duals(e); });
  const bool words = TransHasWords();
  if (words)
    for (int t = 0; t <= 2; ++t)
      shift([t](int e) -> double & { return g.DualWords(e, t); });

  // The first tableau shows the shifted multipliers as plain numbers.
  if (TransView *view = LiveView(); view && !view->blocks.empty()) {
    TransBlock &first = view->blocks.front();
    for (int e = 1; e <= m + n && e < static_cast<int>(first.duals.size()); ++e)
      first.duals[static_cast<std::size_t>(e)] = g.Duals(e);
    for (int e = 1; words && e <= m + n && e < static_cast<int>(first.dualWords.size()); ++e)
      for (int t = 0; t <= 2; ++t)
        first.dualWords[static_cast<std::size_t>(e)][static_cast<std::size_t>(t)] = g.DualWords(e, t);
    first.plainDuals = true;
    first.zeroU = g.ZeroU;
    first.zeroV = g.ZeroV;
    grid.ForgetSourcedBlocks();
  }
  grid.MergeCells = MergeMode::RestrictColumns;
  grid.SetMergeCol(2, true);
}

void EndTransTableauView() {
  if (!LiveView()) return;
  CurrentView().reset();
  scr5().outputGrid.SetCellSource({});
  scr5().outputGrid.BlockOf = nullptr;
}

void TransLoopCellClick(int row, int col) {
  if (g.TransStartMethod == 0) return;
  const int count = g.ChangedCells.Empty() ? 0 : g.ChangedCells(1, 0);
  for (int k = 1; k <= count; ++k)
    if (g.ChangedCells(1, k) == row && g.ChangedCells(2, k) == col) {
      PaintCell(row, col, EntryColour(k));
      return;
    }
  Beep();
}

bool PrintTransTableaus() {
  const GridStore &grid = scr5().outputGrid;
  const TransView *view = LiveView();
  const std::string verdict = view ? view->verdict : std::string();
  return RunPrintJob([&grid, &verdict](PageSurface &printer) { return PrintTransTableaus(printer, grid, verdict); });
}

} // namespace quon
