// The table printer for the input data and the tableaus of every model class: right-aligned
// columns of equal width, a row-label column, column blocks for tables wider than the page
// (each block repeating the labels) and page breaks between rows.
#pragma once

#include "platform/bounded_array.h"
#include "platform/grid_store.h"
#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// Modes: 1 the problem's input data (linear, integer and transportation programs, from data);
// 2 the tableaus of the output grid (simplex and transportation); 0 a plain matrix (matrix
// inversion and equations, networks, games); -1 the inverse (data = BInv); -2 and -3 the
// real and integer network matrices (second, third). Tableau mode reads outputGrid; the
// other modes ignore it. Combinations of class and mode that no report uses print nothing.
void PrintDataTable(PageSurface &printer, const BArray<double> &data, const BArray<double> &second,
                    const BArray<int16> &third, int16 mode, const GridStore *outputGrid = nullptr);

// Transportation tableaus: the rule above each source's three rows (drawn for a row's label
// cell only; a negative row suppresses the rule) and the emptying of the merged cells in a
// source's first and last row.
void PrintTableRule(Surface &printer, int16 row, int16 first, int16 last);
// Moves a source's shipment (middle row, bold, centred) and reduced cost (last row, left) within
// a cell already placed right-aligned.
void PrintTableHeaderCell(Surface &printer, int16 row, int16 first, int16 last);

} // namespace quon
