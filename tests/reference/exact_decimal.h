// The decimals a student types, for references that must be exact on them: the decimal a stored
// double was typed as, whole numbers made of decimals by powers of ten (the reference reads every
// number into a double, which holds whole numbers below 2^53 exactly), and seeded decimal values
// of the kinds programs hold.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include "linear/lp_fixture.h"

namespace quon::testing {

// mant * 10^exp.
struct Decimal {
  long long mant = 0;
  int exp = 0;
};

// The shortest decimal that reads back as v: the one typed, for every value of up to 15
// significant digits.
inline Decimal TypedDecimal(double v) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific);
  Decimal d;
  if (ec != std::errc() || v == 0) return d;
  const std::string s(text, end);
  const std::size_t e = s.find('e');
  bool negative = false, point = false;
  int places = 0;
  for (std::size_t k = 0; k < e; ++k) {
    const char ch = s[k];
    if (ch == '-') {
      negative = true;
    } else if (ch == '.') {
      point = true;
    } else {
      d.mant = d.mant * 10 + (ch - '0');
      if (point) ++places;
    }
  }
  d.exp = std::atoi(s.c_str() + e + 1) - places;
  while (d.mant % 10 == 0) {
    d.mant /= 10;
    ++d.exp;
  }
  if (negative) d.mant = -d.mant;
  return d;
}

// The decimal places of v as typed (0 for a whole number).
inline int DecimalPlaces(double v) {
  const Decimal d = TypedDecimal(v);
  return d.exp < 0 ? -d.exp : 0;
}

// v as typed times 10^places, when that is a whole number below 2^53 (so exact as a double).
inline std::optional<double> WholeTimesPowerOfTen(double v, int places) {
  const Decimal d = TypedDecimal(v);
  int e = d.exp + places;
  if (e < 0) return std::nullopt;
  __int128 w = d.mant;
  for (; e > 0; --e) {
    w *= 10;
    if (w > (static_cast<__int128>(1) << 53) || -w > (static_cast<__int128>(1) << 53)) return std::nullopt;
  }
  if (w > (static_cast<__int128>(1) << 53) || -w > (static_cast<__int128>(1) << 53)) return std::nullopt;
  return static_cast<double>(w);
}

inline double PowerOfTen(int k) {
  double p = 1;
  for (int i = 0; i < k; ++i)
    p *= 10;
  return p; // exact up to 1e22
}

// units / 10^places, the decimal the test types.
struct Typed {
  long long units = 0;
  int places = 0;
  double Value() const { return static_cast<double>(units) / PowerOfTen(places); } // the nearest double
  long long UnitsAt(int morePlaces) const { // units at `morePlaces` >= places
    long long u = units;
    for (int k = places; k < morePlaces; ++k)
      u *= 10;
    return u;
  }
};

// Seeded positive decimals of four kinds: 0 near 1 (0.1, 0.25, 0.9, 2.9 and other tenths and
// hundredths), 1 prices with cents up to 999.99 (12.50), 2 up to three significant digits from
// hundredths to a million, 3 at the edge of a relative test's reach (999, 1000, 1000.01, 1001;
// 0.001, 0.00099). At most kTypedPlaces decimals.
inline constexpr int kTypedPlaces = 5;
inline constexpr int kDecimalKinds = 4;

inline Typed DecimalOfKind(std::mt19937 &rng, int kind) {
  auto pick = [&rng](long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(rng); };
  switch (kind) {
  case 0: {
    static constexpr Typed kCommon[] = {{1, 1}, {25, 2}, {9, 1}, {29, 1}, {5, 1}, {11, 1}, {75, 2}, {3, 1}, {1, 0}, {2, 0}};
    return pick(0, 1) ? kCommon[pick(0, 9)] : Typed{pick(1, 999), 2};
  }
  case 1:
    return {pick(1, 99999), 2};
  case 2: {
    const int e = static_cast<int>(pick(-2, 3));
    const long long digits = pick(1, 999);
    return e < 0 ? Typed{digits, -e} : Typed{digits * static_cast<long long>(PowerOfTen(e)), 0};
  }
  default: {
    static constexpr Typed kEdge[] = {{999, 0}, {1000, 0}, {100001, 2}, {1001, 0}, {1, 3},
                                      {99, 5},  {1, 0},    {999, 3},    {99999, 2}, {100099, 3}};
    return kEdge[pick(0, 9)];
  }
  }
}

// The program as a problem file (File/Open), written to $QUON_REFERENCE_DUMP/NAME.txt when that
// is set, so that a failing seed can be handed on and opened on screen.
inline void DumpProblemFile(const LP &lp, const std::string &name) {
  const char *dir = std::getenv("QUON_REFERENCE_DUMP");
  if (!dir) return;
  const std::size_t n = lp.c.size(), m = lp.a.size();
  std::string text = std::string(lp.integer.empty() ? "3000" : "5000") + "\r\n8\r\n6\r\n1\r\n\"" + name + "\"\r\n" + std::to_string(n) + "\r\n" + std::to_string(m) + "\r\n\"" + lp.sense + "\"\r\n";
  auto line = [&text](const std::string &cell) { text += "\"" + cell + "\"\r\n"; };
  auto bounds = [&](const std::vector<std::string> &cells, const char *fallback) {
    for (std::size_t j = 0; j < n; ++j)
      line(cells.empty() ? fallback : cells[j]);
    line("");
    line("");
  };
  for (std::size_t j = 0; j < n; ++j)
    line("x" + std::to_string(j + 1));
  line("");
  line("");
  for (std::size_t j = 0; j < n; ++j)
    line(Cell(lp.c[j]));
  line("");
  line("");
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = 0; j < n; ++j)
      line(Cell(lp.a[i][j]));
    line(lp.rel[i]);
    line(Cell(lp.b[i]));
  }
  bounds(lp.lower, "0");
  bounds(lp.upper, "infinity");
  bounds(lp.unrestricted, "n");
  if (!lp.integer.empty()) bounds(lp.integer, "y");
  if (FILE *f = std::fopen((std::string(dir) + "/" + name + ".txt").c_str(), "wb")) {
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
}

} // namespace quon::testing
