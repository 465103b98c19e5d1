#include "platform/grid_store.h"

#include <algorithm>

#include "platform/bounded_array.h"

namespace quon {

namespace {
template <class T> void Reshape(std::vector<T> &v, int oldRows, int oldCols, int rows, int cols) {
  std::vector<T> fresh(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (int r = 0; r < std::min(rows, oldRows); ++r)
    for (int c = 0; c < std::min(cols, oldCols); ++c)
      fresh[static_cast<std::size_t>(r) * cols + c] = std::move(v[static_cast<std::size_t>(r) * oldCols + c]);
  v = std::move(fresh);
}
} // namespace

void GridStore::SetRows(int rows) {
  if (rows < 0) throw IndexFault("grid row count " + std::to_string(rows));
  Reshape(text_, rows_, cols_, rows, cols_);
  Reshape(attr_, rows_, cols_, rows, cols_);
  RowHeight.resize(static_cast<std::size_t>(rows), -1);
  rows_ = rows;
}

void GridStore::SetCols(int cols) {
  if (cols < 0) throw IndexFault("grid column count " + std::to_string(cols));
  Reshape(text_, rows_, cols_, rows_, cols);
  Reshape(attr_, rows_, cols_, rows_, cols);
  ColWidth.resize(static_cast<std::size_t>(cols), -1);
  ColAlignment.resize(static_cast<std::size_t>(cols), 0);
  cols_ = cols;
}

void GridStore::CheckCell(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
    throw IndexFault("grid cell (" + std::to_string(row) + ", " + std::to_string(col) + ") outside " +
                     std::to_string(rows_) + " x " + std::to_string(cols_));
}

const std::string &GridStore::TextMatrix(int row, int col) const {
  CheckCell(row, col);
  return text_[static_cast<std::size_t>(row) * cols_ + col];
}

void GridStore::SetTextMatrix(int row, int col, const std::string &text) {
  CheckCell(row, col);
  text_[static_cast<std::size_t>(row) * cols_ + col] = text;
}

CellAttr &GridStore::Attr(int row, int col) {
  CheckCell(row, col);
  return attr_[static_cast<std::size_t>(row) * cols_ + col];
}

const CellAttr &GridStore::Attr(int row, int col) const {
  CheckCell(row, col);
  return attr_[static_cast<std::size_t>(row) * cols_ + col];
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

} // namespace quon
