#include <gtest/gtest.h>

#include "editor_fake.h"
#include "input/grid_clipboard.h"
#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"

namespace quon::test {

void ResetProgram(int modelClass) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = static_cast<int16>(modelClass);
  g.SenseText = modelClass == 4 ? "Minimize" : "Maximize";
  g.ObjSense = modelClass == 4 ? 1 : -1;
}

namespace {

Rgb Back(const GridStore &grid, int r, int c) {
  const CellAttr &a = grid.Attr(r, c);
  return a.hasBack ? a.back : 0xFFFFFFFFu;
}

std::vector<std::string> Row(const GridStore &grid, int r) {
  std::vector<std::string> out;
  for (int c = 0; c < grid.Cols(); ++c) out.push_back(grid.TextMatrix(r, c));
  return out;
}
std::vector<std::string> Col(const GridStore &grid, int c) {
  std::vector<std::string> out;
  for (int r = 0; r < grid.Rows(); ++r) out.push_back(grid.TextMatrix(r, c));
  return out;
}

using V = std::vector<std::string>;
constexpr int kLeft = 1, kCenter = 4, kRight = 7;

TEST(InputGridLayout, LinearProgram) {
  ResetProgram(3);
  g.NVars = 2;
  g.MRows = 1;
  GridStore grid;
  grid.SetCols(2);
  grid.ColWidth[1] = 500; // narrower than the digits need
  const auto s = BuildInputGrid(grid);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Caption, "INPUT GRID - LINEAR PROGRAMMING");
  EXPECT_EQ(s->TotalWidth, 6201);
  EXPECT_EQ(g.GridReadyFlag, 1);
  ASSERT_EQ(grid.Rows(), 7);
  ASSERT_EQ(grid.Cols(), 5);
  EXPECT_EQ(Row(grid, 0), (V{"", "x1", "x2", "Enter <, >, or =", "R.H.S."}));
  EXPECT_EQ(Col(grid, 0), (V{"", "Var. Name", "Maximize", "Constr 1", "Lower Bound", "Upper Bound",
                             "Unrestr'd (y/n)? "}));
  EXPECT_EQ(Row(grid, 1), (V{"Var. Name", "", "", "", ""}));
  EXPECT_EQ(Row(grid, 2), (V{"Maximize", "0.00", "0.00", "", ""}));
  EXPECT_EQ(Row(grid, 3), (V{"Constr 1", "0.00", "0.00", "        <=", "0.00"}));
  EXPECT_EQ(Row(grid, 4), (V{"Lower Bound", "0.00", "0.00", "", ""}));
  EXPECT_EQ(Row(grid, 5), (V{"Upper Bound", "infinity", "infinity", "", ""}));
  EXPECT_EQ(Row(grid, 6), (V{"Unrestr'd (y/n)? ", "n", "n", "", ""}));
  EXPECT_EQ(grid.ColWidth, (std::vector<int>{1500, 1067, 1067, 1500, 1067}));
  EXPECT_EQ(grid.ColAlignment, (std::vector<int>{kLeft, kRight, kRight, kRight, kRight}));
  for (int c = 1; c < 5; ++c) EXPECT_EQ(grid.Attr(0, c).align, kCenter);
  EXPECT_EQ(grid.FontName, "arial");
  EXPECT_EQ(grid.FontSize, 9);
  EXPECT_TRUE(grid.FontBold);
  // Bound rows in their own blue, constraint rows in the data blue, rows 1 and 2 untouched.
  for (int c = 1; c < 5; ++c) {
    EXPECT_EQ(Back(grid, 3, c), kBlue);
    for (int r = 4; r <= 6; ++r) EXPECT_EQ(Back(grid, r, c), RGB(0, 75, 255));
    EXPECT_FALSE(grid.Attr(1, c).hasBack);
    EXPECT_FALSE(grid.Attr(2, c).hasBack);
  }
  EXPECT_FALSE(grid.Attr(4, 0).hasBack);
}

TEST(InputGridLayout, IntegerProgramAddsTheIntegerRow) {
  ResetProgram(5);
  g.NVars = 3;
  g.MRows = 2;
  GridStore grid;
  const auto s = BuildInputGrid(grid);
  EXPECT_EQ(s->Caption, "INPUT GRID - INTEGER PROGRAMMING");
  ASSERT_EQ(grid.Rows(), 9);
  EXPECT_EQ(Row(grid, 8), (V{"Integer (y/n)? ", "y", "y", "y", "", ""}));
  EXPECT_EQ(grid.TextMatrix(4, 0), "Constr 2");
  for (int r = 5; r <= 8; ++r) EXPECT_EQ(Back(grid, r, 1), RGB(0, 75, 255)) << r;
  EXPECT_EQ(Back(grid, 4, 1), kBlue);
}

TEST(InputGridLayout, SquareModelsAndGames) {
  ResetProgram(1);
  g.NVars = 2;
  GridStore inv;
  auto s = BuildInputGrid(inv);
  EXPECT_EQ(s->Caption, "INPUT GRID - MATRIX INVERSE");
  EXPECT_EQ(Row(inv, 0), (V{"", "Column 1", "Column 2"}));
  EXPECT_EQ(Col(inv, 0), (V{"", "Row 1", "Row 2"}));
  EXPECT_EQ(Row(inv, 2), (V{"Row 2", "0.00", "0.00"}));
  EXPECT_EQ(s->TotalWidth, 3 * 1067);

  ResetProgram(2);
  g.NVars = 2;
  g.NumFormatType = 2;
  GridStore eq;
  s = BuildInputGrid(eq);
  EXPECT_EQ(s->Caption, "INPUT GRID - SIMULTANEOUS EQUAITIONS");
  EXPECT_EQ(Row(eq, 0), (V{"", "x1", "x2", "R.H.S."}));
  EXPECT_EQ(Row(eq, 1), (V{"Eq 1", "0.00000e+00", "0.00000e+00", "0.00000e+00"}));
  EXPECT_EQ(eq.ColAlignment, (std::vector<int>{kLeft, kRight, kRight, kRight}));

  ResetProgram(9);
  g.GameRows = 2;
  g.GameCols = 3;
  GridStore game;
  s = BuildInputGrid(game);
  EXPECT_EQ(s->Caption, "INPUT GRID - TWO-PERSON ZERO-SUM GAME");
  EXPECT_TRUE(s->ShowPayoffNote);
  EXPECT_EQ(Row(game, 0), (V{"", "B1", "B2", "B3"}));
  EXPECT_EQ(Col(game, 0), (V{"", "A1", "A2"}));
  EXPECT_EQ(game.TextMatrix(2, 3), "0.00");
}

TEST(InputGridLayout, Transportation) {
  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 3;
  GridStore grid;
  const auto s = BuildInputGrid(grid);
  EXPECT_EQ(s->Caption, "INPUT GRID - TRANSPORTATION");
  ASSERT_EQ(grid.Rows(), 5);
  ASSERT_EQ(grid.Cols(), 6);
  EXPECT_EQ(Row(grid, 0), (V{"", "", "D1", "D2", "D3", "Supply"}));
  EXPECT_EQ(Col(grid, 0), (V{"", "", "S1", "S2", "Demand"}));
  EXPECT_EQ(Row(grid, 1), (V{"", "S/D Name", "", "", "", ""}));
  EXPECT_EQ(Row(grid, 2), (V{"S1", "", "0.00", "0.00", "0.00", ""}));
  EXPECT_EQ(Row(grid, 4), (V{"Demand", "", "", "", "", ""}));
  EXPECT_EQ(Back(grid, 1, 1), kCyan);
  EXPECT_EQ(grid.Attr(1, 1).fore, kBlue);
  EXPECT_TRUE(grid.Attr(1, 1).hasFore);
  for (auto [r, c] : {std::pair{1, 5}, {4, 1}, {4, 5}}) EXPECT_EQ(Back(grid, r, c), kCyan);
  for (auto [r, c] : {std::pair{1, 2}, {2, 1}, {3, 5}, {4, 3}}) EXPECT_EQ(Back(grid, r, c), kBlue);
  EXPECT_FALSE(grid.Attr(2, 2).hasBack);
  EXPECT_EQ(grid.ColAlignment, (std::vector<int>{kLeft, kLeft, kRight, kRight, kRight, kRight}));
  EXPECT_EQ(s->TotalWidth, 6 * 1067);
}

TEST(InputGridLayout, Queueing) {
  ResetProgram(6);
  g.NScen = 2;
  GridStore grid;
  const auto s = BuildInputGrid(grid);
  EXPECT_EQ(s->Caption, "INPUT TABLE - M/M/c queues");
  EXPECT_EQ(g.NVars, 5);
  EXPECT_EQ(g.MRows, 2);
  EXPECT_EQ(Row(grid, 0), (V{"Scenario", "Lambda", "Mu", "Nbr. of Servers", "System Limit", "Source Limit"}));
  EXPECT_EQ(Row(grid, 2), (V{"2", "0.00", "0.00", "1", "infinity", "infinity"}));
  EXPECT_EQ(grid.Attr(1, 0).align, kCenter);
  EXPECT_EQ(grid.Attr(0, 0).align, kCenter);
  EXPECT_EQ(grid.ColWidth[3], 1725);
  EXPECT_EQ(s->TotalWidth, 6 * 1725);
}

TEST(InputGridLayout, NetworksBySubModel) {
  ResetProgram(7);
  g.NodeCount = 3;
  g.NetSubModel = 2;
  GridStore grid;
  auto s = BuildInputGrid(grid);
  EXPECT_EQ(s->Caption, "INPUT GRID - SHORTEST ROUTE");
  EXPECT_TRUE(s->ShowSymmetricFrame);
  EXPECT_FALSE(s->SymmetricForced);
  ASSERT_EQ(grid.Rows(), 5);
  ASSERT_EQ(grid.Cols(), 5);
  EXPECT_EQ(Row(grid, 0), (V{"", "", "N1", "N2", "N3"}));
  EXPECT_EQ(Col(grid, 0), (V{"", "", "N1", "N2", "N3"}));
  EXPECT_EQ(Row(grid, 1), (V{"", "Node Name", "", "", ""}));
  EXPECT_EQ(Row(grid, 3), (V{"N2", "", "infinity", "", "infinity"}));
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(grid.TextMatrix(i, i), "");
  EXPECT_EQ(Back(grid, 1, 1), kCyan);
  EXPECT_EQ(grid.ColAlignment[1], kLeft);

  ResetProgram(7);
  g.NodeCount = 3;
  g.NetSubModel = 4;
  GridStore flow;
  s = BuildInputGrid(flow);
  EXPECT_EQ(s->Caption, "INPUT GRID - MAXIMAL FLOW");
  EXPECT_EQ(Row(flow, 2), (V{"N1", "", "", "0.00", "0.00"}));

  ResetProgram(7);
  g.NodeCount = 2;
  g.NetSubModel = 1;
  GridStore tree;
  s = BuildInputGrid(tree);
  EXPECT_EQ(s->Caption, "INPUT GRID - MINIMAL SPANNING TREE");
  EXPECT_TRUE(s->SymmetricForced);
}

TEST(InputGridLayout, ProjectGrids) {
  ResetProgram(8);
  g.ProjMethod = 1;
  GridStore cpm;
  auto s = BuildInputGrid(cpm);
  EXPECT_EQ(s->Caption, "INPUT GRID - CPM (CRITICAL PATH METHOD)");
  ASSERT_EQ(cpm.Rows(), 2);
  EXPECT_EQ(Row(cpm, 0), (V{"Row", "From Node", "To Node", "Activity Symbol", "Duration"}));
  EXPECT_EQ(Row(cpm, 1), (V{"1", "", "", "", ""}));
  EXPECT_EQ(cpm.ColWidth[1], 1200); // "From Node" whole
  EXPECT_EQ(cpm.ColWidth[3], 1500);
  EXPECT_EQ(cpm.ColWidth[4], 1067);
  EXPECT_EQ(cpm.ColAlignment, (std::vector<int>{kCenter, kCenter, kCenter, kLeft, kRight}));
  EXPECT_EQ(s->TotalWidth, 6301); // 4.25 x 1067 + 1500 + 2 x (1200 - 1067), rounded

  // A grid rebuilt for a file keeps the caller's rows and gets no defaults.
  ResetProgram(8);
  g.ProjMethod = 2;
  g.GridFromFile = 1;
  GridStore pert;
  pert.SetRows(4);
  s = BuildInputGrid(pert);
  EXPECT_EQ(s->Caption, "INPUT GRID - PERT (PROGRAM EVALUATION && REVIEW TECHNIQUE)");
  EXPECT_EQ(pert.Rows(), 4);
  EXPECT_EQ(Row(pert, 0), (V{"Row", "From Node", "To Node", "Activity Symbol", "a", "m", "b"}));
  EXPECT_EQ(Col(pert, 0), (V{"Row", "1", "2", "3"}));
  EXPECT_EQ(g.GridFromFile, 0);
  EXPECT_EQ(s->TotalWidth, 8435); // 6.25 x 1067 + 1500 + 2 x (1200 - 1067), rounded
}

TEST(InputGridLayout, FromFileWritesNoDefaultsAndReadyFlagGuards) {
  ResetProgram(3);
  g.NVars = 2;
  g.MRows = 1;
  g.GridFromFile = 1;
  GridStore grid;
  BuildInputGrid(grid);
  EXPECT_EQ(g.GridFromFile, 0);
  EXPECT_EQ(grid.TextMatrix(3, 0), "Constr 1");
  EXPECT_EQ(grid.TextMatrix(3, 1), "");
  EXPECT_EQ(grid.TextMatrix(5, 1), "");
  EXPECT_EQ(Back(grid, 4, 1), RGB(0, 75, 255));

  grid.SetTextMatrix(3, 1, "7");
  g.NVars = 5;
  EXPECT_FALSE(BuildInputGrid(grid));
  EXPECT_EQ(grid.Cols(), 5);
  EXPECT_EQ(grid.TextMatrix(3, 1), "7");
}

TEST(InputGridLayout, RebuildOnTheSameScreenDropsOldColours) {
  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 2;
  GridStore grid;
  BuildInputGrid(grid);
  ASSERT_EQ(Back(grid, 4, 4), kCyan);
  g.TransSources = 3;
  g.TransDests = 3;
  g.GridReadyFlag = 0;
  BuildInputGrid(grid);
  EXPECT_FALSE(grid.Attr(4, 4).hasBack); // now a cost cell
  EXPECT_EQ(Back(grid, 5, 5), kCyan);
}

TEST(InputGridLayout, HeadingsFollowANewSize) {
  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 2;
  GridStore grid;
  BuildInputGrid(grid);
  grid.SetCols(grid.Cols() + 1);
  grid.SetTextMatrix(0, 4, "");
  WriteInputGridHeadings(grid, 1);
  EXPECT_EQ(Row(grid, 0), (V{"", "", "D1", "D2", "D3", "Supply"}));
  WriteInputGridHeadings(grid, 3);
  EXPECT_EQ(grid.TextMatrix(0, 5), "Supply");
}

TEST(ClosedCells, PerModelClass) {
  ResetProgram(3);
  g.NVars = 2;
  g.MRows = 2; // rows 0..7, cols 0..4
  GridStore lp;
  BuildInputGrid(lp);
  for (int r : {0, 1, 2, 5, 6, 7}) {
    EXPECT_EQ(IsEditableCell(lp, 2, r, 0), 1) << r;
    EXPECT_EQ(IsEditableCell(lp, 2, r, 3), 1) << r;
    EXPECT_EQ(IsEditableCell(lp, 2, r, 4), 1) << r;
    EXPECT_EQ(IsEditableCell(lp, 2, r, 2), 0) << r;
    EXPECT_EQ(IsEditableCell(lp, 1, r, 2), -1) << r;
    EXPECT_EQ(IsEditableCell(lp, 1, r, 1), 0) << r;
  }
  for (int r : {3, 4})
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(IsEditableCell(lp, 2, r, c), 0);
      EXPECT_EQ(IsEditableCell(lp, 1, r, c), 0);
    }

  ResetProgram(2);
  g.NVars = 2;
  GridStore eq;
  BuildInputGrid(eq);
  EXPECT_EQ(IsEditableCell(eq, 2, 0, 3), 1);
  EXPECT_EQ(IsEditableCell(eq, 1, 0, 3), 1);
  EXPECT_EQ(IsEditableCell(eq, 2, 0, 2), 0);

  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 2; // 5 x 5
  GridStore tr;
  BuildInputGrid(tr);
  for (int r : {0, 1, 4})
    for (int c : {0, 1, 4}) EXPECT_EQ(IsEditableCell(tr, 2, r, c), 1) << r << c;
  EXPECT_EQ(IsEditableCell(tr, 2, 1, 2), 0);
  EXPECT_EQ(IsEditableCell(tr, 2, 2, 1), 0);
  EXPECT_EQ(IsEditableCell(tr, 1, 1, 3), -1);
  EXPECT_EQ(IsEditableCell(tr, 1, 2, 3), 0);

  ResetProgram(7);
  g.NodeCount = 3;
  GridStore net;
  BuildInputGrid(net);
  EXPECT_EQ(IsEditableCell(net, 2, 1, 1), 1);
  EXPECT_EQ(IsEditableCell(net, 2, 0, 1), 1);
  EXPECT_EQ(IsEditableCell(net, 2, 1, 2), 0);
  EXPECT_EQ(IsEditableCell(net, 1, 1, 1), 0);

  for (int cls : {1, 6, 8, 9}) {
    ResetProgram(cls);
    EXPECT_EQ(IsEditableCell(lp, 2, 0, 0), 0) << cls;
  }
}

TEST(GridHelpers, ResetSelectionColoursTheCorner) {
  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 2;
  GridStore tr;
  BuildInputGrid(tr);
  tr.Attr(1, 1).back = kRed;
  ResetInputGridSelection(tr);
  EXPECT_EQ(Back(tr, 1, 1), kCyan);

  ResetProgram(3);
  g.NVars = 2;
  g.MRows = 1;
  GridStore lp;
  BuildInputGrid(lp);
  ResetInputGridSelection(lp);
  EXPECT_EQ(Back(lp, 1, 1), kBlue);
}

TEST(GridHelpers, EditingHelpLinesAndPositions) {
  ResetProgram(3);
  g.HelpTextX = 7910;
  RecordingSurface screen(15360, 11520);
  ShowGridEditingHelp(screen, 15360, 11520);
  auto texts = screen.Texts();
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0].text, " Editing Grid:");
  EXPECT_DOUBLE_EQ(texts[0].x1, 7910);
  EXPECT_DOUBLE_EQ(texts[0].y1, 0.04 * 11520);
  EXPECT_EQ(texts[1].text, ">>Click Maximize(Minimize)-cell to change it to Minimize(Maximize)");
  EXPECT_EQ(texts[5].text, "     place new row/column after(before) target row/column.  ");
  for (std::size_t i = 1; i < texts.size(); ++i) {
    EXPECT_DOUBLE_EQ(texts[i].x1, 8110);
    EXPECT_GT(texts[i].y1, texts[i - 1].y1);
  }
  // A second showing prints at the same places.
  const double lastY = texts[5].y1;
  screen.Reset();
  ShowGridEditingHelp(screen, 15360, 11520);
  EXPECT_DOUBLE_EQ(screen.Texts()[5].y1, lastY);

  // An 800-pixel screen leaves less room beside the grid: the help takes a smaller type to end
  // inside its frame, and the screen keeps its own type afterwards.
  RecordingSurface narrow(12000, 9000);
  narrow.SetFontName("arial");
  narrow.SetFontSize(9);
  narrow.SetFontBold(true);
  g.HelpTextX = 5775;
  ShowGridEditingHelp(narrow, 12000, 9000);
  for (const auto &op : narrow.Texts()) {
    RecordingSurface measure;
    measure.SetFontName(op.font.name);
    measure.SetFontSize(op.font.size);
    measure.SetFontBold(op.font.bold);
    EXPECT_LE(op.x1 + measure.TextWidth(op.text), 0.975 * 12000) << op.text;
  }
  EXPECT_EQ(narrow.FontSize(), 9);

  ResetProgram(4);
  RecordingSurface other(15360, 11520);
  ShowGridEditingHelp(other, 15360, 11520);
  texts = other.Texts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[1].text, ">>To DELETE, INSERT, COPY, or PASTE a column(row), click heading");
  EXPECT_EQ(texts[2].text, "     cell of target column(row), then invoke pull-down EditGrid menu");
  EXPECT_EQ(texts[3].text, ">>For INSERT mode, a single(double) click of target row/column will");
}

TEST(GridBlock, SubmittedBlockAndItsReturn) {
  GridStore grid;
  grid.SetRows(2);
  grid.SetCols(2);
  grid.SetTextMatrix(0, 0, "a");
  grid.SetTextMatrix(0, 1, "b");
  grid.SetTextMatrix(1, 0, "c");
  grid.SetTextMatrix(1, 1, "d");
  g = Mod1{};
  GridClipboard("in", grid, 0, 0, 1, 1);
  EXPECT_EQ(ClipboardText(), std::string("a\tb\rc\td"));
  EXPECT_EQ(grid.Selection(), (CellRange{0, 0, 1, 1}));

  // Another program replaces the clipboard: the return still brings back the problem.
  SetClipboardText("foreign\ttext");
  GridStore back;
  back.SetRows(2);
  back.SetCols(2);
  GridClipboard("out", back, 0, 0, 1, 1);
  EXPECT_EQ(back.ClipOf(0, 0, 1, 1), "a\tb\rc\td");
  ResetInputGridSelection(back);
  EXPECT_EQ(back.Selection(), (CellRange{1, 1, 1, 1}));
}

TEST(GridBlock, ShortTextKeepsCellsAndLongTextIsCut) {
  g = Mod1{};
  GridStore grid;
  grid.SetRows(3);
  grid.SetCols(3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) grid.SetTextMatrix(r, c, "k");
  g.GridBlock = {{"1", "2", "3", "4"}, {"5"}, {"6", "7"}, {"8"}, {"9"}};
  GridClipboard("out", grid, 1, 1, 2, 2);
  EXPECT_EQ(grid.ClipOf(0, 0, 2, 2), "k\tk\tk\rk\t1\t2\rk\t5\tk");

  // Nothing submitted yet: the grid stays as it is.
  g = Mod1{};
  GridClipboard("anything", grid, 0, 0, 2, 2);
  EXPECT_EQ(grid.TextMatrix(1, 1), "1");
}

} // namespace
} // namespace quon::test
