#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include "platform/ui/qt_support.h"
#include "test_form.h"

namespace quon::testing {
namespace {

using Strings = std::vector<std::string>;

void Mouse(QWidget *viewport, QEvent::Type type, QPoint at) {
  Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::LeftButton, buttons, {});
  QApplication::sendEvent(viewport, &e);
}

QWidget *Viewport(Grid &g) {
  return static_cast<QAbstractScrollArea *>(g.Widget())->viewport();
}

TEST_F(FormsTest, GridClickOnACellReportsTheCellUnderTheMouse) {
  TestForm &f = frmTest();
  Grid &g = f.grid1;
  g.SetColWidth(0, 1500);
  f.Show();
  Forms::DoEvents();
  Log().clear();
  // Row 0 and each row default to the font's height; column 0 is 100 pixels wide.
  int rowPx = ToPixels(g.RowHeightOf(1));
  QPoint cell(100 + 64 + 10, 2 * rowPx + 3); // row 2, column 2
  Mouse(Viewport(g), QEvent::MouseButtonPress, cell);
  Mouse(Viewport(g), QEvent::MouseButtonRelease, cell);
  Mouse(Viewport(g), QEvent::MouseButtonDblClick, cell);
  Mouse(Viewport(g), QEvent::MouseButtonRelease, cell);
  EXPECT_EQ(Log(), (Strings{"grid1_Click 2,2", "grid1_DblClick 2,2"}));
  EXPECT_EQ(g.Row(), 2);
  EXPECT_EQ(g.Col(), 2);
  // The cell's position lets an editor be laid exactly over it.
  EXPECT_EQ(g.CellLeft(), 15 + 1500 + 960);
  EXPECT_EQ(g.CellTop(), 15 + 2 * g.RowHeightOf(1));
  EXPECT_EQ(g.CellWidth(), 960);
}

TEST_F(FormsTest, GridHeadingClickSelectsTheWholeRowOrColumn) {
  TestForm &f = frmTest();
  Grid &g = f.grid1;
  g.PerformClick(0, 3);
  EXPECT_EQ(g.MouseRow, 0);
  EXPECT_EQ(g.MouseCol, 3);
  EXPECT_EQ(g.Selection(), (CellRange{1, 3, g.Rows() - 1, 3}));
  g.PerformClick(5, 0);
  EXPECT_EQ(g.Selection(), (CellRange{5, 1, 5, g.Cols() - 1}));
  g.PerformClick(4, 4);
  EXPECT_EQ(g.Selection(), (CellRange{4, 4, 4, 4}));
  // A double-click is preceded by a click.
  Log().clear();
  g.PerformDblClick(3, 1);
  EXPECT_EQ(Log(), (Strings{"grid1_Click 3,1", "grid1_DblClick 3,1"}));
}

TEST_F(FormsTest, GridScrollsKeepingFixedCellsAndReportsIt) {
  TestForm &f = frmTest();
  Grid &g = f.grid1;
  g.SetCols(20);
  f.Show();
  Forms::DoEvents();
  Log().clear();
  auto *area = static_cast<QAbstractScrollArea *>(g.Widget());
  area->verticalScrollBar()->setValue(10);
  EXPECT_EQ(g.TopRow(), 10);
  EXPECT_EQ(Log(), Strings{"grid1_Scroll"});
  // The fixed row stays at the top; the first scrolling row follows it.
  EXPECT_EQ(g.RowAt(0), 0);
  EXPECT_EQ(g.RowAt(g.RowHeightOf(0)), 10);
  g.SetLeftCol(3);
  Forms::DoEvents();
  // Columns that all fit leave nothing to scroll.
  EXPECT_GT(g.MaxLeftCol(), 3);
  EXPECT_LT(g.MaxLeftCol(), 19);
  EXPECT_EQ(area->horizontalScrollBar()->value(), 3);
  EXPECT_EQ(g.ColAt(0), 0);
  EXPECT_EQ(g.ColAt(g.ColWidthOf(0)), 3);
  // No scroll bars when asked for none.
  g.ScrollBars = ScrollBarsMode::None;
  g.SetRows(41);
  Forms::DoEvents();
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(FormsTest, GridPaintsCellColoursAndMergedRows) {
  TestForm &f = frmTest();
  Grid &g = f.grid1;
  g.FixedCols = 0;
  g.SetBackColor(kBlue);
  g.SetForeColor(kWhite);
  g.SetFontName("arial");
  g.SetFontSize(9);
  g.SetFontBold(true);
  for (int c = 0; c < g.Cols(); ++c)
    g.SetTextMatrix(2, c, "Iteration  1");
  g.MergeCells = MergeMode::RestrictRows;
  g.SetMergeRow(2, true);
  g.SetRow(3);
  g.SetCol(1);
  g.SetCellBackColor(kYellow);
  f.Show();
  Forms::DoEvents();
  QImage shot = Viewport(g)->grab().toImage();
  int rowPx = ToPixels(g.RowHeightOf(1));
  EXPECT_EQ(shot.pixelColor(64 + 30, 3 * rowPx + rowPx / 2), QColor(Qt::yellow));
  EXPECT_EQ(shot.pixelColor(3 * 64 + 30, 3 * rowPx + rowPx / 2), QColor(Qt::blue));
  // A merged row has no grid lines between its cells.
  int y = 2 * rowPx + 1;
  EXPECT_NE(shot.pixelColor(64 - 1, y + rowPx / 2),
            QColor((g.GridColor >> 16) & 0xFF, (g.GridColor >> 8) & 0xFF, g.GridColor & 0xFF));
  EXPECT_EQ(shot.pixelColor(64 - 1, 4 * rowPx + rowPx / 2),
            QColor((g.GridColor >> 16) & 0xFF, (g.GridColor >> 8) & 0xFF, g.GridColor & 0xFF));
}

TEST_F(FormsTest, ANumberTooWideForItsCellKeepsItsLeadingDigitsInView) {
  const QFontMetrics metrics(MakeFont("arial", 9, true));
  const int width = metrics.horizontalAdvance("0000000.00");
  Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter;
  const QString fits = FittedCellText(metrics, "12.50", width, align);
  EXPECT_EQ(fits, "12.50");
  EXPECT_EQ(align, Qt::AlignRight | Qt::AlignVCenter);
  const QString cut = FittedCellText(metrics, "100000000000000000000000.00", width, align);
  EXPECT_TRUE(cut.startsWith("1000")) << cut.toStdString();
  EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
  EXPECT_LE(metrics.horizontalAdvance(cut), width);
  EXPECT_EQ(align, Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace
} // namespace quon::testing
