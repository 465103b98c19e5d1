#include "platform/ui/grid.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <map>

#include "platform/screen.h"
#include "platform/ui/qt_support.h"

namespace quon {

QString FittedCellText(const QFontMetrics &metrics, const QString &text, int width, Qt::Alignment &align) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  align = (align & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
  return metrics.elidedText(text, Qt::ElideRight, width);
}

namespace {

// Pixels a cell's text keeps clear of its edges (the painter's inner rectangle) plus one.
constexpr int kTextPadding = 6;

// Collects, row by row, the width each column needs for its texts, then grows the columns.
// Most cells of a long grid are ruled out by their length before any text is measured.
class ColumnWidener {
public:
  explicit ColumnWidener(GridStore &g) : g_(g), need_(static_cast<std::size_t>(g.Cols()), 0) {
    for (int c = 0; c < g.Cols(); ++c)
      need_[static_cast<std::size_t>(c)] = ToPixels(g.ColWidthOf(c));
    merging_ = g.MergeCells != MergeMode::Never && g.MergeCells != MergeMode::RestrictColumns;
  }

  void Row(int r) {
    const int cols = g_.Cols();
    const bool mergedRow = merging_ && g_.MergeRow(r);
    for (int c = 0; c < cols; ++c) {
      std::string_view text = g_.TextView(r, c);
      if (text.empty() || g_.ColWidthOf(c) == 0) continue;
      if (mergedRow) {
        CellRange m = g_.MergedRange(r, c);
        if (m.col1 != m.col2) {
          if (c == m.col1) spans_.push_back({m.col1, m.col2, Measure(r, c, text)});
          c = m.col2;
          continue;
        }
      }
      int &need = need_[static_cast<std::size_t>(c)];
      const Metrics &fm = MetricsOf(r, c);
      if (static_cast<int>(text.size()) * fm.widestChar + kTextPadding <= need) continue;
      need = std::max(need, Measure(fm, text));
    }
  }

  // True when a column grew.
  bool Apply() {
    bool grew = false;
    for (int c = 0; c < g_.Cols(); ++c) {
      const int want = need_[static_cast<std::size_t>(c)];
      if (g_.ColWidthOf(c) > 0 && want > ToPixels(g_.ColWidthOf(c))) {
        g_.SetColWidth(c, ToTwips(want));
        grew = true;
      }
    }
    // A merged text shares its extra width among the shown columns it spans.
    for (const Span &sp : spans_) {
      int have = 0, shown = 0;
      for (int c = sp.col1; c <= sp.col2; ++c) {
        have += ToPixels(g_.ColWidthOf(c));
        shown += g_.ColWidthOf(c) > 0 ? 1 : 0;
      }
      if (sp.need <= have || shown == 0) continue;
      int extra = sp.need - have;
      for (int c = sp.col1; c <= sp.col2 && extra > 0; ++c) {
        if (g_.ColWidthOf(c) == 0) continue;
        const int add = (extra + shown - 1) / shown;
        g_.SetColWidth(c, g_.ColWidthOf(c) + ToTwips(add));
        extra -= add;
        --shown;
      }
      grew = true;
    }
    return grew;
  }

private:
  struct Metrics {
    QFontMetrics metrics;
    int widestChar = 0;
  };
  struct Span {
    int col1, col2, need;
  };

  const Metrics &MetricsOf(int r, int c) {
    const auto key = std::make_pair(static_cast<int>(g_.FontSizeOf(r, c) * 100), g_.BoldOf(r, c));
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
      QFontMetrics fm(MakeFont(g_.FontName, g_.FontSizeOf(r, c), g_.BoldOf(r, c)));
      int widest = 0;
      for (char ch = ' '; ch < 127; ++ch)
        widest = std::max(widest, fm.horizontalAdvance(QLatin1Char(ch)));
      it = fonts_.emplace(key, Metrics{fm, widest}).first;
    }
    return it->second;
  }
  static int Measure(const Metrics &fm, std::string_view text) {
    return fm.metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) +
           kTextPadding;
  }
  int Measure(int r, int c, std::string_view text) { return Measure(MetricsOf(r, c), text); }

  GridStore &g_;
  std::vector<int> need_; // pixels
  std::vector<Span> spans_;
  bool merging_ = false;
  std::map<std::pair<int, bool>, Metrics> fonts_;
};

} // namespace

class GridWidget : public QAbstractScrollArea {
public:
  explicit GridWidget(QWidget *parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
      if (grid && !syncing_) grid->SetTopRow(v);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
      if (grid && !syncing_) grid->SetLeftCol(v);
    });
  }

  Grid *grid = nullptr;

  void SyncBars() {
    if (!grid) return;
    syncing_ = true;
    auto mode = grid->ScrollBars;
    bool h = mode == ScrollBarsMode::Horizontal || mode == ScrollBarsMode::Both;
    bool v = mode == ScrollBarsMode::Vertical || mode == ScrollBarsMode::Both;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    grid->SetViewSize(ToTwips(viewport()->width()), ToTwips(viewport()->height()));
    int firstRow = std::min(grid->FixedRows, grid->Rows()),
        firstCol = std::min(grid->FixedCols, grid->Cols());
    verticalScrollBar()->setRange(firstRow, std::max(firstRow, grid->MaxTopRow()));
    verticalScrollBar()->setPageStep(std::max(1, grid->MaxTopRow() > firstRow ? 10 : 1));
    verticalScrollBar()->setValue(grid->TopRow());
    horizontalScrollBar()->setRange(firstCol, std::max(firstCol, grid->MaxLeftCol()));
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(grid->LeftCol());
    syncing_ = false;
    // Scroll bars appearing shrink the view; measure again.
    grid->SetViewSize(ToTwips(viewport()->width()), ToTwips(viewport()->height()));
  }

protected:
  void resizeEvent(QResizeEvent *e) override {
    QAbstractScrollArea::resizeEvent(e);
    // Showing or hiding a scroll bar resizes the view again from inside SyncBars; on a grid
    // small enough for a bar to flip that on and off, answering each of those would never end.
    if (resizing_) return;
    resizing_ = true;
    SyncBars();
    resizing_ = false;
  }

  void paintEvent(QPaintEvent *) override {
    if (!grid) return;
    QPainter p(viewport());
    const GridStore &g = *grid;
    QRect area = viewport()->rect();
    p.fillRect(area, ToQColor(g.BackColorBkg));
    int rows = g.Rows(), cols = g.Cols();
    if (rows == 0 || cols == 0) return;
    int fixedR = std::min(g.FixedRows, rows), fixedC = std::min(g.FixedCols, cols);
    int fixedH = 0, fixedW = 0;
    for (int r = 0; r < fixedR; ++r)
      fixedH += ToPixels(g.RowHeightOf(r));
    for (int c = 0; c < fixedC; ++c)
      fixedW += ToPixels(g.ColWidthOf(c));

    std::vector<int> visRows, visCols;
    for (int r = 0; r < fixedR; ++r)
      visRows.push_back(r);
    // A block's headings held under the fixed rows while its rows scroll.
    const GridStore::RowBlock pinned = g.PinnedRows();
    int pinnedH = 0;
    for (int r = pinned.first; r < pinned.first + pinned.headings; ++r) {
      visRows.push_back(r);
      pinnedH += ToPixels(g.RowHeightOf(r));
    }
    for (int r = g.TopRow(), y = fixedH + pinnedH; r < rows && y < area.height(); ++r) {
      visRows.push_back(r);
      y += ToPixels(g.RowHeightOf(r));
    }
    // Rows a cell source makes are measured as they come into view, before any is drawn.
    if (grid->WidenToText && grid->HasCellSource()) {
      const bool allShown = grid->ColumnsWidth() <= grid->Width();
      ColumnWidener widen(*grid);
      for (int r : visRows)
        widen.Row(r);
      // The control itself grows at the next update, outside painting.
      if (widen.Apply() && allShown) grid->growPending_ = true;
      fixedW = 0;
      for (int c = 0; c < fixedC; ++c)
        fixedW += ToPixels(g.ColWidthOf(c));
    }
    for (int c = 0; c < fixedC; ++c)
      visCols.push_back(c);
    for (int c = g.LeftCol(), x = fixedW; c < cols && x < area.width(); ++c) {
      visCols.push_back(c);
      x += ToPixels(g.ColWidthOf(c));
    }
    CellRange sel = g.Selection();
    bool multi = sel.row1 != sel.row2 || sel.col1 != sel.col2;
    bool merging = g.MergeCells != MergeMode::Never;
    std::map<std::pair<int, bool>, QFont> fonts;
    auto fontFor = [&](double size, bool bold) -> const QFont & {
      auto keyOf = std::make_pair(static_cast<int>(size * 100), bold);
      auto it = fonts.find(keyOf);
      if (it == fonts.end()) it = fonts.emplace(keyOf, MakeFont(g.FontName, size, bold)).first;
      return it->second;
    };

    for (int r : visRows) {
      for (int c : visCols) {
        CellRange m{r, c, r, c};
        if (merging && (g.MergeRow(r) || g.MergeCol(c))) {
          m = g.MergedRange(r, c);
          const bool held = r >= pinned.first && r < pinned.first + pinned.headings;
          int firstR = r < fixedR ? 0 : held ? r : g.TopRow(), firstC = c < fixedC ? 0 : g.LeftCol();
          if (r != std::max(m.row1, firstR) || c != std::max(m.col1, firstC)) continue;
        }
        QRect cell(ToPixels(g.ColX(m.col1)), ToPixels(g.RowY(m.row1)), 0, 0);
        int right = ToPixels(g.ColX(m.col2) + g.ColWidthOf(m.col2));
        int bottom = ToPixels(g.RowY(m.row2) + g.RowHeightOf(m.row2));
        cell.setRight(right - 1);
        cell.setBottom(bottom - 1);
        // Scrolling cells never paint over the fixed ones.
        QRect clip = area;
        if (r >= fixedR) clip.setTop(r >= pinned.first && r < pinned.first + pinned.headings ? fixedH : fixedH + pinnedH);
        if (c >= fixedC) clip.setLeft(fixedW);
        p.setClipRect(clip);
        bool fixed = g.IsFixed(r, c);
        bool selected = multi && !fixed && r >= sel.row1 && r <= sel.row2 && c >= sel.col1 && c <= sel.col2 &&
                        !(r == g.Row() && c == g.Col());
        QColor back = selected ? palette().color(QPalette::Highlight) : ToQColor(g.BackOf(r, c));
        QColor fore = selected ? palette().color(QPalette::HighlightedText) : ToQColor(g.ForeOf(r, c));
        p.fillRect(cell, back);
        if (g.GridLines != 0) {
          p.setPen(ToQColor(fixed ? g.GridColorFixed : g.GridColor));
          p.drawLine(cell.topRight(), cell.bottomRight());
          p.drawLine(cell.bottomLeft(), cell.bottomRight());
        }
        std::string_view text = g.TextView(r, c);
        if (!text.empty()) {
          p.setFont(fontFor(g.FontSizeOf(r, c), g.BoldOf(r, c)));
          p.setPen(fore);
          int align = g.AlignOf(r, c);
          Qt::Alignment a = Qt::AlignVCenter | (align == kAlignCenter  ? Qt::AlignHCenter
                                                : align == kAlignRight ? Qt::AlignRight
                                                                       : Qt::AlignLeft);
          QRect inner = cell.adjusted(2, 0, -3, -1);
          p.setClipRect(clip.intersected(cell));
          const QString shown = FittedCellText(
              p.fontMetrics(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
              inner.width(), a);
          p.drawText(inner, static_cast<int>(a), shown);
        }
        if (hasFocus() && r == g.Row() && c == g.Col()) {
          // Black and white dots, the solid one the colour that stands out from the cell's
          // own: the cell's text colour can be as light as its back (white on bright green).
          p.setClipRect(clip);
          const bool light = 299 * back.red() + 587 * back.green() + 114 * back.blue() >= 128000;
          const QRect ring = cell.adjusted(1, 1, -2, -2);
          p.setPen(QPen(light ? Qt::black : Qt::white, 1, Qt::SolidLine));
          p.drawRect(ring);
          p.setPen(QPen(light ? Qt::white : Qt::black, 1, Qt::DotLine));
          p.drawRect(ring);
        }
      }
    }
  }

  void mousePressEvent(QMouseEvent *e) override {
    setFocus();
    if (!grid || e->button() != Qt::LeftButton) return;
    int row = grid->RowAt(ToTwips(static_cast<int>(e->position().y())));
    int col = grid->ColAt(ToTwips(static_cast<int>(e->position().x())));
    pressed_ = row >= 0 && col >= 0;
    if (pressed_) grid->PressCell(row, col);
  }

  void mouseMoveEvent(QMouseEvent *e) override {
    if (!grid || !pressed_ || !(e->buttons() & Qt::LeftButton)) return;
    int row = grid->RowAt(ToTwips(static_cast<int>(e->position().y())));
    int col = grid->ColAt(ToTwips(static_cast<int>(e->position().x())));
    if (row >= 0 && col >= 0) grid->DragTo(row, col);
  }

  void mouseReleaseEvent(QMouseEvent *e) override {
    if (!grid || e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (grid->Click) grid->Click();
  }

  void mouseDoubleClickEvent(QMouseEvent *e) override {
    if (!grid || e->button() != Qt::LeftButton) return;
    int row = grid->RowAt(ToTwips(static_cast<int>(e->position().y())));
    int col = grid->ColAt(ToTwips(static_cast<int>(e->position().x())));
    if (row < 0 || col < 0) return;
    grid->MouseRow = row;
    grid->MouseCol = col;
    if (grid->DblClick) grid->DblClick();
  }

  void wheelEvent(QWheelEvent *e) override {
    if (!grid) return;
    int steps = e->angleDelta().y() / 120;
    if (steps != 0) grid->SetTopRow(grid->TopRow() - 3 * steps);
  }

  void focusInEvent(QFocusEvent *e) override {
    QAbstractScrollArea::focusInEvent(e);
    // The focus is drawn on the current cell: one out of view becomes the first cell in view,
    // without scrolling the grid away from its names.
    if (grid && grid->Rows() > 0 && grid->Cols() > 0 && !CurrentCellInView()) {
      grid->SetRow(std::min(grid->TopRow(), grid->Rows() - 1));
      grid->SetCol(std::min(grid->LeftCol(), grid->Cols() - 1));
    }
    viewport()->update();
  }
  void focusOutEvent(QFocusEvent *e) override {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
  }

  void keyPressEvent(QKeyEvent *e) override {
    if (!grid || TryFormShortcut(this, *e)) return;
    int r = grid->Row(), c = grid->Col();
    // Space or Return clicks the current cell, as the mouse would.
    if ((e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      if (r < 0 || c < 0 || r >= grid->Rows() || c >= grid->Cols()) return;
      grid->PressCell(r, c);
      if (grid->Click) grid->Click();
      return;
    }
    switch (e->key()) {
    case Qt::Key_Up:
      r = std::max(grid->FixedRows, r - 1);
      break;
    case Qt::Key_Down:
      r = std::min(grid->Rows() - 1, r + 1);
      break;
    case Qt::Key_Left:
      c = std::max(grid->FixedCols, c - 1);
      break;
    case Qt::Key_Right:
      c = std::min(grid->Cols() - 1, c + 1);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(e);
      return;
    }
    if (r < 0 || c < 0) return;
    grid->SetRow(r);
    grid->SetCol(c);
    grid->ShowCell(r, c);
  }

private:
  bool CurrentCellInView() const {
    const GridStore &g = *grid;
    const int r = g.Row(), c = g.Col();
    if (r < 0 || c < 0 || r >= g.Rows() || c >= g.Cols()) return false;
    const QRect view = viewport()->rect();
    const bool rowIn = r < g.FixedRows || (r >= g.TopRow() && ToPixels(g.RowY(r) + g.RowHeightOf(r)) <= view.height());
    const bool colIn = c < g.FixedCols || (c >= g.LeftCol() && ToPixels(g.ColX(c) + g.ColWidthOf(c)) <= view.width());
    return rowIn && colIn && g.RowHeightOf(r) > 0 && g.ColWidthOf(c) > 0;
  }

  bool syncing_ = false;
  bool resizing_ = false;
  bool pressed_ = false;
};

Grid::Grid(Container &parent, std::string name) : Control(parent, std::move(name)) {
  width_ = 2 * kDefaultColWidth + 30;
  height_ = 2 * 255 + 30;
  auto *w = new GridWidget(parent.ClientWidget());
  w->grid = this;
  Attach(w);
  GridStore::OnChange = [this](bool structural) { ScheduleUpdate(structural); };
  GridStore::OnScroll = [this] {
    ScheduleUpdate(true);
    if (Scroll) Scroll();
  };
  Reset(2, 2);
}

Grid::~Grid() {
  GridStore::OnChange = nullptr;
  GridStore::OnScroll = nullptr;
  static_cast<GridWidget *>(widget_)->grid = nullptr;
}

void Grid::SetFontName(const std::string &name) {
  Control::SetFontName(name);
  GridStore::FontName = name;
  ScheduleUpdate(true);
}
void Grid::SetFontSize(double points) {
  Control::SetFontSize(points);
  GridStore::FontSize = points;
  ScheduleUpdate(true);
}
void Grid::SetFontBold(bool on) {
  Control::SetFontBold(on);
  GridStore::FontBold = on;
  ScheduleUpdate(true);
}
void Grid::SetBackColor(Rgb c) {
  GridStore::BackColor = c;
  ScheduleUpdate(false);
}
void Grid::SetForeColor(Rgb c) {
  GridStore::ForeColor = c;
  ScheduleUpdate(false);
}

void Grid::ScheduleUpdate(bool structural) {
  structuralPending_ = structuralPending_ || structural;
  if (updatePending_ || !widget_) return;
  updatePending_ = true;
  QTimer::singleShot(0, widget_, [this] {
    updatePending_ = false;
    auto *w = static_cast<GridWidget *>(widget_);
    if (WidenToText) WidenColumnsToText();
    if (structuralPending_) {
      structuralPending_ = false;
      w->SyncBars();
    }
    w->viewport()->update();
  });
}

int Grid::ScrollBarTwips() const {
  return ToTwips(widget_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget_));
}

int Grid::ColumnRoom() const {
  // From the control's own size: the view's is not kept up to date while the grid is hidden.
  int bar = 0;
  if (ScrollBars == ScrollBarsMode::Vertical || ScrollBars == ScrollBarsMode::Both) {
    int rows = 0;
    for (int r = 0; r < Rows() && rows <= Height(); ++r)
      rows += RowHeightOf(r);
    if (rows > Height() - 2 * BorderTwips)
      bar = ToTwips(widget_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  }
  return Width() - 2 * BorderTwips - bar;
}

int Grid::ColumnsWidth() const {
  int sum = 0;
  for (int c = 0; c < Cols(); ++c)
    sum += ColWidthOf(c);
  return sum;
}

void Grid::WidenColumnsToText() {
  const bool grewInView = growPending_;
  growPending_ = false;
  // Laid out to show all its columns (give or take its border).
  const bool allShown = grewInView || ColumnsWidth() <= Width();
  ColumnWidener widen(*this);
  for (int r = 0, kept = KeptRows(); r < kept; ++r)
    widen.Row(r);
  const bool grew = widen.Apply();
  if (!(grew || grewInView) || !widget_) return;
  // A grid that showed all its columns keeps showing them: it grows about its centre, as far
  // as its container has room beside a margin of a twentieth each side, and never over a shown
  // control beside it (one whose height it shares), keeping a few pixels clear of it. Where such
  // a control leaves too little room and stands in the grid's upper half, the grid's top moves
  // down below it to take the width under it.
  const int after = ColumnsWidth();
  if (after <= ColumnRoom()) return;
  const int outer = ToTwips(parent_.ClientWidget()->width()), margin = outer / 20;
  constexpr int kClear = 4 * kTwipsPerPixel;
  int lo = margin, hi = outer - margin, below = 0;
  auto room = [&] {
    lo = margin;
    hi = outer - margin;
    below = 0;
    for (const Control *c : parent_.Children()) {
      if (c == this || !c->Visible() || c->Top() >= Top() + Height() || Top() >= c->Top() + c->Height()) continue;
      const int right = c->Left() + c->Width();
      if (right <= Left() && right + kClear > lo) lo = right + kClear;
      else if (c->Left() >= Left() + Width() && c->Left() - kClear < hi) hi = c->Left() - kClear;
      else continue;
      below = std::max(below, c->Top() + c->Height() + kClear);
    }
    lo = std::min(lo, Left());
    hi = std::max(hi, Left() + Width());
  };
  room();
  int wanted = Width() + after - ColumnRoom() + kTwipsPerPixel;
  if (allShown && wanted > hi - lo && hi - lo < outer - 2 * margin && below > Top() &&
      below - Top() <= Height() / 2) {
    Move(Left(), below, Width(), Height() - (below - Top()));
    room();
    // A lower grid may need a scroll bar beside its rows.
    wanted = Width() + after - ColumnRoom() + kTwipsPerPixel;
  }
  const int width = std::min(hi - lo, wanted);
  if (allShown && width > Width()) {
    const int left = std::clamp(Left() - (width - Width()) / 2, lo, std::max(lo, hi - width));
    Move(left, Top(), width, Height());
  }
  // Columns still wider than the grid can at least be scrolled to.
  if (ColumnsWidth() > ColumnRoom() && ScrollBars != ScrollBarsMode::Both &&
      ScrollBars != ScrollBarsMode::Horizontal) {
    ScrollBars = ScrollBars == ScrollBarsMode::Vertical ? ScrollBarsMode::Both : ScrollBarsMode::Horizontal;
    static_cast<GridWidget *>(widget_)->SyncBars();
  }
}

void Grid::Resized() {
  if (widget_) static_cast<GridWidget *>(widget_)->SyncBars();
}

void Grid::PressCell(int row, int col) {
  MouseRow = row;
  MouseCol = col;
  int rows = Rows(), cols = Cols();
  bool fixedRow = row < FixedRows, fixedCol = col < FixedCols;
  if (fixedRow && fixedCol) {
    // The corner selects every scrollable cell.
    if (rows > FixedRows && cols > FixedCols) {
      SetRow(FixedRows);
      SetCol(FixedCols);
      SetRowSel(rows - 1);
      SetColSel(cols - 1);
    }
  } else if (fixedRow) {
    if (rows > FixedRows) {
      SetRow(FixedRows);
      SetCol(col);
      SetRowSel(rows - 1);
    }
  } else if (fixedCol) {
    if (cols > FixedCols) {
      SetCol(FixedCols);
      SetRow(row);
      SetColSel(cols - 1);
    }
  } else {
    SetRow(row);
    SetCol(col);
  }
}

void Grid::DragTo(int row, int col) {
  if (row >= FixedRows && col >= FixedCols) {
    SetRowSel(row);
    SetColSel(col);
  }
}

void Grid::PerformClick(int row, int col) {
  if (!enabled_) return;
  HandlerScope handling;
  PressCell(row, col);
  if (Click) Click();
}

void Grid::PerformDblClick(int row, int col) {
  if (!enabled_) return;
  HandlerScope handling;
  PerformClick(row, col);
  MouseRow = row;
  MouseCol = col;
  if (DblClick) DblClick();
}

} // namespace quon
