#include "linear/mod_inverse.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "linear/raw_matrix.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

namespace {

// Pivots at or below this magnitude make the matrix singular, whatever Eps holds.
constexpr double kPivotTol = 1E-8;

// Scratch kept between calls: the simplex engine inverts after every pivot, so these
// grow once to the largest order seen and are never given back.
struct InverseScratch {
  std::vector<double> lowerT; // column k of L (rows k+1..n) stored contiguously as row k
  std::vector<double> work;   // L^-1, then the inverse in the permuted column order
  std::vector<double> col;    // the column being factored
  std::vector<double> colScale;
  void Reserve(int n) {
    if (colScale.size() < static_cast<std::size_t>(n + 1)) colScale.resize(static_cast<std::size_t>(n + 1));
    const std::size_t sq = static_cast<std::size_t>(n + 1) * static_cast<std::size_t>(n + 1);
    if (lowerT.size() < sq) lowerT.resize(sq);
    if (work.size() < sq) work.resize(sq);
    if (col.size() < static_cast<std::size_t>(n + 1)) col.resize(static_cast<std::size_t>(n + 1));
  }
};

bool &LastZeroed() {
  static bool zeroed = false;
  return zeroed;
}

// The last inversion's verdict and its determinant as mantissa and binary exponent: the
// product of a hundred pivots leaves the range of a double long before it stops being exact
// enough to show.
DeterminantParts &LastParts() {
  static DeterminantParts parts;
  return parts;
}

// Records a singular verdict; Determinant 0 is what the rest of the program reads.
bool Singular() {
  g.Determinant = 0;
  LastParts() = DeterminantParts{};
  return false;
}

// m * f kept as a mantissa in [0.5, 1) and its binary exponent. Scaling by powers of two is
// exact, so where the plain product stays normal both give the same value to the bit.
void MultiplyParts(DeterminantParts &d, double f, bool divide) {
  int fe = 0;
  const double fm = std::frexp(f, &fe);
  int me = 0;
  d.mantissa = std::frexp(divide ? d.mantissa / fm : d.mantissa * fm, &me);
  d.exponent += (divide ? -fe : fe) + me;
}

InverseScratch &Scratch() {
  static InverseScratch s;
  return s;
}

// Zeroing of small inverse entries and the singularity test: the matrix display takes the
// fixed ones; the simplex basis takes ones relative to the scale of each row and column.
struct InversionRules {
  bool equilibrate; // columns scaled to a largest magnitude of 1 first, the inverse scaled back
  double snap;      // entries at or below this magnitude are stored as 0 (0: none)
};

// Scaled pivots at or below this count as zero once rows and columns are equilibrated.
constexpr double kRelativePivotTol = 1E-12;

bool Invert(const InversionRules &rules) {
  const int n = g.MRows;
  g.Determinant = 1;
  LastParts() = DeterminantParts{0.5, 1, false};
  if (n < 1) return true;

  RawMatrix a(g.InvInput, n, n);
  RawMatrix binv(g.BInv, n, n);
  double *scale = RawVector(g.InvRowScale, n);
  double *workCol = RawVector(g.InvWorkCol, n);
  int16 *perm = RawVector(g.InvPerm, n);

  InverseScratch &s = Scratch();
  s.Reserve(n);
  double *colScale = s.colScale.data();
  if (rules.equilibrate) {
    for (int j = 1; j <= n; ++j)
      colScale[j] = 0;
    for (int i = 1; i <= n; ++i) {
      const double *ai = a.Row(i);
      for (int j = 1; j <= n; ++j)
        colScale[j] = std::max(colScale[j], std::fabs(ai[j]));
    }
    for (int j = 1; j <= n; ++j) {
      if (colScale[j] == 0) return Singular();
      colScale[j] = 1 / colScale[j];
    }
    for (int i = 1; i <= n; ++i) {
      double *ai = a.Row(i);
      for (int j = 1; j <= n; ++j)
        ai[j] *= colScale[j];
    }
  }

  // Implicit scaling: each row by the reciprocal of its largest magnitude.
  for (int i = 1; i <= n; ++i) {
    perm[i] = static_cast<int16>(i);
    double big = 0;
    const double *ai = a.Row(i);
    for (int j = 1; j <= n; ++j)
      if (std::fabs(ai[j]) > big) big = std::fabs(ai[j]);
    if (big == 0) return Singular();
    scale[i] = 1 / big;
  }

  const std::size_t ld = static_cast<std::size_t>(n + 1);
  double *lt = s.lowerT.data();
  double *t = s.col.data();

  // Crout's order, column by column. Each entry receives its updates term by term in
  // increasing k, as the dot-product form would; the column form keeps the inner loop
  // contiguous.
  for (int j = 1; j <= n; ++j) {
    for (int i = 1; i <= n; ++i)
      t[i] = a(i, j);
    for (int k = 1; k < j; ++k) {
      const double tk = t[k];
      if (tk == 0) continue; // adds only zeros (a basis is mostly unit columns)
      const double *lk = lt + static_cast<std::size_t>(k) * ld;
      AddMultiple(t + k + 1, lk + k + 1, -tk, n - k); // t[i] -= lk[i] * tk
    }
    double big = 0;
    int p = j;
    for (int i = 1; i <= n; ++i) {
      a(i, j) = t[i];
      if (i >= j) {
        const double d = scale[i] * std::fabs(t[i]);
        if (d >= big) { // ties go to the later row
          big = d;
          p = i;
        }
      }
    }
    if (p != j) {
      double *rp = a.Row(p);
      double *rj = a.Row(j);
      for (int c = 1; c <= n; ++c)
        std::swap(rp[c], rj[c]);
      for (int k = 1; k < j; ++k)
        std::swap(lt[k * ld + p], lt[k * ld + j]);
      g.Determinant = -g.Determinant;
      scale[p] = scale[j];
      std::swap(perm[j], perm[p]);
    }
    const double pivot = a(j, j);
    if (rules.equilibrate ? big <= kRelativePivotTol : std::fabs(pivot) <= kPivotTol) return Singular();
    if (j < n) {
      const double r = 1 / pivot;
      double *lj = lt + static_cast<std::size_t>(j) * ld;
      for (int i = j + 1; i <= n; ++i) {
        a(i, j) = a(i, j) * r;
        lj[i] = a(i, j);
      }
    }
  }

  DeterminantParts det{g.Determinant < 0 ? -0.5 : 0.5, 1, false};
  for (int i = 1; i <= n; ++i)
    MultiplyParts(det, a(i, i), false);
  if (rules.equilibrate)
    for (int j = 1; j <= n; ++j)
      MultiplyParts(det, colScale[j], true);
  // Outside the range of a double the nearest nonzero finite value stands in, so that 0
  // keeps meaning singular; the parts keep the true value.
  const double v =
      std::ldexp(det.mantissa, static_cast<int>(std::clamp<long long>(det.exponent, -100000, 100000)));
  det.outOfRange = !std::isnormal(v);
  if (v == 0)
    g.Determinant = std::copysign(std::numeric_limits<double>::denorm_min(), det.mantissa);
  else if (std::isinf(v))
    g.Determinant = std::copysign(std::numeric_limits<double>::max(), det.mantissa);
  else
    g.Determinant = v;
  LastParts() = det;

  // Forward substitution of all unit columns at once: row i of L^-1 from the rows above it.
  // Column c of a row is touched only from k = c on, which is the leading-zero skip.
  double *w = s.work.data();
  for (int i = 1; i <= n; ++i) {
    double *wi = w + static_cast<std::size_t>(i) * ld;
    for (int c = 1; c < i; ++c)
      wi[c] = 0;
    wi[i] = 1;
    for (int c = i + 1; c <= n; ++c)
      wi[c] = 0;
    const double *ai = a.Row(i);
    for (int k = 1; k < i; ++k) {
      const double lik = ai[k];
      if (lik == 0) continue;
      const double *wk = w + static_cast<std::size_t>(k) * ld;
      AddMultiple(wi + 1, wk + 1, -lik, k); // wi[c] -= lik * wk[c]
    }
  }
  // Back substitution, bottom row first; entries at or below Eps become 0 before the rows
  // above read them.
  const double eps = rules.snap;
  bool zeroed = false;
  for (int i = n; i >= 1; --i) {
    double *wi = w + static_cast<std::size_t>(i) * ld;
    const double *ai = a.Row(i);
    for (int k = i + 1; k <= n; ++k) {
      const double uik = ai[k];
      if (uik == 0) continue;
      const double *wk = w + static_cast<std::size_t>(k) * ld;
      AddMultiple(wi + 1, wk + 1, -uik, n); // wi[c] -= uik * wk[c]
    }
    const double piv = ai[i];
    if (eps > 0) {
      for (int c = 1; c <= n; ++c) {
        const double x = wi[c] / piv;
        const bool keep = std::fabs(x) > eps;
        zeroed = zeroed || (!keep && x != 0);
        wi[c] = keep ? x : 0;
      }
    } else {
      for (int c = 1; c <= n; ++c)
        wi[c] /= piv;
    }
  }
  // Solving with unit column c gives column InvPerm(c) of the inverse; with equilibrated
  // columns row i of that inverse is scaled back by column i's factor.
  for (int i = 1; i <= n; ++i) {
    const double *wi = w + static_cast<std::size_t>(i) * ld;
    double *bi = binv.Row(i);
    const double f = rules.equilibrate ? colScale[i] : 1;
    for (int c = 1; c <= n; ++c)
      bi[perm[c]] = wi[c] * f;
  }
  for (int i = 1; i < n; ++i)
    workCol[i] = 0;
  workCol[n] = 1;
  LastZeroed() = zeroed;
  return true;
}

} // namespace

bool LastInversionZeroedAnEntry() {
  return LastZeroed();
}

DeterminantParts LastDeterminant() {
  return LastParts();
}

std::string DeterminantText(std::string_view pattern) {
  const DeterminantParts d = LastParts();
  if (d.mantissa == 0) return Format(0.0, pattern);
  if (!d.outOfRange) return Format(std::ldexp(d.mantissa, static_cast<int>(d.exponent)), pattern);
  // log10 |m * 2^e| split into a decimal exponent and a mantissa in [1, 10).
  const long double lg = std::log10(std::fabs(static_cast<long double>(d.mantissa))) +
                         static_cast<long double>(d.exponent) * std::log10(2.0L);
  long long ex = static_cast<long long>(std::floor(lg));
  const double m =
      std::copysign(static_cast<double>(std::pow(10.0L, lg - static_cast<long double>(ex))), d.mantissa);
  // A scientific pattern is used as it stands; a fixed one lends its decimals.
  std::string sci(pattern);
  const std::size_t e = sci.find_first_of("eE");
  const bool scientific =
      e != std::string::npos && e + 1 < sci.size() && (sci[e + 1] == '+' || sci[e + 1] == '-');
  if (!scientific) {
    const std::size_t point = sci.find('.');
    std::size_t decimals = 0;
    if (point != std::string::npos)
      while (point + 1 + decimals < sci.size() &&
             (sci[point + 1 + decimals] == '0' || sci[point + 1 + decimals] == '#'))
        ++decimals;
    sci = decimals > 0 ? "0." + std::string(decimals, '0') + "E+00" : "0E+00";
  }
  // The mantissa alone, then its exponent (1 when it rounded up to 10) added to ex.
  std::string text = Format(m, sci);
  const std::size_t at = text.find_last_of("eE");
  if (at == std::string::npos) return text;
  std::size_t digitsAt = at + 1;
  bool negative = false;
  if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-'))
    negative = text[digitsAt++] == '-';
  std::size_t digitsEnd = digitsAt;
  while (digitsEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[digitsEnd])))
    ++digitsEnd;
  const std::size_t width = digitsEnd - digitsAt;
  const long long shown = std::stoll(text.substr(digitsAt, width));
  ex += negative ? -shown : shown;
  std::string digits = std::to_string(ex < 0 ? -ex : ex);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  const bool alwaysSign = sci[sci.find_first_of("eE") + 1] == '+';
  const std::string sign = ex < 0 ? "-" : alwaysSign ? "+" : "";
  return text.substr(0, at + 1) + sign + digits + text.substr(digitsEnd);
}

bool InvertMatrix() {
  return Invert({false, g.Eps});
}

bool InvertBasisMatrix() {
  return Invert({true, 0});
}

void SolveByInverse() {
  const int m = g.MRows;
  const int rhs = g.NVars + 1;
  for (int i = 1; i <= m; ++i) {
    g.XBasic(i) = 0;
    for (int j = 1; j <= g.NVars; ++j)
      g.XBasic(i) = g.XBasic(i) + g.BInv(i, j) * g.InvInput(j, rhs);
  }
}

} // namespace quon
