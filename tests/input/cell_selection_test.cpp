#include <gtest/gtest.h>

#include "editor_fake.h"

namespace quon::test {
namespace {

using Pos = std::pair<int, int>;

FakeInputScreen LinearProgram(int n = 2, int m = 1) {
  ResetProgram(3);
  g.NVars = static_cast<int16>(n);
  g.MRows = static_cast<int16>(m);
  FakeInputScreen s;
  s.Build();
  return s;
}

TEST(SenseCell, ClickSwitchesAndDoubleClickKeepsAllThreeAgreeing) {
  FakeInputScreen s = LinearProgram();
  s.Click(2, 0);
  EXPECT_EQ(s.Cell(2, 0), "Minimize");
  EXPECT_EQ(g.SenseText.str(), "Minimize");
  EXPECT_EQ(g.ObjSense, 1);
  EXPECT_EQ(s.At(), Pos(2, 1));
  EXPECT_EQ(s.beeps, 0);
  s.Click(2, 0);
  EXPECT_EQ(s.Cell(2, 0), "Maximize");
  EXPECT_EQ(g.ObjSense, -1);

  // A double-click delivers a click first: one switch in all, and the three agree.
  s.DblClick(2, 0);
  EXPECT_EQ(s.Cell(2, 0), "Minimize");
  EXPECT_EQ(g.SenseText.str(), "Minimize");
  EXPECT_EQ(g.ObjSense, 1);
  EXPECT_EQ(s.At(), Pos(1, 1));
  EXPECT_EQ(s.beeps, 0);
}

TEST(LinearClicks, ClosedCellsHeadingsAndDataCells) {
  FakeInputScreen s = LinearProgram(2, 1); // type column 3, RHS 4, rows up to 6
  for (Pos closed : {Pos(0, 4), Pos(0, 3), Pos(1, 0), Pos(4, 0), Pos(1, 3), Pos(5, 4)}) {
    s.beeps = 0;
    s.editorRow = s.editorCol = -1;
    s.Click(closed.first, closed.second);
    EXPECT_EQ(s.beeps, 1) << closed.first << "," << closed.second;
    EXPECT_EQ(s.At(), Pos(1, 1));
  }
  s.Click(1, 2);
  EXPECT_EQ(s.At(), Pos(1, 2));
  EXPECT_EQ(g.DataChanged, 1);
  EXPECT_TRUE(s.hintHidden);

  // The heading of constraint 1 selects its row; x2 selects its column.
  s.Click(3, 0);
  EXPECT_EQ(g.SelState, 1);
  EXPECT_FALSE(s.editorVisible);
  EXPECT_TRUE(s.menu[EditGridItem::Delete]);
  EXPECT_TRUE(s.menu[EditGridItem::Insert]);
  EXPECT_TRUE(s.menu[EditGridItem::Copy]);
  EXPECT_FALSE(s.menu[EditGridItem::Paste]);
  EXPECT_FALSE(s.menu[EditGridItem::Undo]);
  EXPECT_EQ(Pos(g.CurRow, g.CurCol), Pos(3, 0));
  s.DblClick(0, 2);
  EXPECT_EQ(g.SelState, 2);

  // A data cell clears the selection and every EditGrid, Save and Save As item.
  s.Click(3, 2);
  EXPECT_EQ(g.SelState, 0);
  EXPECT_TRUE(s.editorVisible);
  for (auto item : {EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete, EditGridItem::Insert,
                    EditGridItem::Undo, EditGridItem::Save, EditGridItem::SaveAs})
    EXPECT_FALSE(s.menu[item]);

  // While a copy is held, a heading click only offers Paste.
  g.SelState = 3;
  s.menu.clear();
  s.Click(3, 0);
  EXPECT_EQ(g.SelState, 3);
  EXPECT_TRUE(s.menu[EditGridItem::Paste]);
  EXPECT_EQ(s.menu.size(), 1u);
  EXPECT_TRUE(s.editorVisible);
}

TEST(LinearClicks, DoubleClickOnDataCellSelectsItsText) {
  FakeInputScreen s = LinearProgram();
  s.grid.SetTextMatrix(3, 2, "12.00");
  s.DblClick(3, 2);
  EXPECT_EQ(s.At(), Pos(3, 2));
  EXPECT_EQ(s.text, "12.00");
  EXPECT_EQ(s.selStart, 0);
  EXPECT_EQ(s.selLength, 5);
  EXPECT_EQ(g.EditorFlag, 1);
}

TEST(EquationClicks, RightHandSideHeading) {
  ResetProgram(2);
  g.NVars = 2;
  FakeInputScreen s;
  s.Build();
  s.Click(0, 3);
  EXPECT_EQ(g.SelState, 1);
  EXPECT_EQ(s.beeps, 0);
  GridDblClick(s, s.grid, 0, 3);
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.At(), Pos(1, 1));
}

TEST(TransportClicks, CornersGoToTheFirstNameCell) {
  ResetProgram(4);
  g.TransSources = 2;
  g.TransDests = 2; // 5 x 5
  FakeInputScreen s;
  s.Build(1, 2);
  for (Pos corner : {Pos(1, 1), Pos(1, 4), Pos(4, 1), Pos(4, 4)}) {
    s.beeps = 0;
    s.Click(corner.first, corner.second);
    EXPECT_EQ(s.beeps, 1);
    EXPECT_EQ(s.At(), Pos(1, 2));
  }
  s.Click(2, 0);
  EXPECT_EQ(g.SelState, 1);
  s.Click(0, 2);
  EXPECT_EQ(g.SelState, 1);
  // A double-click on the corner heading must not leave the editor on it either.
  s.beeps = 0;
  s.DblClick(1, 1);
  EXPECT_EQ(s.At(), Pos(1, 2));
  EXPECT_EQ(s.Cell(1, 1), "S/D Name");
}

TEST(NetworkClicks, DiagonalAndCorners) {
  ResetProgram(7);
  g.NodeCount = 3; // 5 x 5
  FakeInputScreen s;
  s.Build(1, 2);
  s.Click(3, 3);
  EXPECT_EQ(s.At(), Pos(3, 4));
  s.Click(4, 4);
  EXPECT_EQ(s.At(), Pos(4, 3));
  s.Click(1, 1);
  EXPECT_EQ(s.At(), Pos(1, 2));
  s.editorRow = -1;
  s.Click(0, 0);
  EXPECT_EQ(s.At(), Pos(1, 2));
  s.DblClick(0, 0);
  EXPECT_EQ(s.At(), Pos(1, 2));
  EXPECT_EQ(s.Cell(1, 1), "Node Name");
  s.Click(3, 0);
  EXPECT_EQ(g.SelState, 1);
}

TEST(QueueAndProjectClicks, ColumnHeadingsBeepRowNumbersSelect) {
  for (int cls : {6, 8}) {
    ResetProgram(cls);
    g.NScen = 2;
    g.ProjMethod = 1;
    FakeInputScreen s;
    s.Build();
    s.Click(1, 3);
    s.Click(0, 2);
    EXPECT_EQ(s.beeps, 1) << cls;
    EXPECT_EQ(s.At(), Pos(1, 1));
    s.Click(1, 0);
    EXPECT_EQ(g.SelState, 1);
  }
  // A double-click on an activity symbol goes back to the From node of the row.
  ResetProgram(8);
  g.ProjMethod = 1;
  FakeInputScreen p;
  p.Build();
  p.beeps = 0;
  p.DblClick(1, 3);
  EXPECT_EQ(p.beeps, 1);
  EXPECT_EQ(p.At(), Pos(1, 1));
}

TEST(Scroll, EditorStaysOnlyWhileItsCellIsAtAnEdge) {
  ResetProgram(3);
  g.CurRow = 5;
  g.CurCol = 4;
  // First scroll after start-up counts as sideways: GridScrollPos starts at 0.
  EXPECT_TRUE(EditorVisibleAfterScroll(4, 1, 6000, 1000, 3000, 300));
  EXPECT_EQ(g.GridScrollPos, 4);
  EXPECT_FALSE(EditorVisibleAfterScroll(5, 1, 6000, 1000, 3000, 300));
  // k = 6: the cell is at the right edge when the first column is CurCol - 4.
  EXPECT_TRUE(EditorVisibleAfterScroll(0, 1, 6000, 1000, 3000, 300));
  // Up and down: k = 10.
  EXPECT_TRUE(EditorVisibleAfterScroll(0, 5, 6000, 1000, 3000, 300));
  EXPECT_FALSE(EditorVisibleAfterScroll(0, 2, 6000, 1000, 3000, 300));
  EXPECT_TRUE(EditorVisibleAfterScroll(0, -3, 6000, 1000, 3000, 300));
}

} // namespace
} // namespace quon::test
