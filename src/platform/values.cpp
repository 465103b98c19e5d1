#include "platform/values.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace quon {

namespace {

// A finite value as 15 significant decimal digits: |value| = d0.d1...d14 x 10^exp.
// Every rounding works on these digits, so 1.005 rounds like the decimal it was typed as.
struct Decimal {
  std::string digits; // exactly 15 characters '0'..'9'
  int exp = 0;
  bool negative = false;
  bool zero = true;
};

Decimal ToDecimal(double value, int significant = 15) {
  Decimal d;
  d.negative = std::signbit(value) && value != 0.0;
  std::array<char, 64> buf{};
  // to_chars ignores the C locale, which the UI library may have switched.
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                           std::chars_format::scientific, significant - 1);
  std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  auto e = s.find('e');
  for (char c : s.substr(0, e))
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  int ex = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), ex);
  d.exp = ex;
  d.zero = d.digits.find_first_not_of('0') == std::string::npos;
  if (d.zero) d.exp = 0;
  return d;
}

// Adds one to a string of decimal digits; may lengthen it ("99" -> "100").
void Increment(std::string &n) {
  for (auto i = n.size(); i-- > 0;) {
    if (n[i] != '9') {
      ++n[i];
      return;
    }
    n[i] = '0';
  }
  n.insert(n.begin(), '1');
}

// The first `keep` digits of d rounded half away from zero; keep may exceed the digits held.
std::string RoundDigits(const Decimal &d, int keep) {
  if (keep <= 0) return keep == 0 && d.digits[0] >= '5' ? "1" : "0";
  std::string n = d.digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, 15)));
  if (keep < 15 && d.digits[static_cast<std::size_t>(keep)] >= '5') Increment(n);
  if (keep > 15) n.append(static_cast<std::size_t>(keep - 15), '0');
  return n;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

struct NumPattern {
  std::string prefix, suffix;
  int intMin = 0;     // required integer digits ('0' from the first one to the point)
  bool point = false; // the pattern shows a decimal point
  int fracMin = 0;    // required decimals (up to the last '0')
  int fracMax = 0;    // all decimal places
  bool sci = false;
  char expChar = 'e';
  bool expAlwaysSign = false;
  int expMin = 0;
  bool hasDigits = false;
};

bool IsPlace(char c) {
  return c == '#' || c == '0';
}

NumPattern ParsePattern(std::string_view p) {
  NumPattern np;
  std::size_t i = 0;
  while (i < p.size() && !IsPlace(p[i]) && p[i] != '.')
    np.prefix.push_back(p[i++]);
  bool seenZero = false;
  for (; i < p.size(); ++i) {
    char c = p[i];
    if (c == ',') continue; // grouping is never shown
    if (!np.point && IsPlace(c)) {
      np.hasDigits = true;
      if (c == '0') seenZero = true;
      if (seenZero) ++np.intMin;
    } else if (!np.point && c == '.') {
      np.point = true;
    } else if (np.point && IsPlace(c)) {
      np.hasDigits = true;
      ++np.fracMax;
      if (c == '0') np.fracMin = np.fracMax;
    } else {
      break;
    }
  }
  if (i + 1 < p.size() && (p[i] == 'e' || p[i] == 'E') && (p[i + 1] == '+' || p[i + 1] == '-')) {
    np.sci = true;
    np.expChar = p[i];
    np.expAlwaysSign = p[i + 1] == '+';
    i += 2;
    for (; i < p.size() && IsPlace(p[i]); ++i)
      if (p[i] == '0') ++np.expMin;
  }
  np.suffix = std::string(p.substr(i));
  return np;
}

std::string FormatFixed(double value, const NumPattern &np) {
  Decimal d = ToDecimal(value);
  // Integer and fraction digits of |value| rounded to fracMax decimals.
  std::string n = d.zero ? std::string(static_cast<std::size_t>(np.fracMax) + 1, '0')
                         : RoundDigits(d, d.exp + np.fracMax + 1);
  if (n.size() < static_cast<std::size_t>(np.fracMax) + 1)
    n.insert(0, static_cast<std::size_t>(np.fracMax) + 1 - n.size(), '0');
  std::string ip = n.substr(0, n.size() - static_cast<std::size_t>(np.fracMax));
  std::string fp = n.substr(n.size() - static_cast<std::size_t>(np.fracMax));
  bool allZero = n.find_first_not_of('0') == std::string::npos;
  ip.erase(0, std::min(ip.find_first_not_of('0'), ip.size()));
  if (ip.size() < static_cast<std::size_t>(np.intMin)) ip.insert(0, np.intMin - ip.size(), '0');
  while (fp.size() > static_cast<std::size_t>(np.fracMin) && fp.back() == '0')
    fp.pop_back();
  std::string out = np.prefix;
  // A value that rounds to zero is shown without a sign.
  if (d.negative && !allZero) out += '-';
  out += ip;
  if (np.point) out += '.' + fp;
  return out + np.suffix;
}

std::string FormatScientific(double value, const NumPattern &np) {
  Decimal d = ToDecimal(value);
  std::string n = RoundDigits(d, np.fracMax + 1);
  int ex = d.exp;
  if (d.zero) {
    n.assign(static_cast<std::size_t>(np.fracMax) + 1, '0');
    ex = 0;
  } else if (n.size() > static_cast<std::size_t>(np.fracMax) + 1) { // 9.99.. rounded up to 10.0..
    n.pop_back();
    ++ex;
  }
  std::string fp = n.substr(1);
  while (fp.size() > static_cast<std::size_t>(np.fracMin) && fp.back() == '0')
    fp.pop_back();
  std::string out = np.prefix;
  if (d.negative && !d.zero) out += '-';
  out += n[0];
  if (np.point) out += '.' + fp;
  out += np.expChar;
  if (ex < 0)
    out += '-';
  else if (np.expAlwaysSign)
    out += '+';
  std::string ed = std::to_string(std::abs(ex));
  // An exponent always shows at least one digit, even for a pattern without exponent places.
  int width = std::max(np.expMin, 1);
  if (ed.size() < static_cast<std::size_t>(width)) ed.insert(0, width - ed.size(), '0');
  return out + ed + np.suffix;
}

bool IsTextPattern(std::string_view p) {
  if (p.empty()) return false;
  std::size_t i = p[0] == '!' ? 1 : 0;
  return i < p.size() && p.find_first_not_of('@', i) == std::string_view::npos;
}

// Shortest text of the value in general form with `significant` digits: fixed notation for
// exponents from -5 to significant-1, otherwise "1.5E+20"; no leading blank.
std::string General(double value, int significant) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = ToDecimal(value, significant);
  if (d.zero) return "0";
  std::string digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
  std::string out = d.negative ? "-" : "";
  if (d.exp < -5 || d.exp >= significant) {
    out += digits[0];
    if (digits.size() > 1) out += '.' + digits.substr(1);
    std::string ed = std::to_string(std::abs(d.exp));
    if (ed.size() < 2) ed.insert(0, 1, '0');
    return out + 'E' + (d.exp < 0 ? '-' : '+') + ed;
  }
  if (d.exp < 0) return out + "0." + std::string(static_cast<std::size_t>(-d.exp - 1), '0') + digits;
  auto intLen = static_cast<std::size_t>(d.exp) + 1;
  if (digits.size() <= intLen) return out + digits + std::string(intLen - digits.size(), '0');
  return out + digits.substr(0, intLen) + '.' + digits.substr(intLen);
}

// Length of the longest number at the start of s (sign, digits, point, exponent).
std::size_t NumberLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
    ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
      ++i, ++digits;
  }
  if (digits == 0) return 0;
  std::size_t mantissaEnd = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
      ++i, ++expDigits;
    if (expDigits == 0) return mantissaEnd;
  }
  return i;
}

// The decimal order of magnitude of a number text without sign ("123.4e5" gives 7), or
// nullopt when all its digits are zero. An exponent too long to hold saturates.
std::optional<long long> Magnitude(std::string_view t) {
  const std::size_t e = t.find_first_of("eE");
  const std::string_view mantissa = t.substr(0, e);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return std::nullopt;
  long long order =
      first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
  if (e != std::string_view::npos) {
    std::string_view ex = t.substr(e + 1);
    const bool negative = !ex.empty() && ex[0] == '-';
    if (!ex.empty() && (ex[0] == '+' || ex[0] == '-')) ex.remove_prefix(1);
    long long v = 0;
    for (char c : ex)
      v = std::min<long long>(v * 10 + (c - '0'), 1'000'000'000LL);
    order += negative ? -v : v;
  }
  return order;
}

struct Parsed {
  double value = 0;
  bool overflow = false;
};

// A number text as NumberLength delimits it ('d' and 'D' are exponent letters too).
Parsed ParseNumber(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  std::string t(s);
  for (char &c : t)
    if (c == 'd' || c == 'D' || c == 'E') c = 'e';
  if (!t.empty() && t[0] == '.') t.insert(0, 1, '0');
  Parsed p;
  auto res = std::from_chars(t.data(), t.data() + t.size(), p.value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large becomes the largest double and is marked, too small becomes 0.
    const std::optional<long long> order = Magnitude(t);
    p.overflow = order && *order > 0;
    p.value = p.overflow ? std::numeric_limits<double>::max() : 0.0;
  }
  if (negative) p.value = -p.value;
  return p;
}

// The leading number of a text as Val reads it.
Parsed Leading(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  text.remove_prefix(start);
  std::size_t len = NumberLength(text);
  return len == 0 ? Parsed{} : ParseNumber(text.substr(0, len));
}

} // namespace

std::string Format(double value, std::string_view pattern) {
  if (IsTextPattern(pattern)) return Format(NumText(value), pattern);
  if (!std::isfinite(value)) return NonFinite(value);
  NumPattern np = ParsePattern(pattern);
  if (!np.hasDigits && !np.sci)
    return np.prefix.empty() && np.suffix.empty() ? NumText(value) : std::string(pattern);
  return np.sci ? FormatScientific(value, np) : FormatFixed(value, np);
}

std::string Format(std::string_view text, std::string_view pattern) {
  if (IsTextPattern(pattern)) {
    bool left = pattern[0] == '!';
    std::size_t width = pattern.size() - (left ? 1 : 0);
    if (text.size() >= width) return std::string(text);
    std::string pad(width - text.size(), ' ');
    return left ? std::string(text) + pad : pad + std::string(text);
  }
  // A numeric pattern formats a text that is a number as that number; other texts pass unchanged.
  return IsNumber(text) ? Format(Val(text), pattern) : std::string(text);
}

std::string FormatDate(const std::tm &when, std::string_view pattern) {
  static constexpr std::array<const char *, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                        "Thursday", "Friday", "Saturday"};
  static constexpr std::array<const char *, 12> kMonths = {"January",   "February", "March",    "April",
                                                           "May",       "June",     "July",     "August",
                                                           "September", "October",  "November", "December"};
  auto two = [](int v) {
    std::string s = std::to_string(v);
    if (v >= 0 && v < 10) s.insert(s.begin(), '0');
    return s;
  };
  int wday = ((when.tm_wday % 7) + 7) % 7;
  int mon = ((when.tm_mon % 12) + 12) % 12;
  std::string out;
  bool afterHour = false; // "m" right after an hour means minutes
  std::size_t i = 0;
  while (i < pattern.size()) {
    char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    switch (c) {
    case 'd':
      if (run >= 4)
        out += kDays[static_cast<std::size_t>(wday)];
      else if (run == 3)
        out += std::string(kDays[static_cast<std::size_t>(wday)]).substr(0, 3);
      else
        out += run == 2 ? two(when.tm_mday) : std::to_string(when.tm_mday);
      break;
    case 'm':
      if (afterHour && run <= 2)
        out += run == 2 ? two(when.tm_min) : std::to_string(when.tm_min);
      else if (run >= 4)
        out += kMonths[static_cast<std::size_t>(mon)];
      else if (run == 3)
        out += std::string(kMonths[static_cast<std::size_t>(mon)]).substr(0, 3);
      else
        out += run == 2 ? two(mon + 1) : std::to_string(mon + 1);
      break;
    case 'n':
      out += run >= 2 ? two(when.tm_min) : std::to_string(when.tm_min);
      break;
    case 'y':
      if (run >= 3)
        out += std::to_string(when.tm_year + 1900);
      else
        out += two((when.tm_year + 1900) % 100);
      break;
    case 'h':
      out += run >= 2 ? two(when.tm_hour) : std::to_string(when.tm_hour);
      break;
    case 's':
      out += run >= 2 ? two(when.tm_sec) : std::to_string(when.tm_sec);
      break;
    default:
      out.append(run, c);
      break;
    }
    if (c == 'h')
      afterHour = true;
    else if (c != ':' && c != ' ')
      afterHour = false;
    i += run;
  }
  return out;
}

double Val(std::string_view text) {
  return Leading(text).value;
}

bool ValOverflows(std::string_view text) {
  return Leading(text).overflow;
}

bool IsNumber(std::string_view text) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return false;
  std::size_t e = text.find_last_not_of(" \t");
  std::string_view t = text.substr(b, e - b + 1);
  return NumberLength(t) == t.size();
}

std::optional<std::int16_t> CInt(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double r = std::nearbyint(value); // the default rounding mode sends halves to the even neighbour
  if (std::fabs(value - std::trunc(value)) == 0.5) {
    double lo = std::floor(value);
    r = std::fmod(lo, 2.0) == 0.0 ? lo : lo + 1.0;
  }
  if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(r);
}

double Int(double value) {
  return std::floor(value);
}

std::string Str(double value) {
  std::string s = NumText(value);
  if (s.rfind("0.", 0) == 0)
    s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0)
    s.erase(1, 1);
  return value >= 0 || s == "0" ? " " + s : s;
}

std::string Trim(std::string_view text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

std::string NumText(double value) {
  return General(value, 15);
}

std::string NumTextSingle(float value) {
  return General(static_cast<double>(value), 7);
}

namespace {

// Below 1E15 a whole number converts to a 64-bit integer and back unchanged.
bool Whole(double v) {
  return static_cast<double>(static_cast<long long>(v)) == v;
}

// The sum of terms whose largest magnitude is `larger` (below 1E15), put on the grid of that
// term's 15 significant digits.
double OnDecimalGrid(double sum, double larger) {
  if (larger >= 1e-8) {
    // Powers of ten up to 1E22 are exact, so the quotient below is the double nearest the
    // decimal. The larger term's decimal exponent e (10^e <= larger < 10^(e+1)) comes from its
    // binary one: floor(log10(2^k)) is (k * 78913) >> 18 over this range.
    static constexpr std::array<double, 23> kPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    static constexpr std::array<double, 9> kFractions{1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
    auto power = [](int k) {
      return k >= 0 ? kPowers[static_cast<std::size_t>(k)] : kFractions[static_cast<std::size_t>(-k)];
    };
    const int binary = static_cast<int>((std::bit_cast<std::uint64_t>(larger) >> 52) & 0x7ff) - 1023;
    int e = (binary * 78913) >> 18;
    if (e < 14 && larger >= power(e + 1)) ++e;
    if (e > -8 && larger < power(e)) --e;
    const double scale = kPowers[static_cast<std::size_t>(14 - e)];
    // Adding and taking away 1.5 x 2^52 rounds to a whole number (halves to even) below 2^51.
    constexpr double kRound = 6755399441055744.0;
    const double units = (sum * scale + kRound) - kRound;
    return units / scale + 0.0;
  }
  const int decimals = 14 - static_cast<int>(std::floor(std::log10(larger)));
  std::array<char, 320> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), sum, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return sum;
  double rounded = sum;
  std::from_chars(buf.data(), res.ptr, rounded);
  return rounded;
}

} // namespace

double DecimalSum(double a, double b) {
  const double sum = a + b;
  const double larger = std::max(std::fabs(a), std::fabs(b));
  if (!(larger < 1e15) || larger < 1e-270 || !std::isfinite(sum) || (Whole(a) && Whole(b))) return sum;
  return OnDecimalGrid(sum, larger);
}

double DecimalSum(double a, double b, double c) {
  const double sum = a + b + c;
  const double larger = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
  if (!(larger < 1e15) || larger < 1e-270 || !std::isfinite(sum) || (Whole(a) && Whole(b) && Whole(c)))
    return sum;
  return OnDecimalGrid(sum, larger);
}

} // namespace quon
