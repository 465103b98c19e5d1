// Value services: the number and text conversions every screen, engine and report uses.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quon {

// Formats a value with a pattern: decimal ("####0.00", "0."), scientific ("0.00000e+00"),
// integer ("#######", "###0"), text fields ("@@@@" right-aligned, "!@@@@" left-aligned).
std::string Format(double value, std::string_view pattern);
std::string Format(std::string_view text, std::string_view pattern);
// Date pattern "dddd, mmmm dd, yyyy h:mm" (English names, 24-hour clock).
std::string FormatDate(const std::tm &when, std::string_view pattern);

// The longest leading number after leading blanks; 0 when there is none. A number beyond the
// range of a double reads as the largest double of its sign (ValOverflows tells), one too
// small to hold as 0.
double Val(std::string_view text);
bool ValOverflows(std::string_view text);
// True when the text, blanks around it aside, is one number as Val reads it ("2.5e3", "-.5").
bool IsNumber(std::string_view text);
// To a 16-bit integer, halves to the even neighbour; nullopt when outside -32768..32767.
std::optional<std::int16_t> CInt(double value);
// Floor.
double Int(double value);
// Number text with a leading blank for values >= 0 and no leading zero before the point.
std::string Str(double value);
std::string Trim(std::string_view text);
// Plain number text of up to 15 significant digits, without a leading blank.
std::string NumText(double value);
// The same for a single-precision value: up to 7 significant digits (0.1f reads "0.1").
std::string NumTextSingle(float value);
// a + b on the decimal grid of the larger term's 15 significant digits, so that numbers typed
// with decimals add up to the decimal of their sum (9999.99 - 9945.86 is 54.13, not
// 54.1300000000010). Whole numbers, and terms of 1E15 or more, add as they are.
double DecimalSum(double a, double b);
// The same for a + b + c, rounded once on the grid of the largest term.
double DecimalSum(double a, double b, double c);
// How far DecimalSum may move a + b: a raw sum further than this from a bound stays on the same
// side of it, so a search can skip the rounding for sums that lose anyway.
inline double DecimalSumReach(double a, double b) { return 1e-13 * std::max(std::fabs(a), std::fabs(b)); }

} // namespace quon
