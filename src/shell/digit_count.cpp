#include <cmath>

#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

int16 DigitCountFromText(std::string_view text, int lowest) {
  double v = Val(text);
  if (std::isnan(v)) v = lowest;
  v = VarMin(VarMax(static_cast<double>(lowest), v), static_cast<double>(MaxFormatDigits));
  // Within 0..15 the conversion cannot fail.
  return CInt(v).value_or(static_cast<int16>(lowest));
}

} // namespace quon
