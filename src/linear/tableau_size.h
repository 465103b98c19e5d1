// The size of one block of simplex tableau iterations.
#pragma once

namespace quon {

// TableauRows := MRows + 7; TableauCols := MRows + NVars + 2, plus NArtificial1 when the start
// carries artificial columns (M-method, two-phase and bounded starts).
void SizeSimplexTableau(bool withArtificialColumns);

} // namespace quon
