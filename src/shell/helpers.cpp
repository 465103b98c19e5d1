#include "shell/helpers.h"

namespace quon {

std::string NumberFormatString() {
  const int n = VarMin(VarMax(static_cast<int>(g.NumDigitsN), 1), MaxFormatDigits);
  const int d = VarMin(VarMax(static_cast<int>(g.NumDigitsD), 0), MaxFormatDigits);
  switch (g.NumFormatType) {
  case 1:
    return std::string(n - 1, '#') + "0." + std::string(d, '0');
  case 2:
    return "0." + std::string(n, '0') + "e+" + std::string(d, '0');
  default:
    return "";
  }
}

} // namespace quon
