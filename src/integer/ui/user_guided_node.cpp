#include "integer/branch_and_bound.h"
#include "integer/ui/ip_output.h"

namespace quon {

// Solves the node; the search tree's drawing and the node detail are the tree view's.
void SolveUserGuidedNode() {
  SolveNode();
}

} // namespace quon
