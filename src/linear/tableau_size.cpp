#include "linear/tableau_size.h"

#include "shell/mod1.h"

namespace quon {

void SizeSimplexTableau(bool withArtificialColumns) {
  g.TableauRows = static_cast<int16>(g.MRows + 7);
  const int cols = g.MRows + g.NVars + 2 + (withArtificialColumns ? g.NArtificial1 : 0);
  g.TableauCols = static_cast<int16>(cols);
}

} // namespace quon
