#include "integer/ui/ip_output.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "linear/lp_model.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

constexpr int32 kMargin = 1200;
// The design width of the legend and of the bounds frame, the type of their texts, and the
// smallest type they take when a small screen narrows them.
constexpr int32 kSideFrameWidth = 3255;
constexpr double kSideFrameType = 8.25, kSmallestType = 5.5;

void Rule(Scr5 &f) {
  f.Line(kMargin, f.CurrentY(), ScreenWidth() - kMargin, f.CurrentY(), f.ForeColor());
}

void CentreHorizontally(Control &c) {
  c.SetLeft(RoundTwips((ScreenWidth() - c.Width()) / 2.0));
}

void StyleOutputGrid(Grid &grid) {
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
}

// One more row at the bottom of the list, made current.
int AddListRow(Grid &grid) {
  grid.SetRows(grid.Rows() + 1);
  const int row = grid.Rows() - 1;
  grid.SetRow(row);
  return row;
}

// One text across the whole row, shown as one cell.
void MergedRow(Grid &grid, int row, const std::string &text) {
  for (int c = 0; c < grid.Cols(); ++c)
    grid.SetTextMatrix(row, c, text);
  grid.MergeCells = MergeMode::RestrictRows;
  grid.SetMergeRow(row, true);
}

void AddIncumbentRow(Scr5 &f) {
  Grid &grid = f.outputGrid;
  grid.SetVisible(true);
  const int row = AddListRow(grid);
  grid.SetTextMatrix(row, 0, std::to_string(g.FinalIteration));
  grid.SetCol(0);
  grid.SetCellAlignment(kAlignCenter);
  const std::string z = IPSolutionText(g.ZValue);
  grid.SetTextMatrix(row, 1, z);
  for (int j = 1; j <= g.NVars; ++j)
    grid.SetTextMatrix(row, j + 1, IPSolutionText(g.XSol(j)));
  f.Label3.SetCaption("(Current) Best Objective Value (" + g.SenseText.str().substr(0, 3) + ") =" + z);
  f.Label4.SetCaption("Found at Iteration " + std::to_string(g.FinalIteration));
}

// The message an aborted automated search ended with; empty after any other end.
std::string &AbortMessage() {
  static std::string text;
  return text;
}

// Label5 across the screen with the search's last word.
void SearchVerdict(Scr5 &f, Rgb colour, const std::string &text) {
  f.Label6.SetVisible(false);
  f.Label5.SetWidth(ScreenWidth() - 2 * kMargin);
  f.Label5.SetForeColor(colour);
  f.Label5.SetCaption(text);
}

void ShowSearchEnd(Scr5 &f, SearchEnd end) {
  Grid &grid = f.outputGrid;
  // An unbounded subproblem stops the search: nothing was verified.
  SearchVerdict(f, kGreen,
                (end == SearchEnd::Unbounded ? "Search stopped by an unbounded subproblem at Iteration "
                                             : "Optimality verified at Iteration ") +
                    std::to_string(g.FinalIteration));
  if (g.BestIter == 0) {
    grid.SetVisible(true);
    const int row = AddListRow(grid);
    f.Label3.SetCaption("");
    if (end == SearchEnd::Unbounded) {
      // The relaxation's ray says nothing of whether an integer point exists at all.
      f.Label4.SetCaption(kUnboundedRelaxationText);
      MergedRow(grid, row, "The LP relaxation is unbounded");
    } else {
      f.Label4.SetCaption("Problem has no feasible solution");
      f.Label5.SetCaption("Result verified at Iteration " + std::to_string(g.FinalIteration));
      MergedRow(grid, row, "No feasible solution encountered");
    }
  }
  AddListRow(grid);
  MergedRow(grid, AddListRow(grid), "B&B Search completed");
}

// Width and line height of a label's caption in its own font at `points`, measured with the
// screen's font set aside for the while.
// The screen's font switched for measuring, and put back when the measure goes out of scope.
class MeasuringFont {
public:
  MeasuringFont(Scr5 &f, const std::string &name, double points, bool bold)
      : f_(f), name_(f.FontName()), size_(f.FontSize()), bold_(f.FontBold()) {
    f.SetFontName(name);
    f.SetFontSize(points);
    f.SetFontBold(bold);
  }
  ~MeasuringFont() {
    f_.SetFontName(name_);
    f_.SetFontSize(size_);
    f_.SetFontBold(bold_);
  }
  MeasuringFont(const MeasuringFont &) = delete;
  MeasuringFont &operator=(const MeasuringFont &) = delete;

private:
  Scr5 &f_;
  std::string name_;
  double size_;
  bool bold_;
};

struct CaptionSize {
  double width, lineHeight;
};
CaptionSize MeasureCaption(Scr5 &f, const Label &l, double points) {
  const MeasuringFont font(f, l.FontName(), points, l.FontBold());
  return {f.TextWidth(l.Caption()), f.TextHeight("Ag")};
}

// A label's caption in its own font at `points`, broken at its blanks into lines of at most
// `width` twips (a longer word takes a line of its own): the line count and the longest word.
struct WrappedCaption {
  int lines = 0;
  double longestWord = 0;
};
WrappedCaption WrapCaption(Scr5 &f, const Label &l, double points, double width) {
  const MeasuringFont font(f, l.FontName(), points, l.FontBold());
  WrappedCaption out;
  std::string line;
  const std::string &text = l.Caption();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    out.longestWord = std::max(out.longestWord, f.TextWidth(word));
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && f.TextWidth(longer) > width) {
      ++out.lines;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) ++out.lines;
  return out;
}

// Width of a frame's caption in the frame's font, measured as the label captions are.
double CaptionWidthOf(Scr5 &f, const Frame &frame) {
  const MeasuringFont font(f, frame.FontName(), frame.FontSize(), frame.FontBold());
  return f.TextWidth(frame.Caption());
}

// Room a frame's caption needs beside its text: the frame's border and the caption's margins.
constexpr double kCaptionMargin = 240;

// The legend and the bounds frame stand at the screen's sides with their bottom on the rule
// below the buttons. They keep inside the white frame's line and clear of the button frame
// between them: as narrow as the room left on a small screen, their texts in a smaller type,
// and a text that still does not fit on one line wraps onto more, the rows below it moving down.
void PlaceSideFrames(Scr5 &f, int32 ruleY) {
  const int32 w = ScreenWidth();
  constexpr int32 kGap = 120, kEdge = 60;
  const int32 offset = w == 12000 ? 460 : 1200;
  const int32 inside = RoundTwips(ScreenFrameInside(w, ScreenHeight()).left) + kEdge;
  const int32 room = f.Frame2.Left() - kGap;
  const int32 width = std::min(kSideFrameWidth, room - inside);
  const int32 fromEdge = std::max(inside, std::min(offset, room - width));
  const double type = std::max(kSmallestType, kSideFrameType * std::min(1.0, static_cast<double>(width) / kSideFrameWidth));

  // Each row's mark (a swatch or the check box), its text, the text's left and its designed
  // top and height.
  struct Row {
    Control *mark;
    Label *text;
    int32 left, top, height;
  };
  const std::vector<Row> legend = {{&f.Label7, &f.Label10, 480, 255, 225},
                                   {&f.Label8, &f.Label11, 480, 510, 225},
                                   {&f.Label9, &f.Label12, 480, 765, 225},
                                   {&f.Label14, &f.Label13, 480, 1020, 225}};
  const std::vector<Row> bounds = {{&f.Check2, &f.Label16, 420, 270, 255},
                                   {nullptr, &f.Label17, 120, 570, 225},
                                   {nullptr, &f.Label18, 120, 810, 225},
                                   {nullptr, &f.Label19, 120, 1050, 225}};
  for (Frame *side : {&f.Frame10, &f.Frame12}) {
    int32 shift = 0;
    for (const Row &row : side == &f.Frame10 ? legend : bounds) {
      Label &l = *row.text;
      const int32 labelWidth = std::max(0, width - row.left - kEdge);
      // A word longer than the label (a bound in a wide format) takes a smaller type still.
      double rowType = type;
      // What the labels show runs a little wider than measured here: texts are fitted to
      // nine tenths of the label.
      const double fit = 0.9 * labelWidth;
      // A bound too long for the label even in the smallest type puts its number on a line
      // of its own, after the words naming it.
      const std::string &caption = l.Caption();
      const std::size_t equals = caption.find('=');
      if (side == &f.Frame12 && equals != std::string::npos && equals + 1 < caption.size() &&
          caption[equals + 1] != ' ' && WrapCaption(f, l, kSmallestType, labelWidth).longestWord > fit) {
        const std::size_t end = std::min(caption.find(' ', equals), caption.size());
        const std::string number = caption.substr(equals + 1, end - equals - 1);
        l.SetCaption(caption.substr(0, equals + 1) + caption.substr(end) + " " + number);
      }
      const double word = WrapCaption(f, l, type, labelWidth).longestWord;
      if (word > fit && word > 0) rowType = std::max(kSmallestType, type * fit / word);
      l.SetFontSize(rowType);
      const CaptionSize text = MeasureCaption(f, l, rowType);
      // Word wrap breaks short of the full width: a margin for the break keeps the last word.
      const int lines = text.width <= fit ? 1 : std::max(1, WrapCaption(f, l, rowType, fit).lines);
      const int32 height = lines == 1 ? row.height : RoundTwips(lines * 1.1 * text.lineHeight);
      if (row.mark) row.mark->SetTop(row.mark == &f.Check2 ? row.top + shift : row.top + 15 + shift);
      l.Move(row.left, row.top + shift, labelWidth, height);
      shift += height - row.height;
    }
    // The caption shows whole: on a frame narrower than it, in a smaller type.
    side->SetFontSize(kSideFrameType);
    const double caption = CaptionWidthOf(f, *side);
    if (caption + kCaptionMargin > width)
      side->SetFontSize(std::max(kSmallestType, kSideFrameType * (width - kCaptionMargin) / caption));
    const int32 height = 1335 + shift;
    const int32 left = side == &f.Frame10 ? fromEdge : w - fromEdge - width;
    side->Move(left, ruleY - height, width, height);
  }
}

// The user-guided view's layout; the tree view draws into it.
int32 LayOutUserGuidedView(Scr5 &f, int32 y) {
  for (Label *l : {&f.Label3, &f.Label4, &f.Label5, &f.Label6})
    l->SetVisible(false);
  f.Frame10.SetVisible(true);
  f.Frame12.SetVisible(true);

  Grid &bb = f.BBGrid;
  StyleOutputGrid(bb);
  bb.SetRows(4);
  bb.SetCols(g.NVars + 1);
  const int digits = g.NumDigitsN + g.NumDigitsD + 1;
  bb.SetColWidth(0, digits * 180);
  for (int c = 1; c <= g.NVars; ++c)
    bb.SetColWidth(c, digits * 115);
  const int32 needed = RoundTwips(1.08 * bb.ColWidthOf(0) + g.NVars * bb.ColWidthOf(std::min<int>(2, g.NVars)));
  const int32 allowed = ScreenWidth() - 2 * kMargin;
  // Four rows always fit; a vertical bar would only take room from the columns.
  bb.ScrollBars = needed > allowed ? ScrollBarsMode::Horizontal : ScrollBarsMode::None;
  bb.Move(bb.Left(), bb.Top(), std::min(needed, allowed), RoundTwips(5 * f.TextHeight(g.TitleText)));

  f.Frame3.SetWidth(bb.Width());
  f.Frame3.SetHeight(RoundTwips(1.25 * bb.Height()));
  CentreHorizontally(f.Frame3);
  f.Frame3.SetTop(RoundTwips(1.05 * y));
  f.Label6.SetTop(f.Frame3.Top() + f.Frame3.Height());
  CentreHorizontally(f.Label6);
  f.Label6.SetVisible(false);

  f.SetCurrentY(f.Frame3.Top() + f.Frame3.Height());
  g.TitleText = UserTreeTitle();
  return RoundTwips(1.05 * f.CurrentY());
}

int32 LayOutAutomatedView(Scr5 &f, int32 y) {
  const int32 w = ScreenWidth();
  Label *lines[] = {&f.Label3, &f.Label4, &f.Label5};
  int32 top = y;
  for (Label *l : lines) {
    l->SetFontName("arial");
    l->SetFontSize(10);
    l->SetFontBold(true);
    l->SetForeColor(kWhite);
    l->Move(kMargin, top, w - 2 * kMargin, 285);
    l->SetVisible(true);
    top = RoundTwips(l->Top() + 1.05 * l->Height());
  }
  f.Label3.SetCaption("(Current) Best objective value =");
  f.Label4.SetCaption("Found at subproblem ");
  f.Label5.SetCaption("");
  // The rule a pixel below the last label: a label is opaque and would hide it.
  f.SetCurrentY(f.Label5.Top() + f.Label5.Height() + 15);
  Rule(f);
  g.TitleText = "FEASIBLE SOLUTIONS (in improved order)";
  f.Label6.SetVisible(true);
  f.Frame10.SetVisible(false);
  f.Frame12.SetVisible(false);
  return RoundTwips(1.15 * f.CurrentY());
}

void LayOutSolutionList(Scr5 &f) {
  Grid &grid = f.outputGrid;
  const int n = g.NVars;
  grid.SetVisible(false);
  grid.MergeCells = MergeMode::Never;
  grid.SetRows(0);
  grid.SetCols(0);
  grid.SetRows(2);
  grid.SetCols(n + 2);
  const int digits = g.NumDigitsN + g.NumDigitsD + 1;
  grid.SetColWidth(0, digits * 150);
  grid.SetColWidth(1, digits * 150);
  for (int c = 2; c <= n + 1; ++c)
    grid.SetColWidth(c, digits * 90);
  const int32 needed = RoundTwips(1.035 * (2 * grid.ColWidthOf(0) + n * grid.ColWidthOf(2)));
  const int32 allowed = RoundTwips(0.8 * ScreenWidth());
  if (needed > allowed) grid.ScrollBars = ScrollBarsMode::Both;
  grid.SetWidth(std::min(needed, allowed));
  CentreHorizontally(grid);

  for (int r = 0; r <= 1; ++r)
    for (int c = 0; c < grid.Cols(); ++c) {
      grid.SetRow(r);
      grid.SetCol(c);
      grid.SetCellBackColor(kCyan);
      grid.SetCellForeColor(kBlue);
    }
  for (int c = 0; c < grid.Cols(); ++c)
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  grid.ColAlignment.at(0) = kAlignLeft;
  grid.SetTextMatrix(0, 0, "Subproblem");
  grid.SetTextMatrix(0, 1, "ObjVal, z");
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j + 1, "x" + std::to_string(j));
    grid.SetTextMatrix(1, j + 1, Trim(g.VarNames(j).str()));
  }
}

} // namespace

std::string UserTreeTitle() {
  return g.ObjSense == -1 ? "(MAX) B&&B SEARCH TREE (Click any GREEN node)"
                          : "(MIN) B&&B SEARCH TREE (Click any GREEN node)";
}

std::string ThousandsText(int32 v) {
  std::string digits = std::to_string(v);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

std::string IPSolutionText(double v) {
  const double n = std::floor(v + 1E-8);
  if (std::fabs(v - n) < 1E-8) return NumText(n);
  return Format(v, NumberFormatString());
}

void InitIPOutputScreen() {
  Scr5 &f = scr5();
  const int32 w = ScreenWidth();
  ResetIncumbent();
  // The notice line waits hidden until a search or a node shows it.
  for (Control *c : {static_cast<Control *>(&f.Frame1), static_cast<Control *>(&f.Frame2),
                     static_cast<Control *>(&f.Frame3), static_cast<Control *>(&f.Frame7),
                     static_cast<Control *>(&f.Frame10), static_cast<Control *>(&f.Frame12),
                     static_cast<Control *>(&f.Label6)})
    c->SetVisible(false);
  f.Frame4.SetVisible(true);
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Automated B&B");
    f.Combo1.AddItem("User-guided B&B");
  }
  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  f.SetFontSize(10);
  // The screen's frame is drawn with a wide pen; the rules here are thin.
  f.SetDrawWidth(1);
  g.TitleText = " INTEGER PROGRAMMING B&B ALGORITHM ";
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) / 2);
  f.Print(g.TitleText);
  Rule(f);
  f.Frame4.SetTop(RoundTwips(1.01 * f.CurrentY()));
  CentreHorizontally(f.Frame4);
  g.SavedCtlPos = RoundTwips(f.CurrentY() * 1.1);
  f.Frame1.SetTop(BottomButtonFrameTop(f.Frame1));
  CentreHorizontally(f.Frame1);
  f.Frame1.SetVisible(true);
}

void IPOptionChanged() {
  Scr5 &f = scr5();
  g.BBAux3 = 0;
  g.BBAux4 = 0;
  InitIPOutputScreen();
  auto noticeLine = [&f](const std::string &text) {
    g.TitleText = text;
    f.Label6.SetWidth(RoundTwips(f.TextWidth(text)));
    f.Label6.SetCaption(text);
    f.Label6.SetVisible(false);
  };
  // The first run builds the root from the input data; later runs start from the saved model.
  auto rootModel = [] {
    if (g.IPRunState == 0)
      ApplyNodeBounds();
    else
      RestoreLPModel();
    g.IPRunState = 1;
  };
  if (g.OutputOption == 1) {
    for (Label *l : {&f.Label17, &f.Label18, &f.Label19})
      l->SetCaption("");
    noticeLine("Searching for a feasible solution...");
    g.BBTop = 0;
    rootModel();
  } else if (g.OutputOption == 2) {
    g.BBAux2 = 0;
    g.BBTop = 0;
    g.BBNodeInfo.ReDim(2, 0);
    g.BBNodeText.ReDim(0);
    noticeLine("Subproblem has no feasible solution");
    rootModel();
    ResetUserTreeIncumbent();
    ReDimProblemArrays(ArrayKind::BranchAndBound);
    g.BBAux1 = 0;
    g.BranchSide = 0;
    g.NodeIds.ReDim(1);
    g.NodeIds(1) = 10;
    g.PickedNodeId = 10;
    g.LevelCount.ReDim(1);
    g.TreeLevel = 1;
    g.LevelCount(1) = 1;
    // A new tree: nothing of an earlier view stays in the grid.
    Grid &grid = f.outputGrid;
    grid.MergeCells = MergeMode::Never;
    grid.SetRows(0);
    grid.SetCols(0);
    grid.SetRows(5);
    grid.SetCols(1);
    const int32 width = (g.NumDigitsN + g.NumDigitsD + 2) * 200;
    grid.SetColWidth(0, width);
    // The tree grows downwards and sideways: the bars come as its contents need them.
    grid.ScrollBars = ScrollBarsMode::Both;
    grid.Move(RoundTwips((ScreenWidth() - width) * 0.5), grid.Top(), width, grid.Height());
    grid.GridLines = 1;
    grid.GridColor = kCyan;
    grid.SetVisible(true);
  }
  RunBranchAndBound();
}

void RunBranchAndBound() {
  Scr5 &f = scr5();
  g.OutputPageKind = 2;
  ClearToFrame(f);
  InitIPOutputScreen();

  f.SetFontName("arial");
  f.SetForeColor(kWhite);
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.Frame1.SetVisible(true);
  f.Frame2.SetVisible(true);
  f.SetCurrentX(kMargin);
  f.SetCurrentY(g.SavedCtlPos + f.Frame4.Height());
  // On the small screen the step buttons stand closer and narrower, leaving the side frames
  // beside them room for a bound in the widest formats.
  const bool small = ScreenWidth() == 12000;
  const int32 button = small ? 1950 : 2175, edge = small ? 150 : 240, between = small ? 90 : 105;
  f.cmdNextIter.Move(edge, 240, button, 375);
  f.cmdFinalIter.Move(edge + button + between, 240, button, 375);
  f.cmdWriteToPrinter.Move(edge + 2 * (button + between), 240, small ? button : 2295, 375);
  f.Frame2.SetWidth(f.cmdWriteToPrinter.Left() + f.cmdWriteToPrinter.Width() + edge);
  f.Frame2.SetTop(RoundTwips(f.CurrentY()));
  CentreHorizontally(f.Frame2);
  f.SetCurrentY(f.Frame2.Top() + f.Frame2.Height());
  Rule(f);

  // The legend's swatches in the colours of the tree's nodes, in the order of their captions.
  f.Label7.SetBackColor(kGreen);
  f.Label8.SetBackColor(kRed);
  f.Label9.SetBackColor(kGrey);
  f.Label14.SetBackColor(kMagenta);
  PlaceSideFrames(f, RoundTwips(f.CurrentY()));
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);

  f.SetCurrentX(kMargin);
  f.Print("Title: " + g.HeaderText[1]);
  int32 y = RoundTwips(f.CurrentY());
  g.TitleText = "AAA";
  y = g.OutputOption == 1 ? LayOutAutomatedView(f, y) : LayOutUserGuidedView(f, y);

  f.Label1.SetFontName("arial");
  f.Label1.SetFontSize(10);
  f.Label1.SetFontBold(true);
  f.Label1.SetForeColor(kGreen);
  f.Label1.Move(0, y, RoundTwips(f.TextWidth(g.TitleText)), 285);
  f.Label1.SetCaption(g.TitleText);
  CentreHorizontally(f.Label1);
  f.Label1.SetVisible(true);

  Grid &grid = f.outputGrid;
  StyleOutputGrid(grid);
  grid.SetTop(f.Label1.Top() + f.Label1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));

  if (g.OutputOption != 1) {
    PlaceSearchTree(f);
    SolveUserGuidedNode();
    return;
  }
  LayOutSolutionList(f);
  RunAutomatedBranchAndBound();
}

const std::string &IPSearchAbortMessage() {
  return AbortMessage();
}

void FitSideFramesToTheirTexts() {
  Scr5 &f = scr5();
  PlaceSideFrames(f, f.Frame12.Top() + f.Frame12.Height());
}

void PlaceSearchTree(Scr5 &f) {
  if (g.OutputOption == 1) return;
  Grid &grid = f.outputGrid;
  // Room for less than two levels of the tree (five rows each) below the node's detail: the
  // tree takes the gaps above its title and below it, and, while no detail shows, the
  // detail's room too; the node in hand stays in view.
  constexpr int kTreeLevelRows = 5, kButtonGap = 90;
  const int designedTop = RoundTwips(1.05 * (f.Frame3.Top() + f.Frame3.Height())) + f.Label1.Height();
  const int designedHeight = RoundTwips(f.Frame1.Top() - designedTop - 0.9 * f.Frame1.Height());
  const bool roomy = designedHeight >= 2 * kTreeLevelRows * grid.DefaultRowHeight() + 2 * grid.BorderTwips;
  const int belowDetail = f.Frame3.Top() + f.Frame3.Height() + 30;
  // A notice in the detail's place (Label6) keeps a line of its own above the tree's title.
  const bool notice = f.Label6.Visible();
  auto placeNotice = [&f] {
    f.Label6.SetTop(std::min(f.Frame3.Top() + f.Frame3.Height(), f.Label1.Top() - f.Label6.Height()));
  };
  // A roomy screen keeps its layout, unless a detail grown for its scroll bar reaches the title.
  if (roomy && (!f.Frame3.Visible() || f.Label1.Top() >= belowDetail)) {
    if (notice) placeNotice();
    return;
  }
  const int top = f.Frame3.Visible() ? belowDetail : f.Frame3.Top() + (notice ? f.Label6.Height() : 0);
  f.Label1.SetTop(top);
  grid.SetTop(top + f.Label1.Height());
  grid.SetHeight(std::max(2 * grid.DefaultRowHeight(), f.Frame1.Top() - grid.Top() - kButtonGap));
  if (notice) placeNotice();
  if (grid.Rows() > 0 && grid.Cols() > 0) grid.ShowCell(grid.Row(), grid.Col());
}

void RunAutomatedBranchAndBound() {
  Scr5 &f = scr5();
  AbortMessage().clear();
  f.Label5.SetForeColor(kRed);
  f.Label5.SetCaption("B&&B search in progress. Current Iteration: ");
  f.Label5.SetWidth(RoundTwips(f.TextWidth("B&B search in progress. Current Iteration: ") + 60));
  f.Label6.SetFontName("arial");
  f.Label6.SetFontSize(10);
  f.Label6.SetFontBold(true);
  f.Label6.SetForeColor(kRed);
  f.Label6.SetBackColor(kBlue);
  f.Label6.Move(f.Label5.Left() + f.Label5.Width(), f.Label5.Top(), f.Label6.Width(), f.Label5.Height());
  f.Label6.SetVisible(true);

  // Nothing else is painted while the search runs, so the counter is repainted by hand; a
  // repaint waits for the display, so it is shown at most every 50 ms (the first and the last
  // number always).
  using Clock = std::chrono::steady_clock;
  constexpr auto kRefreshEvery = std::chrono::milliseconds(50);
  Clock::time_point shownAt{};
  int32 latest = 0;
  SearchEvents events;
  events.examining = [&](int32 n) {
    latest = n;
    const Clock::time_point now = Clock::now();
    if (shownAt != Clock::time_point{} && now - shownAt < kRefreshEvery) return;
    f.Label6.SetCaption(std::to_string(n));
    f.Label6.Refresh();
    shownAt = now;
  };
  events.improved = [&f] { AddIncumbentRow(f); };
  const SearchEnd end = RunAutomatedSearch(events);
  f.Label6.SetCaption(std::to_string(latest));

  switch (end) {
  case SearchEnd::LimitExceeded:
    AbortMessage() =
        "Number of examined subproblems exceeds " + ThousandsText(BBSubproblemLimit) + ".  Execution aborted";
    MsgBox(AbortMessage(), msg::OKOnly | msg::Critical, "Excessive B&B Search");
    SearchVerdict(f, kRed, "B&&B search aborted after Iteration " + std::to_string(latest));
    return;
  case SearchEnd::SolveFailed:
    // No verdict can be drawn from a subproblem the simplex engine could not finish.
    AbortMessage() = "The simplex engine could not solve subproblem " + std::to_string(g.FinalIteration) +
                     ".  Execution aborted";
    MsgBox(AbortMessage(), msg::OKOnly | msg::Critical, "B&B Search Failed");
    SearchVerdict(f, kRed, "B&&B search aborted at Iteration " + std::to_string(g.FinalIteration));
    return;
  case SearchEnd::Completed:
  case SearchEnd::Unbounded:
    ShowSearchEnd(f, end);
    return;
  }
}

} // namespace quon
