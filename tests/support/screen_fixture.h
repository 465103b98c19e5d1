// What the screen tests of the solve and output road use besides the screen-test fixture: a
// matrix problem as the input screen hands it over, the texts drawn on a form, and the checker
// of what a user cannot see on a screen.
#pragma once

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "platform/ui/qt_support.h"
#include "shell/screen_frame.h"
#include "shell/mod1.h"
#include "support/grid_text.h"
#include "support/screen_test.h"

namespace quon::testing {

// Matrix inversion (class 1) or equations (class 2, right-hand sides as the last column) as
// "SOLVE Menu" leaves them: the rows in Tab and InvInput.
inline void MatrixInput(int modelClass, const std::vector<std::vector<double>> &rows) {
  g.ModelClass = static_cast<int16>(modelClass);
  const int n = static_cast<int>(rows.size());
  g.MRows = static_cast<int16>(n);
  g.NVars = g.MRows;
  ReDimProblemArrays(ArrayKind::Common);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= static_cast<int>(rows[i - 1].size()); ++j) {
      g.Tab(i, j) = rows[i - 1][j - 1];
      g.InvInput(i, j) = rows[i - 1][j - 1];
    }
}

// The texts drawn on a form since its last Clear, in order.
inline std::vector<std::string> DrawnTexts(const Form &form) {
  std::vector<std::string> out;
  for (const DrawOp &op : form.DrawnOps())
    if (op.kind == DrawKind::Text) out.push_back(op.text);
  return out;
}

inline bool Drawn(const Form &form, const std::string &text) {
  for (const std::string &t : DrawnTexts(form))
    if (t == text) return true;
  return false;
}

// Whether the screen's white frame is among what the form has drawn since its last Clear.
inline bool FrameDrawn(const Form &form) {
  for (const DrawOp &op : form.DrawnOps())
    if (op.kind == DrawKind::Box && op.color == kWhite && op.width == 18) return true;
  return false;
}

// The shown controls of a form, but those in `skip`, that reach onto the white frame's line.
inline std::vector<std::string> ControlsOnTheFrame(const Form &f, std::initializer_list<const Control *> skip = {}) {
  const double w = ScreenWidth(), h = ScreenHeight();
  const FrameInside in = ScreenFrameInside(w, h);
  const double line = in.left - 0.015 * w; // half the line's width
  std::vector<std::string> out;
  for (const Control *c : f.Children()) {
    if (!c->Visible() || std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
    const double l = c->Left(), t = c->Top(), r = l + c->Width(), b = t + c->Height();
    const bool inside = l >= in.left && t >= in.top && r <= in.right && b <= in.bottom;
    const bool apart = r <= in.left - 2 * line || l >= in.right + 2 * line || b <= in.top - 2 * line ||
                       t >= in.bottom + 2 * line;
    if (!inside && !apart) out.push_back(c->Name());
  }
  return out;
}

// The shown controls of a form that cover a text the form has drawn, each with the text.
inline std::vector<std::string> ControlsOverDrawnTexts(const Form &f) {
  std::vector<std::string> out;
  for (const Control *c : f.Children()) {
    if (!c->Visible()) continue;
    const double l = c->Left(), t = c->Top(), r = l + c->Width(), b = t + c->Height();
    for (const DrawOp &op : f.DrawnOps())
      if (op.kind == DrawKind::Text && l < op.x2 && op.x1 < r && t < op.y2 && op.y1 < b)
        out.push_back(c->Name() + " over \"" + op.text + "\"");
  }
  return out;
}

// The texts the grid shows cut, as "row,col 'text'": those of its kept rows and of the rows in
// view (a grid paints those it makes on demand, so it is painted first).
inline std::vector<std::string> CutCells(Grid &grid) {
  Forms::DoEvents();
  grid.Widget()->grab();
  Forms::DoEvents();
  std::vector<std::string> cut;
  // Texts in columns the grid can neither show nor scroll to are cut too.
  const bool across =
      grid.ScrollBars == ScrollBarsMode::Horizontal || grid.ScrollBars == ScrollBarsMode::Both;
  std::vector<int> right(static_cast<std::size_t>(grid.Cols()) + 1, 0);
  for (int c = 0; c < grid.Cols(); ++c)
    right[static_cast<std::size_t>(c) + 1] = right[static_cast<std::size_t>(c)] + grid.ColWidthOf(c);
  for (int r = 0; r < grid.Rows(); ++r) {
    const bool inView = r < grid.FixedRows || (r >= grid.TopRow() && grid.RowY(r) < grid.ViewHeight());
    if (r >= grid.KeptRows() && !inView) continue;
    for (int c = 0; c < grid.Cols(); ++c) {
      const std::string text = grid.TextMatrix(r, c);
      if (text.empty() || grid.ColWidthOf(c) == 0) continue;
      const CellRange m = grid.MergedRange(r, c);
      int width = -5; // the painter's margins
      for (int k = m.col1; k <= m.col2; ++k)
        width += ToPixels(grid.ColWidthOf(k));
      const QFontMetrics fm(
          MakeFont(static_cast<const GridStore &>(grid).FontName, grid.FontSizeOf(r, c), grid.BoldOf(r, c)));
      if (fm.horizontalAdvance(Q(text)) > width ||
          (!across && right[static_cast<std::size_t>(m.col2) + 1] > grid.ViewWidth()))
        cut.push_back(std::to_string(r) + "," + std::to_string(c) + " '" + text + "'");
    }
  }
  return cut;
}

// Held headings at every scroll position a user reaches on a grid that holds them, from the top
// to the last position: by the scroll bar's down arrow, by the mouse wheel and by the Down key
// (the current cell and the scroll position come back afterwards).
inline std::vector<std::string> HeldHeadingsWhileScrolling(Grid &grid) {
  std::vector<std::string> out;
  if (!grid.BlockOf || !grid.Widget()->isVisible() || grid.Rows() <= grid.FixedRows) return out;
  Forms::DoEvents();
  auto *area = static_cast<QAbstractScrollArea *>(grid.Widget());
  const int top = grid.TopRow(), row = grid.Row(), col = grid.Col();
  auto walk = [&](const std::string &how, const std::function<bool()> &step) {
    grid.SetTopRow(0);
    grid.SetRow(std::min(grid.FixedRows, grid.Rows() - 1));
    Forms::DoEvents();
    for (int guard = 0; guard <= grid.Rows(); ++guard) {
      for (const std::string &fault : test::HeldHeadingFaults(grid)) {
        out.push_back(how + ": " + fault);
        return;
      }
      if (!step()) break;
    }
    const int last = grid.Rows() - 1;
    if (grid.TopRow() != grid.MaxTopRow() || grid.RowY(last) + grid.RowHeightOf(last) > grid.ViewHeight())
      out.push_back(how + ": stops at top " + std::to_string(grid.TopRow()) + " short of the last row");
  };
  walk("scroll bar", [&] {
    const int before = grid.TopRow();
    area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    return grid.TopRow() != before;
  });
  walk("wheel", [&] {
    const int before = grid.TopRow();
    const QPointF at(area->viewport()->width() / 2.0, area->viewport()->height() / 2.0);
    QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(area->viewport(), &wheel);
    return grid.TopRow() != before;
  });
  walk("Down key", [&] {
    if (grid.Row() >= grid.Rows() - 1) return false;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &down);
    return true;
  });
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetTopRow(top);
  Forms::DoEvents();
  return out;
}

// What a user cannot see of a screen: a result cut in its cell, a caption cut by its control, a
// control on the white frame or past the screen, rows or columns that no shown scroll bar
// brings into view, held headings that hide rows or leave columns unheaded, and (after the steps
// ran to their end) a scrolled grid without its heading rows or, with `newest`, a newest block
// not shown from its headings down.
inline std::vector<std::string> UnseenOn(Form &f, bool afterSteps = false, bool newest = false) {
  Forms::DoEvents();
  f.ClientWidget()->window()->grab();
  Forms::DoEvents();
  std::vector<std::string> out;
  const std::string where = f.Name() + ".";
  const bool framed = FrameDrawn(f);
  if (framed)
    for (const std::string &name : ControlsOnTheFrame(f, {}))
      if (name != "Label20") // the model title stands on the frame's line
        out.push_back(where + name + " on the frame");
  const double w = ScreenWidth(), h = ScreenHeight();
  std::vector<const Control *> shown;
  for (const Control *c : f.Children())
    if (c->Visible()) shown.push_back(c);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    const Control *c = shown[k];
    const std::string name = where + c->Name();
    if (c->Left() < 0 || c->Top() < 0 || c->Left() + c->Width() > w || c->Top() + c->Height() > h)
      out.push_back(name + " past the screen");
    if (const auto *frame = dynamic_cast<const Frame *>(c)) {
      for (const Control *inner : frame->Children()) {
        if (!inner->Visible()) continue;
        if (inner->Left() < 0 || inner->Top() < 0 || inner->Left() + inner->Width() > frame->Width() ||
            inner->Top() + inner->Height() > frame->Height())
          out.push_back(name + "." + inner->Name() + " past its frame");
        shown.push_back(inner);
      }
      const QFontMetrics fm(c->Widget()->font());
      if (fm.horizontalAdvance(Q(frame->Caption())) + 16 > ToPixels(frame->Width()))
        out.push_back(name + " caption cut");
    }
    if (const auto *label = dynamic_cast<const Label *>(c)) {
      const auto *q = static_cast<const QLabel *>(c->Widget());
      const QFontMetrics fm(q->font());
      int word = 0;
      for (const QString &part : q->text().split(' ', Qt::SkipEmptyParts))
        word = std::max(word, fm.horizontalAdvance(part));
      if (!q->text().isEmpty() && (q->heightForWidth(q->width()) > q->height() || word > q->width()))
        out.push_back(name + " cut '" + label->Caption() + "'");
    }
    if (const auto *button = dynamic_cast<const Button *>(c)) {
      const QFontMetrics fm(c->Widget()->font());
      if (fm.horizontalAdvance(Q(button->Caption())) + 6 > ToPixels(button->Width()))
        out.push_back(name + " caption cut");
    }
    if (dynamic_cast<const ReadOnlyTextBox *>(c) != nullptr &&
        static_cast<const QAbstractScrollArea *>(c->Widget())->verticalScrollBar()->isVisible())
      out.push_back(name + " text needs scrolling");
    if (auto *grid = dynamic_cast<Grid *>(const_cast<Control *>(c))) {
      for (const std::string &cell : CutCells(*grid))
        out.push_back(name + " " + cell);
      // Without a shown bar, every row and column with a text lies whole in the view.
      const auto *area = static_cast<const QAbstractScrollArea *>(grid->Widget());
      int lastRow = grid->KeptRows() < grid->Rows() ? grid->Rows() - 1 : -1, lastCol = -1, textRight = 0;
      for (int r = 0; r < grid->KeptRows(); ++r)
        for (int c = 0; c < grid->Cols(); ++c)
          if (!grid->TextMatrix(r, c).empty() && grid->ColWidthOf(c) > 0) {
            lastRow = std::max(lastRow, r);
            lastCol = std::max(lastCol, c);
            const QFontMetrics fm(MakeFont(static_cast<const GridStore &>(*grid).FontName, grid->FontSizeOf(r, c),
                                           grid->BoldOf(r, c)));
            const int text = ToTwips(fm.horizontalAdvance(Q(grid->TextMatrix(r, c))) + 5);
            textRight = std::max(textRight, grid->ColX(c) + std::min(grid->ColWidthOf(c), text));
          }
      if (lastRow >= 0 && !area->verticalScrollBar()->isVisible() &&
          ((lastRow >= grid->FixedRows && lastRow < grid->TopRow()) ||
           grid->RowY(lastRow) + grid->RowHeightOf(lastRow) > grid->ViewHeight() + 15))
        out.push_back(name + " rows out of reach");
      if (lastCol >= 0 && !area->horizontalScrollBar()->isVisible() && textRight > grid->ViewWidth())
        out.push_back(name + " columns out of reach");
      // Held headings head the columns and hide no row the view has room for.
      for (const std::string &fault : test::HeldHeadingFaults(*grid, newest))
        out.push_back(name + " " + fault);
      if (afterSteps && grid->TopRow() > std::min(grid->FixedRows, grid->Rows())) {
        if (grid->BlockOf) {
          // A heading row is marked by colour.
          const GridStore::RowBlock b = grid->BlockOf(grid->TopRow());
          for (int r = b.first; r < b.first + b.headings; ++r) {
            bool marked = false;
            for (int c = 0; c < grid->Cols(); ++c)
              marked = marked || grid->BackOf(r, c) != static_cast<const GridStore &>(*grid).BackColor;
            if (!marked) out.push_back(name + " row " + std::to_string(r) + " held as a heading");
          }
        } else if (grid->FixedRows == 0) {
          out.push_back(name + " headings scrolled away");
        }
      }
    }
  }
  // No shown control hides another of the screen.
  for (std::size_t i = 0; i < shown.size(); ++i)
    for (std::size_t k = 0; k < i; ++k) {
      const Control *a = shown[i], *b = shown[k];
      if (&a->Parent() != &b->Parent() || &a->Parent() != static_cast<const Container *>(&f)) continue;
      if (a->Left() + 15 < b->Left() + b->Width() && b->Left() + 15 < a->Left() + a->Width() &&
          a->Top() + 15 < b->Top() + b->Height() && b->Top() + 15 < a->Top() + a->Height())
        out.push_back(where + a->Name() + " over " + b->Name());
    }
  // Texts the screen draws below its title keep inside the frame and clear of the controls.
  const FrameInside in = ScreenFrameInside(w, h);
  for (const DrawOp &op : f.DrawnOps())
    if (framed && op.kind == DrawKind::Text && op.y1 >= in.top && !op.text.empty() &&
        (op.x1 < in.left || op.x2 > in.right || op.y2 > in.bottom))
      out.push_back(where + "drawn '" + op.text + "' past the frame");
  for (const Control *c : shown) {
    if (&c->Parent() != static_cast<const Container *>(&f)) continue;
    const double l = c->Left() + 15, t = c->Top() + 15, r = c->Left() + c->Width() - 15,
                 b = c->Top() + c->Height() - 15;
    for (const DrawOp &op : f.DrawnOps()) {
      if (op.kind == DrawKind::Text && !op.text.empty() && l < op.x2 && op.x1 < r && t < op.y2 && op.y1 < b)
        out.push_back(where + c->Name() + " over '" + op.text + "'");
      // A rule across the screen is not hidden under a control, nor does the top or bottom of a
      // drawn box (but the white frame's) run through a caption.
      const bool box = op.kind == DrawKind::Box && !(op.color == kWhite && op.width == 18) &&
                       dynamic_cast<const Label *>(c) != nullptr;
      if (op.kind == DrawKind::Line && op.y1 != op.y2 && !box) continue;
      for (double y : {op.y1, op.y2})
        if ((op.kind == DrawKind::Line || box) && y >= c->Top() && y < c->Top() + c->Height() - 7 &&
            std::min(op.x1, op.x2) < r && l < std::max(op.x1, op.x2)) {
          out.push_back(where + c->Name() + " over a rule at " + std::to_string(y));
          break;
        }
    }
  }
  return out;
}

} // namespace quon::testing
