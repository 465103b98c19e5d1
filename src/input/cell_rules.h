// What a data cell of the input grid can hold, by model class, as the cell editor lets it be
// typed: numbers (some never negative), the words "infinity" and "-infinity" where a key puts
// them, the relation of a constraint, the y/n flags, and free text in the name cells. Text
// that does not come through the editor's keys (pasted into the editor, read from a problem
// file) is checked against it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/input_message.h"

namespace quon {

// The grid a cell belongs to: model class, rows and columns with the headings, and the text
// of any other cell (a lower bound is judged with its column's unrestricted flag).
struct CellSheet {
  int modelClass = 0;
  int rows = 0;
  int cols = 0;
  std::function<std::string(int row, int col)> text;
};

// Typed: pasted into the editor, where what the keys refuse is refused, with the cell's
// own message where it has one. Filed: read from a problem file, which may hold what the
// grid's editing commands put there (a negative right-hand side copied with a column, an
// emptied flag, part of a relation), so only a word or a number too large in a number cell and a
// relation cell holding anything else are refused.
enum class CellOrigin { Typed, Filed };

// The largest magnitude a number cell takes. The engines form sums of products of two data
// values over at most 100 x 100 cells, scaled by at most a hundredfold (the cost that stands
// for "infinity" in a transportation problem has one digit more than the largest cost): from
// values up to 1E+100 that stays near 1E+206, far inside a double's range, with room for the
// growth of elimination. A value beyond it is refused, not turned into an overflow or a NaN
// in the results. Counts (servers, limits, node numbers) have narrower checks of their own.
inline constexpr double kLargestCellNumber = 1E+100;

// Whether cell (row, col) holds a number (perhaps also a word such as "infinity").
bool TakesNumber(const CellSheet &sheet, int row, int col);
// Whether `text` in number cell (row, col) is a number beyond what the cell takes.
bool NumberTooLarge(const CellSheet &sheet, int row, int col, std::string_view text);
// Whether its numbers are whole ones only (a count of servers or customers, a node number).
bool TakesWholeNumber(const CellSheet &sheet, int row, int col);
// The refusal of a fraction typed where only whole numbers belong.
InputMessage WholeNumberRefusal();

// The refusal of `text` in cell (row, col), or nothing when the cell can hold it.
std::optional<InputMessage> RefuseCellText(const CellSheet &sheet, int row, int col, std::string_view text,
                                           CellOrigin source);

// The first data cell, row by row, that cannot hold its text as a problem file may hold it.
struct CellRefusal {
  int row = 0;
  int col = 0;
  InputMessage message;
};
std::optional<CellRefusal> FirstRefusedCell(const CellSheet &sheet);

} // namespace quon
