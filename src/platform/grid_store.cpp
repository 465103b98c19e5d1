#include "platform/grid_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/bounded_array.h"
#include "platform/screen.h"
#include "platform/values.h"

namespace quon {

namespace {
template <class T> void Reshape(std::vector<T> &v, int oldRows, int oldCols, int rows, int cols) {
  if (oldCols == cols) {
    v.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    return;
  }
  std::vector<T> fresh(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (int r = 0; r < std::min(rows, oldRows); ++r)
    for (int c = 0; c < std::min(cols, oldCols); ++c)
      fresh[static_cast<std::size_t>(r) * cols + c] = std::move(v[static_cast<std::size_t>(r) * oldCols + c]);
  v = std::move(fresh);
}

// Sizes are shown in whole pixels; geometry in twips follows the pixels shown.
int Snap(int twips) {
  return ToPixels(twips) * kTwipsPerPixel;
}
} // namespace

void GridStore::SetRows(int rows) {
  if (rows < 0) throw IndexFault("grid row count " + std::to_string(rows));
  const int stored = StoredRows();
  const int storedAfter = source_.make ? std::min(rows, std::max(0, source_.firstRow)) : rows;
  Reshape(text_, stored, cols_, storedAfter, cols_);
  if (rows < rows_) std::erase_if(written_, [&](const auto &e) { return e.first / std::max(1, cols_) >= static_cast<std::size_t>(rows); });
  ReshapeAttr(rows, cols_);
  RowHeight.resize(static_cast<std::size_t>(rows), -1);
  mergeRow_.resize(static_cast<std::size_t>(rows), 0);
  rows_ = rows;
  if (rows == 0) BlockOf = nullptr;
  Clamp();
  Changed(true);
}

void GridStore::SetCols(int cols) {
  if (cols < 0) throw IndexFault("grid column count " + std::to_string(cols));
  const int stored = StoredRows();
  Reshape(text_, stored, cols_, stored, cols);
  if (cols != cols_) {
    // Sourced texts set by hand keep their cells; made blocks are made again at the new width.
    std::unordered_map<std::size_t, CellText> fresh;
    for (auto &[key, t] : written_) {
      const std::size_t r = key / static_cast<std::size_t>(cols_), c = key % static_cast<std::size_t>(cols_);
      if (c < static_cast<std::size_t>(cols)) fresh.emplace(r * static_cast<std::size_t>(cols) + c, std::move(t));
    }
    written_ = std::move(fresh);
    made_.clear();
  }
  ReshapeAttr(rows_, cols);
  ColWidth.resize(static_cast<std::size_t>(cols), -1);
  ColAlignment.resize(static_cast<std::size_t>(cols), 0);
  mergeCol_.resize(static_cast<std::size_t>(cols), 0);
  cols_ = cols;
  Clamp();
  Changed(true);
}

void GridStore::Reset(int rows, int cols) {
  auto onChange = std::move(OnChange);
  auto onScroll = std::move(OnScroll);
  int border = BorderTwips, vw = viewWidth_, vh = viewHeight_;
  *this = GridStore{};
  OnChange = std::move(onChange);
  OnScroll = std::move(onScroll);
  BorderTwips = border;
  viewWidth_ = vw;
  viewHeight_ = vh;
  SetCols(cols);
  SetRows(rows);
  row_ = rowSel_ = std::min(FixedRows, std::max(0, rows_ - 1));
  col_ = colSel_ = std::min(FixedCols, std::max(0, cols_ - 1));
  rowsScrolled_ = colsScrolled_ = 0;
  Changed(true);
}

void GridStore::Clamp() {
  auto clamp = [](int v, int hi) { return std::max(0, std::min(v, hi - 1)); };
  row_ = clamp(row_, rows_);
  rowSel_ = clamp(rowSel_, rows_);
  col_ = clamp(col_, cols_);
  colSel_ = clamp(colSel_, cols_);
  rowsScrolled_ = std::max(0, std::min(TopRow(), MaxTopRow()) - std::min(FixedRows, rows_));
  colsScrolled_ = std::max(0, std::min(LeftCol(), MaxLeftCol()) - std::min(FixedCols, cols_));
}

void GridStore::CheckCell(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
    throw IndexFault("grid cell (" + std::to_string(row) + ", " + std::to_string(col) + ") outside " +
                     std::to_string(rows_) + " x " + std::to_string(cols_));
}

std::string_view GridStore::CellText::View() const {
  if (b_[15] != kHeap) return {reinterpret_cast<const char *>(b_), b_[15]};
  const char *p;
  std::uint32_t n;
  std::memcpy(&p, b_, sizeof p);
  std::memcpy(&n, b_ + 8, sizeof n);
  return {p, n};
}

void GridStore::CellText::Free() {
  if (b_[15] != kHeap) return;
  char *p;
  std::memcpy(&p, b_, sizeof p);
  delete[] p;
  b_[15] = 0;
}

void GridStore::CellText::Assign(std::string_view s) {
  // s may point into this cell's own text: copy before freeing.
  if (s.size() < 16) {
    unsigned char copy[15];
    std::memcpy(copy, s.data(), s.size());
    Free();
    std::memcpy(b_, copy, s.size());
    b_[15] = static_cast<unsigned char>(s.size());
    return;
  }
  char *p = new char[s.size()];
  std::memcpy(p, s.data(), s.size());
  Free();
  auto n = static_cast<std::uint32_t>(s.size());
  std::memcpy(b_, &p, sizeof p);
  std::memcpy(b_ + 8, &n, sizeof n);
  b_[15] = kHeap;
}

std::string_view GridStore::TextView(int row, int col) const {
  CheckCell(row, col);
  const std::size_t key = static_cast<std::size_t>(row) * cols_ + col;
  if (Sourced(row)) {
    auto it = written_.find(key);
    return it != written_.end() ? it->second.View() : std::string_view(Made(row, col).text);
  }
  return text_[key].View();
}

void GridStore::SetTextMatrix(int row, int col, std::string_view text) {
  CheckCell(row, col);
  const std::size_t key = static_cast<std::size_t>(row) * cols_ + col;
  if (Sourced(row))
    written_[key].Assign(text);
  else
    text_[key].Assign(text);
  Changed(false);
}

CellAttr &GridStore::Attr(int row, int col) {
  CheckCell(row, col);
  Changed(false);
  const std::size_t key = static_cast<std::size_t>(row) * cols_ + col;
  // A sourced cell's own look starts from the look it was made with.
  if (Sourced(row) && !attr_.contains(key)) return attr_.emplace(key, Made(row, col).attr).first->second;
  return attr_[key];
}

const CellAttr &GridStore::Attr(int row, int col) const {
  CheckCell(row, col);
  static const CellAttr plain;
  auto it = attr_.find(static_cast<std::size_t>(row) * cols_ + col);
  if (it != attr_.end()) return it->second;
  return Sourced(row) ? Made(row, col).attr : plain;
}

const SourcedCell &GridStore::Made(int row, int col) const {
  const int rel = row - source_.firstRow;
  const int blockRows = std::max(1, source_.blockRows);
  const int block = rel / blockRows;
  const std::size_t at = static_cast<std::size_t>(rel % blockRows) * cols_ + col;
  for (std::size_t i = 0; i < made_.size(); ++i) {
    if (made_[i].first != block) continue;
    // Moving a block's vector keeps its cells where they are, so views of them stay valid.
    std::rotate(made_.begin(), made_.begin() + static_cast<std::ptrdiff_t>(i), made_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    return made_.front().second[at];
  }
  constexpr std::size_t kKept = 4;
  if (made_.size() >= kKept) made_.pop_back();
  std::vector<SourcedCell> cells(static_cast<std::size_t>(blockRows) * cols_);
  source_.make(block, cells);
  cells.resize(static_cast<std::size_t>(blockRows) * cols_);
  made_.insert(made_.begin(), {block, std::move(cells)});
  return made_.front().second[at];
}

void GridStore::SetCellSource(CellSource source) {
  // The rows a source served are cut with it: kept as texts they could take gigabytes.
  if (source_.make && !source.make && rows_ > StoredRows()) SetRows(StoredRows());
  const int stored = StoredRows();
  source_ = std::move(source);
  written_.clear();
  made_.clear();
  const int storedAfter = StoredRows();
  if (storedAfter != stored) Reshape(text_, stored, cols_, storedAfter, cols_);
  Changed(true);
}

void GridStore::ForgetSourcedBlocks() {
  made_.clear();
  Changed(false);
}

void GridStore::ReshapeAttr(int rows, int cols) {
  if (attr_.empty() || (cols == cols_ && rows >= rows_)) return;
  std::unordered_map<std::size_t, CellAttr> fresh;
  for (auto &[key, a] : attr_) {
    int r = static_cast<int>(key / static_cast<std::size_t>(cols_)), c = static_cast<int>(key % cols_);
    if (r < rows && c < cols) fresh.emplace(static_cast<std::size_t>(r) * cols + c, a);
  }
  attr_ = std::move(fresh);
}

std::string GridStore::ClipOf(int row1, int col1, int row2, int col2) const {
  if (row1 > row2) std::swap(row1, row2);
  if (col1 > col2) std::swap(col1, col2);
  std::string out;
  for (int r = row1; r <= row2; ++r) {
    if (r > row1) out += '\r';
    for (int c = col1; c <= col2; ++c) {
      if (c > col1) out += '\t';
      out += TextMatrix(r, c);
    }
  }
  return out;
}

void GridStore::PasteClip(int row, int col, const std::string &clip) {
  int r = row, c = col;
  std::string cell;
  auto put = [&] {
    if (r >= 0 && r < rows_ && c >= 0 && c < cols_) SetTextMatrix(r, c, cell);
    cell.clear();
  };
  for (std::size_t i = 0; i < clip.size(); ++i) {
    char ch = clip[i];
    if (ch == '\t') {
      put();
      ++c;
    } else if (ch == '\r' || ch == '\n') {
      put();
      if (ch == '\r' && i + 1 < clip.size() && clip[i + 1] == '\n') ++i;
      ++r;
      c = col;
    } else {
      cell += ch;
    }
  }
  put();
}

void GridStore::SetRow(int row) {
  CheckCell(row, col_);
  row_ = rowSel_ = row;
  colSel_ = col_;
  Changed(false);
}

void GridStore::SetCol(int col) {
  CheckCell(row_, col);
  col_ = colSel_ = col;
  rowSel_ = row_;
  Changed(false);
}

void GridStore::SetRowSel(int row) {
  CheckCell(row, col_);
  rowSel_ = row;
  Changed(false);
}

void GridStore::SetColSel(int col) {
  CheckCell(row_, col);
  colSel_ = col;
  Changed(false);
}

CellRange GridStore::Selection() const {
  return {std::min(row_, rowSel_), std::min(col_, colSel_), std::max(row_, rowSel_), std::max(col_, colSel_)};
}

std::string GridStore::Clip() const {
  CellRange s = Selection();
  return ClipOf(s.row1, s.col1, s.row2, s.col2);
}

void GridStore::SetClip(const std::string &clip) {
  CellRange s = Selection();
  int r = s.row1, c = s.col1;
  std::string cell;
  auto put = [&] {
    if (r <= s.row2 && c <= s.col2) SetTextMatrix(r, c, cell);
    cell.clear();
  };
  for (std::size_t i = 0; i < clip.size(); ++i) {
    char ch = clip[i];
    if (ch == '\t') {
      put();
      ++c;
    } else if (ch == '\r') {
      put();
      if (i + 1 < clip.size() && clip[i + 1] == '\n') ++i;
      ++r;
      c = s.col1;
    } else {
      cell += ch;
    }
  }
  if (!clip.empty()) put();
}

std::vector<std::vector<std::string>> GridStore::ClipCells() const {
  const CellRange s = Selection();
  std::vector<std::vector<std::string>> cells;
  cells.reserve(static_cast<std::size_t>(s.row2 - s.row1 + 1));
  for (int r = s.row1; r <= s.row2; ++r) {
    auto &row = cells.emplace_back();
    row.reserve(static_cast<std::size_t>(s.col2 - s.col1 + 1));
    for (int c = s.col1; c <= s.col2; ++c)
      row.emplace_back(TextView(r, c));
  }
  return cells;
}

void GridStore::SetClipCells(const std::vector<std::vector<std::string>> &cells) {
  const CellRange s = Selection();
  for (int r = s.row1; r <= s.row2 && r - s.row1 < static_cast<int>(cells.size()); ++r) {
    const auto &row = cells[static_cast<std::size_t>(r - s.row1)];
    for (int c = s.col1; c <= s.col2 && c - s.col1 < static_cast<int>(row.size()); ++c)
      SetTextMatrix(r, c, row[static_cast<std::size_t>(c - s.col1)]);
  }
}

Rgb GridStore::CellBackColor() const {
  return BackOf(row_, col_);
}
void GridStore::SetCellBackColor(Rgb c) {
  CellAttr &a = Attr(row_, col_);
  a.back = c;
  a.hasBack = true;
}
Rgb GridStore::CellForeColor() const {
  return ForeOf(row_, col_);
}
void GridStore::SetCellForeColor(Rgb c) {
  CellAttr &a = Attr(row_, col_);
  a.fore = c;
  a.hasFore = true;
}
int GridStore::CellAlignment() const {
  return AlignOf(row_, col_);
}
void GridStore::SetCellAlignment(int align) {
  Attr(row_, col_).align = static_cast<std::int8_t>(align);
}
double GridStore::CellFontSize() const {
  return FontSizeOf(row_, col_);
}
void GridStore::SetCellFontSize(double points) {
  Attr(row_, col_).fontSize = static_cast<float>(points);
}
bool GridStore::CellFontBold() const {
  return BoldOf(row_, col_);
}
void GridStore::SetCellFontBold(bool on) {
  CellAttr &a = Attr(row_, col_);
  a.bold = on;
  a.hasBold = true;
}

Rgb GridStore::BackOf(int row, int col) const {
  const CellAttr &a = Attr(row, col);
  if (a.hasBack) return a.back;
  return IsFixed(row, col) ? BackColorFixed : BackColor;
}
Rgb GridStore::ForeOf(int row, int col) const {
  const CellAttr &a = Attr(row, col);
  if (a.hasFore) return a.fore;
  return IsFixed(row, col) ? ForeColorFixed : ForeColor;
}
int GridStore::AlignOf(int row, int col) const {
  const CellAttr &a = Attr(row, col);
  int align = a.align != 0 ? a.align : ColAlignment[static_cast<std::size_t>(col)];
  if (align == kAlignLeft || align == kAlignCenter || align == kAlignRight) return align;
  // General (and the other vertical variants): numbers to the right, text to the left; the
  // top and bottom variants keep their horizontal part.
  if (align == 0 || align == kAlignGeneral) {
    // A number with "." is one in every locale (the C library's reading follows the locale's
    // decimal sign), and "infinity" counts as one as before.
    const std::string t = TextMatrix(row, col);
    char *end = nullptr;
    std::strtod(t.c_str(), &end);
    const bool number = IsNumber(t) || (!t.empty() && end && *end == '\0');
    return number ? kAlignRight : kAlignLeft;
  }
  int horizontal = align / 3; // 0..2 left, 3..5 centre, 6..8 right
  return horizontal == 0 ? kAlignLeft : horizontal == 1 ? kAlignCenter : kAlignRight;
}
double GridStore::FontSizeOf(int row, int col) const {
  const CellAttr &a = Attr(row, col);
  return a.fontSize > 0 ? a.fontSize : FontSize;
}
bool GridStore::BoldOf(int row, int col) const {
  const CellAttr &a = Attr(row, col);
  return a.hasBold ? a.bold : FontBold;
}

bool GridStore::MergeRow(int row) const {
  if (row < 0 || row >= rows_) throw IndexFault("merge row " + std::to_string(row));
  return mergeRow_[static_cast<std::size_t>(row)] != 0;
}
void GridStore::SetMergeRow(int row, bool on) {
  if (row < 0 || row >= rows_) throw IndexFault("merge row " + std::to_string(row));
  mergeRow_[static_cast<std::size_t>(row)] = on;
  Changed(false);
}
bool GridStore::MergeCol(int col) const {
  if (col < 0 || col >= cols_) throw IndexFault("merge column " + std::to_string(col));
  return mergeCol_[static_cast<std::size_t>(col)] != 0;
}
void GridStore::SetMergeCol(int col, bool on) {
  if (col < 0 || col >= cols_) throw IndexFault("merge column " + std::to_string(col));
  mergeCol_[static_cast<std::size_t>(col)] = on;
  Changed(false);
}

CellRange GridStore::MergedRange(int row, int col) const {
  CheckCell(row, col);
  CellRange r{row, col, row, col};
  if (MergeCells == MergeMode::Never) return r;
  bool fixedOnly = MergeCells == MergeMode::FixedOnly;
  bool across = MergeCells != MergeMode::RestrictColumns;
  bool down = MergeCells != MergeMode::RestrictRows;
  auto mergeable = [&](int rr, int cc) { return !fixedOnly || IsFixed(rr, cc); };
  if (!mergeable(row, col)) return r;
  std::string_view t = TextView(row, col);
  // Merged cells never join fixed and scrolling parts.
  auto sameSide = [&](int r2, int c2) {
    return (r2 < FixedRows) == (row < FixedRows) && (c2 < FixedCols) == (col < FixedCols);
  };
  if (across && mergeRow_[static_cast<std::size_t>(row)]) {
    while (r.col1 > 0 && sameSide(row, r.col1 - 1) && mergeable(row, r.col1 - 1) &&
           TextView(row, r.col1 - 1) == t)
      --r.col1;
    while (r.col2 + 1 < cols_ && sameSide(row, r.col2 + 1) && mergeable(row, r.col2 + 1) &&
           TextView(row, r.col2 + 1) == t)
      ++r.col2;
    if (r.col1 != r.col2) return r;
  }
  if (down && mergeCol_[static_cast<std::size_t>(col)]) {
    while (r.row1 > 0 && sameSide(r.row1 - 1, col) && mergeable(r.row1 - 1, col) &&
           TextView(r.row1 - 1, col) == t)
      --r.row1;
    while (r.row2 + 1 < rows_ && sameSide(r.row2 + 1, col) && mergeable(r.row2 + 1, col) &&
           TextView(r.row2 + 1, col) == t)
      ++r.row2;
  }
  return r;
}

int GridStore::ColWidthOf(int col) const {
  if (col < 0 || col >= cols_) throw IndexFault("grid column " + std::to_string(col));
  int w = ColWidth[static_cast<std::size_t>(col)];
  return Snap(w < 0 ? kDefaultColWidth : w);
}
void GridStore::SetColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) throw IndexFault("grid column " + std::to_string(col));
  ColWidth[static_cast<std::size_t>(col)] = std::max(0, twips);
  Clamp();
  Changed(true);
}
int GridStore::DefaultRowHeight() const {
  int pixels = static_cast<int>(std::ceil(FontSize * 96.0 / 72.0)) + 6;
  return pixels * kTwipsPerPixel;
}
int GridStore::RowHeightOf(int row) const {
  if (row < 0 || row >= rows_) throw IndexFault("grid row " + std::to_string(row));
  int h = RowHeight[static_cast<std::size_t>(row)];
  return h < 0 ? DefaultRowHeight() : Snap(h);
}
void GridStore::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= rows_) throw IndexFault("grid row " + std::to_string(row));
  RowHeight[static_cast<std::size_t>(row)] = std::max(0, twips);
  Clamp();
  Changed(true);
}

void GridStore::SetTopRow(int row) {
  const int old = TopRow();
  rowsScrolled_ = row - std::min(FixedRows, rows_);
  Clamp();
  if (TopRow() != old) {
    Changed(true);
    if (OnScroll) OnScroll();
  }
}
void GridStore::SetLeftCol(int col) {
  const int old = LeftCol();
  colsScrolled_ = col - std::min(FixedCols, cols_);
  Clamp();
  if (LeftCol() != old) {
    Changed(true);
    if (OnScroll) OnScroll();
  }
}

void GridStore::SetViewSize(int widthTwips, int heightTwips) {
  viewWidth_ = widthTwips;
  viewHeight_ = heightTwips;
  const int top = TopRow(), left = LeftCol();
  Clamp();
  if (top != TopRow() || left != LeftCol()) {
    Changed(true);
    if (OnScroll) OnScroll();
  }
}

GridStore::RowBlock GridStore::PinnedRowsAt(int top) const {
  if (!BlockOf || top >= rows_ || top < FixedRows) return {top, 0};
  RowBlock b = BlockOf(top);
  b.first = std::max(b.first, std::min(FixedRows, rows_));
  if (b.first >= top) return {top, 0};
  // Held at every position where the top row lies past them, the last one included: another
  // block's headings further down head only that block's rows, and a block cut short by the
  // grid's end heads nothing.
  return {b.first, std::max(0, std::min(b.headings, top - b.first))};
}

GridStore::RowBlock GridStore::PinnedRows() const { return PinnedRowsAt(TopRow()); }

int GridStore::MaxTopRow() const {
  int fixedH = 0;
  for (int r = 0; r < std::min(FixedRows, rows_); ++r)
    fixedH += RowHeightOf(r);
  if (viewHeight_ <= 0) return std::max(std::min(FixedRows, rows_), rows_ - 1);
  // The first row from which the rows to the last, under the fixed rows and the headings held
  // for that position, still fit the view.
  auto held = [this](int top) {
    const RowBlock p = PinnedRowsAt(top);
    int h = 0;
    for (int r = p.first; r < p.first + p.headings; ++r)
      h += RowHeightOf(r);
    return h;
  };
  int r = rows_ - 1;
  if (r < 0) return 0;
  int below = RowHeightOf(r);
  while (r > FixedRows && fixedH + held(r - 1) + below + RowHeightOf(r - 1) <= viewHeight_)
    below += RowHeightOf(--r);
  return std::max(std::min(FixedRows, rows_), r);
}

int GridStore::MaxLeftCol() const {
  int fixedW = 0;
  for (int c = 0; c < std::min(FixedCols, cols_); ++c)
    fixedW += ColWidthOf(c);
  int room = viewWidth_ - fixedW, c = cols_ - 1;
  if (viewWidth_ <= 0) return std::max(std::min(FixedCols, cols_), cols_ - 1);
  while (c > FixedCols && room - ColWidthOf(c) >= ColWidthOf(c - 1))
    room -= ColWidthOf(c--);
  return std::max(std::min(FixedCols, cols_), c);
}

namespace {
// Offset of a row or column from the grid's edge: the fixed ones stay in place, the others
// move with the first visible one (which may lie after the one asked for).
template <class SizeOf> int OffsetOf(int index, int fixed, int count, int first, SizeOf sizeOf) {
  int at = 0;
  if (index < fixed) {
    for (int i = 0; i < index; ++i)
      at += sizeOf(i);
    return at;
  }
  for (int i = 0; i < std::min(fixed, count); ++i)
    at += sizeOf(i);
  if (index >= first)
    for (int i = first; i < index; ++i)
      at += sizeOf(i);
  else
    for (int i = index; i < first; ++i)
      at -= sizeOf(i);
  return at;
}

// The row or column under a position from the grid's edge (-1: none): the fixed ones first,
// then the scrolled ones from the first visible one until the view (when its size is known)
// is passed.
template <class SizeOf> int IndexAt(int pos, int fixed, int count, int first, int view, SizeOf sizeOf) {
  if (pos < 0) return -1;
  int at = 0;
  for (int i = 0; i < std::min(fixed, count); ++i) {
    at += sizeOf(i);
    if (pos < at) return i;
  }
  for (int i = first; i < count; ++i) {
    at += sizeOf(i);
    if (pos < at) return i;
    if (view > 0 && at > view) break;
  }
  return -1;
}
} // namespace

int GridStore::ColX(int col) const {
  return OffsetOf(col, FixedCols, cols_, LeftCol(), [this](int c) { return ColWidthOf(c); });
}

int GridStore::RowY(int row) const {
  const RowBlock pinned = PinnedRows();
  const int fixed = std::min(FixedRows, rows_);
  const auto height = [this](int r) { return RowHeightOf(r); };
  if (pinned.headings == 0 || row < fixed) return OffsetOf(row, FixedRows, rows_, TopRow(), height);
  // Under the fixed rows the held headings, then the rows from TopRow on.
  int at = OffsetOf(fixed, FixedRows, rows_, fixed, height);
  if (row >= pinned.first && row < pinned.first + pinned.headings) {
    for (int r = pinned.first; r < row; ++r)
      at += RowHeightOf(r);
    return at;
  }
  for (int r = pinned.first; r < pinned.first + pinned.headings; ++r)
    at += RowHeightOf(r);
  return at + OffsetOf(row, 0, rows_, TopRow(), height);
}

int GridStore::RowAt(int y) const {
  const auto height = [this](int r) { return RowHeightOf(r); };
  const RowBlock pinned = PinnedRows();
  if (pinned.headings == 0) return IndexAt(y, FixedRows, rows_, TopRow(), viewHeight_, height);
  if (y < 0) return -1;
  int at = 0;
  for (int r = 0; r < std::min(FixedRows, rows_); ++r)
    if (y < (at += RowHeightOf(r))) return r;
  for (int r = pinned.first; r < pinned.first + pinned.headings; ++r)
    if (y < (at += RowHeightOf(r))) return r;
  const int below = IndexAt(y - at, 0, rows_, TopRow(), viewHeight_ > 0 ? viewHeight_ - at : 0, height);
  return below;
}

int GridStore::ColAt(int x) const {
  return IndexAt(x, FixedCols, cols_, LeftCol(), viewWidth_, [this](int c) { return ColWidthOf(c); });
}

void GridStore::ShowCell(int row, int col) {
  CheckCell(row, col);
  if (row >= FixedRows) {
    if (row < TopRow()) {
      SetTopRow(row);
    } else if (viewHeight_ > 0) {
      while (TopRow() < row && RowY(row) + RowHeightOf(row) > viewHeight_) {
        const int before = TopRow();
        SetTopRow(before + 1);
        if (TopRow() == before) break; // as far down as the grid scrolls
      }
    }
  }
  if (col >= FixedCols) {
    if (col < LeftCol()) {
      SetLeftCol(col);
    } else if (viewWidth_ > 0) {
      while (LeftCol() < col && ColX(col) + ColWidthOf(col) > viewWidth_) {
        const int before = LeftCol();
        SetLeftCol(before + 1);
        if (LeftCol() == before) break;
      }
    }
  }
}

int GridStore::CellLeft() const {
  return BorderTwips + ColX(col_);
}
int GridStore::CellTop() const {
  return BorderTwips + RowY(row_);
}

} // namespace quon
