// Small services of the data module that every subsystem uses: the number-format pattern,
// the larger and smaller of two values, and the reading of a digit count typed in a box.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "shell/mod1.h"

namespace quon {

// Largest digit count a format pattern is built with: beyond it a double has no digits left.
inline constexpr int MaxFormatDigits = 15;

// The pattern of the current number format: decimal "####0.00" (N-1 "#", "0.", D "0"),
// scientific "0.00000e+00" ("0.", N "0", "e+", D "0"), empty for any other type. Counts
// outside 1..15 (N) or 0..15 (D) are brought into range, so no caller can build a broken one.
std::string NumberFormatString();

// The larger of a and b, b on a tie (and whenever the two do not compare, as with a NaN).
template <class A, class B> constexpr std::common_type_t<A, B> VarMax(A a, B b) {
  using R = std::common_type_t<A, B>;
  return a > b ? static_cast<R>(a) : static_cast<R>(b);
}
// The smaller of a and b, b on a tie.
template <class A, class B> constexpr std::common_type_t<A, B> VarMin(A a, B b) {
  using R = std::common_type_t<A, B>;
  return a < b ? static_cast<R>(a) : static_cast<R>(b);
}

// A digit count typed in a number-format box: the value of the text's leading number (0 when
// there is none), held to lowest..MaxFormatDigits and rounded to an integer, halves to even.
int16 DigitCountFromText(std::string_view text, int lowest);

} // namespace quon
