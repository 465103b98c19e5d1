#include "network/network_input.h"

#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

double NetworkArcValue(const std::string &text, int netSubModel) {
  if (text.empty()) return netSubModel == 4 ? -999999.0 : 999999.0;
  if (text == "infinity") return 999999.0;
  return Val(text);
}

void ReadNetworkInput(const GridStore &grid) {
  // The arrays are sized from NodeCount, so it must describe the grid being read.
  const int n = grid.Cols() - 2;
  g.NodeCount = static_cast<int16>(n);
  ReDimProblemArrays(ArrayKind::Networks);
  for (int c = 2; c <= n + 1; ++c)
    g.VarNames(c - 1) = grid.TextMatrix(1, c);
  int k = 0;
  for (int r = 2; r <= n + 1; ++r)
    for (int c = 2; c <= n + 1; ++c) {
      ++k;
      g.MsgText = grid.TextMatrix(r, c);
      double v = NetworkArcValue(g.MsgText, g.NetSubModel);
      g.Cost(k) = v;
      g.ArcMatrix(r - 1, c - 1) = v;
    }
}

} // namespace quon
