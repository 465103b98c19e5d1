#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "linear/mod_inverse.h"
#include "platform/values.h"
#include "shell/mod1.h"

using namespace quon;

namespace {

using Matrix = std::vector<std::vector<double>>;

// Dimensions the inversion arrays as the matrix models do and copies the matrix in.
void Load(const Matrix &a, const std::vector<double> &rhs = {}) {
  g = Mod1{};
  g.Eps = 1E-8;
  const int n = static_cast<int>(a.size());
  g.MRows = static_cast<int16>(n);
  g.NVars = static_cast<int16>(n);
  g.InvRowScale.ReDim(n);
  g.InvWorkCol.ReDim(n);
  g.InvInput.ReDim(n, n + 1);
  g.BInv.ReDim(n + 1, n + 1);
  g.XBasic.ReDim(n + 1);
  g.InvPerm.ReDim(n + 1);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j)
      g.InvInput(i, j) = a[i - 1][j - 1];
    if (!rhs.empty()) g.InvInput(i, n + 1) = rhs[i - 1];
  }
}

double Residual(const Matrix &a) {
  const int n = static_cast<int>(a.size());
  double worst = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      double s = 0;
      for (int k = 1; k <= n; ++k)
        s += a[i - 1][k - 1] * g.BInv(k, j);
      worst = std::max(worst, std::fabs(s - (i == j ? 1.0 : 0.0)));
    }
  return worst;
}

double Binomial(int n, int k) {
  double r = 1;
  for (int i = 1; i <= k; ++i)
    r = r * (n - k + i) / i;
  return r;
}

} // namespace

TEST(InvertMatrix, SmallCasesPivotOrderAndDeterminant) {
  Load({{4}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_DOUBLE_EQ(g.Determinant, 4);
  EXPECT_DOUBLE_EQ(g.BInv(1, 1), 0.25);

  // A tiny 1-by-1 pivot is singular; a huge one inverts to a value snapped to 0.
  Load({{1E-8}});
  EXPECT_FALSE(InvertMatrix());
  EXPECT_EQ(g.Determinant, 0);
  Load({{1E8}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_EQ(g.BInv(1, 1), 0);

  // One interchange: the determinant changes sign and the permutation records it.
  Load({{0, 1}, {1, 0}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_DOUBLE_EQ(g.Determinant, -1);
  EXPECT_EQ(g.InvPerm(1), 2);
  EXPECT_EQ(g.InvPerm(2), 1);
  EXPECT_DOUBLE_EQ(g.BInv(1, 1), 0);
  EXPECT_DOUBLE_EQ(g.BInv(1, 2), 1);
  EXPECT_DOUBLE_EQ(g.BInv(2, 1), 1);
  EXPECT_DOUBLE_EQ(g.BInv(2, 2), 0);

  // Equal scaled candidates: the later row is the first pivot row.
  Load({{2, 1}, {2, 1.5}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_EQ(g.InvPerm(1), 2);
  EXPECT_EQ(g.InvPerm(2), 1);
  EXPECT_DOUBLE_EQ(g.Determinant, 1);
  EXPECT_DOUBLE_EQ(g.BInv(1, 1), 1.5);
  EXPECT_DOUBLE_EQ(g.BInv(1, 2), -1);
  EXPECT_DOUBLE_EQ(g.BInv(2, 1), -2);
  EXPECT_DOUBLE_EQ(g.BInv(2, 2), 2);
  // The factors replace the matrix: L below the diagonal, U on and above it.
  EXPECT_DOUBLE_EQ(g.InvInput(1, 1), 2);
  EXPECT_DOUBLE_EQ(g.InvInput(1, 2), 1.5);
  EXPECT_DOUBLE_EQ(g.InvInput(2, 1), 1);
  EXPECT_DOUBLE_EQ(g.InvInput(2, 2), -0.5);
}

TEST(InvertMatrix, SingularMatricesLeaveTheOldInverse) {
  Load({{1, 2}, {0, 0}});
  g.BInv(1, 1) = 7;
  g.BInv(2, 2) = 9;
  EXPECT_FALSE(InvertMatrix());
  EXPECT_EQ(g.Determinant, 0);
  EXPECT_EQ(g.BInv(1, 1), 7);
  EXPECT_EQ(g.BInv(2, 2), 9);
  EXPECT_EQ(g.InvInput(1, 2), 2); // an all-zero row is found before any factoring

  Load({{1, 2}, {2, 4}});
  g.BInv(1, 2) = 5;
  EXPECT_FALSE(InvertMatrix());
  EXPECT_EQ(g.Determinant, 0);
  EXPECT_EQ(g.BInv(1, 2), 5);
  EXPECT_EQ(g.InvPerm(1), 2); // the tie in column 1 went to the later row
}

TEST(InvertMatrix, SmallEntriesAreStoredAsZero) {
  // The inverse of [[1, 1E-9], [0, 1]] has -1E-9 at (1, 2), which is stored as 0.
  Load({{1, 1E-9}, {0, 1}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_EQ(g.BInv(1, 2), 0);
  EXPECT_EQ(g.BInv(1, 1), 1);
  EXPECT_EQ(g.BInv(2, 2), 1);

  // Column entries above a snapped one are computed from the stored 0: here (2, 3) = 5E-9
  // snaps to 0, so (1, 3) = -2000 * 0 = 0 rather than -1E-5.
  Load({{1, 2000, 0}, {0, 1, -5E-9}, {0, 0, 1}});
  EXPECT_TRUE(InvertMatrix());
  EXPECT_EQ(g.BInv(2, 3), 0);
  EXPECT_EQ(g.BInv(1, 3), 0);
}

TEST(InvertMatrix, ClassicMatrices) {
  // Hilbert matrices: exact inverses have integer entries.
  for (int n = 2; n <= 6; ++n) {
    Matrix h(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        h[i][j] = 1.0 / (i + j + 1);
    Load(h);
    ASSERT_TRUE(InvertMatrix()) << n;
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        // (H^-1)_ij = (-1)^(i+j) (i+j-1) C(n+i-1, n-j) C(n+j-1, n-i) C(i+j-2, i-1)^2
        const double sign = (i + j) % 2 == 0 ? 1 : -1;
        const double c = Binomial(i + j - 2, i - 1);
        const double exact =
            sign * (i + j - 1) * Binomial(n + i - 1, n - j) * Binomial(n + j - 1, n - i) * c * c;
        EXPECT_NEAR(g.BInv(i, j), exact, 1E-6 * std::fabs(exact)) << n << " " << i << " " << j;
      }
  }
  // Pascal matrices have determinant 1.
  for (int n = 2; n <= 10; ++n) {
    Matrix p(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        p[i][j] = Binomial(i + j, i);
    Load(p);
    ASSERT_TRUE(InvertMatrix());
    EXPECT_NEAR(g.Determinant, 1, 1E-6) << n;
    EXPECT_LT(Residual(p), 1E-6) << n;
  }
  // Permutation matrices: the inverse is the transpose, the determinant the permutation's sign.
  std::mt19937 rng(7);
  for (int n = 1; n <= 12; ++n) {
    std::vector<int> q(n);
    for (int i = 0; i < n; ++i)
      q[i] = i;
    std::shuffle(q.begin(), q.end(), rng);
    Matrix p(n, std::vector<double>(n, 0));
    for (int i = 0; i < n; ++i)
      p[i][q[i]] = 1;
    int inversions = 0;
    for (int i = 0; i < n; ++i)
      for (int j = i + 1; j < n; ++j)
        inversions += q[i] > q[j];
    Load(p);
    ASSERT_TRUE(InvertMatrix());
    EXPECT_EQ(g.Determinant, inversions % 2 == 0 ? 1 : -1) << n;
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        EXPECT_EQ(g.BInv(i, j), p[j - 1][i - 1]);
  }
}

TEST(InvertMatrix, RandomMatricesByResidual) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> u(-10, 10);
  for (int n : {1, 2, 3, 5, 8, 13, 25, 50, 100}) {
    Matrix a(n, std::vector<double>(n));
    for (auto &row : a)
      for (auto &x : row)
        x = u(rng);
    Load(a);
    ASSERT_TRUE(InvertMatrix()) << n;
    EXPECT_LT(Residual(a), 1E-6) << n;
    // The determinant agrees with the product of the pivots of a plain elimination.
    Matrix b = a;
    double det = 1;
    for (int k = 0; k < n; ++k) {
      int p = k;
      for (int i = k + 1; i < n; ++i)
        if (std::fabs(b[i][k]) > std::fabs(b[p][k])) p = i;
      if (p != k) {
        std::swap(b[p], b[k]);
        det = -det;
      }
      det *= b[k][k];
      for (int i = k + 1; i < n; ++i) {
        const double f = b[i][k] / b[k][k];
        for (int j = k; j < n; ++j)
          b[i][j] -= f * b[k][j];
      }
    }
    EXPECT_NEAR(g.Determinant, det, 1E-9 * std::fabs(det)) << n;
  }
}

// The factoring runs column-wise for speed; every entry must still receive the same
// operations in the same order as the textbook dot-product form, so results agree to the bit.
TEST(InvertMatrix, AgreesBitForBitWithTheDotProductForm) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> small(-3, 3);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int trial = 0; trial < 40; ++trial) {
    const int n = 1 + trial % 9;
    Matrix a(n, std::vector<double>(n));
    for (auto &row : a)
      for (auto &x : row)
        x = trial % 2 ? u(rng) : small(rng); // small integers force ties
    Load(a);
    const bool ok = InvertMatrix();

    // Crout's method, literally.
    Matrix f = a;
    std::vector<double> scale(n);
    std::vector<int> perm(n);
    double det = 1;
    bool singular = false;
    for (int i = 0; i < n && !singular; ++i) {
      perm[i] = i;
      double big = 0;
      for (int j = 0; j < n; ++j)
        big = std::max(big, std::fabs(f[i][j]));
      if (big == 0)
        singular = true;
      else
        scale[i] = 1 / big;
    }
    for (int j = 0; j < n && !singular; ++j) {
      for (int i = 0; i < j; ++i) {
        double s = f[i][j];
        for (int k = 0; k < i; ++k)
          s -= f[i][k] * f[k][j];
        f[i][j] = s;
      }
      double big = 0;
      int p = j;
      for (int i = j; i < n; ++i) {
        double s = f[i][j];
        for (int k = 0; k < j; ++k)
          s -= f[i][k] * f[k][j];
        f[i][j] = s;
        if (scale[i] * std::fabs(s) >= big) {
          big = scale[i] * std::fabs(s);
          p = i;
        }
      }
      if (p != j) {
        std::swap(f[p], f[j]);
        det = -det;
        scale[p] = scale[j];
        std::swap(perm[p], perm[j]);
      }
      if (std::fabs(f[j][j]) <= 1E-8)
        singular = true;
      else
        for (int i = j + 1; i < n; ++i)
          f[i][j] *= 1 / f[j][j];
    }
    ASSERT_EQ(ok, !singular) << trial;
    if (singular) continue;
    for (int i = 0; i < n; ++i)
      det *= f[i][i];
    EXPECT_EQ(g.Determinant, det) << trial;
    Matrix inv(n, std::vector<double>(n, 0));
    for (int c = 0; c < n; ++c) {
      std::vector<double> w(n, 0);
      w[c] = 1;
      int first = -1;
      for (int i = 0; i < n; ++i) {
        double s = w[i];
        if (first >= 0)
          for (int k = first; k < i; ++k)
            s -= f[i][k] * w[k];
        else if (s != 0)
          first = i;
        w[i] = s;
      }
      const int q = perm[c];
      for (int i = n - 1; i >= 0; --i) {
        double s = w[i];
        for (int k = i + 1; k < n; ++k)
          s -= f[i][k] * inv[k][q];
        const double x = s / f[i][i];
        inv[i][q] = std::fabs(x) > 1E-8 ? x : 0;
      }
    }
    for (int i = 1; i <= n; ++i) {
      EXPECT_EQ(g.InvPerm(i), perm[i - 1] + 1) << trial;
      for (int j = 1; j <= n; ++j) {
        EXPECT_EQ(g.InvInput(i, j), f[i - 1][j - 1]) << trial;
        EXPECT_EQ(g.BInv(i, j), inv[i - 1][j - 1]) << trial;
      }
    }
  }
}

TEST(SolveByInverse, SolvesWithTheRightHandSideColumn) {
  Load({{2, 1}, {1, 3}}, {5, 10});
  ASSERT_TRUE(InvertMatrix());
  SolveByInverse();
  EXPECT_NEAR(g.XBasic(1), 1, 1E-12);
  EXPECT_NEAR(g.XBasic(2), 3, 1E-12);
  // The right-hand side stays where it was typed: the interchanges cover columns 1..n only.
  EXPECT_EQ(g.InvInput(1, 3), 5);
  EXPECT_EQ(g.InvInput(2, 3), 10);

  Load({{0, 1, 0}, {0, 0, 2}, {4, 0, 0}}, {3, 4, 8});
  ASSERT_TRUE(InvertMatrix());
  SolveByInverse();
  EXPECT_NEAR(g.XBasic(1), 2, 1E-12);
  EXPECT_NEAR(g.XBasic(2), 3, 1E-12);
  EXPECT_NEAR(g.XBasic(3), 2, 1E-12);
}

// Seeded invertible matrices up to order 100 at scales from 1E-6 to 1E6, whose determinants
// reach far beyond a double (order 100 at 1E-6 is about 1E-400): never reported singular,
// the shown determinant agrees with an independent elimination in long double, and wherever
// the plain product of the pivots stays normal the value and text are exactly that product's.
TEST(InvertMatrix, DeterminantBeyondTheRangeOfADouble) {
  std::mt19937 rng(2024);
  std::uniform_real_distribution<double> u(-1, 1);
  std::uniform_int_distribution<int> order(1, 100);
  int outside = 0;
  for (int trial = 0; trial < 120; ++trial) {
    const int n = trial < 4 ? 100 : order(rng);
    const double scale = std::pow(10.0, trial < 4 ? (trial % 2 ? 6 : -6) : 12 * (u(rng) + 1) / 2 - 6);
    Matrix a(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        a[i][j] = scale * (u(rng) + (i == j ? 0.6 * n + 1 : 0));
    // Reference: partial pivoting in long double, sign and log10 of |det| as a sum.
    std::vector<std::vector<long double>> b(n, std::vector<long double>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        b[i][j] = a[i][j];
    long double lg = 0;
    bool negative = false;
    for (int k = 0; k < n; ++k) {
      int p = k;
      for (int i = k + 1; i < n; ++i)
        if (std::fabs(b[i][k]) > std::fabs(b[p][k])) p = i;
      if (p != k) std::swap(b[p], b[k]), negative = !negative;
      negative = negative != (b[k][k] < 0);
      lg += std::log10(std::fabs(b[k][k]));
      for (int i = k + 1; i < n; ++i) {
        const long double f = b[i][k] / b[k][k];
        for (int j = k; j < n; ++j)
          b[i][j] -= f * b[k][j];
      }
    }
    Load(a);
    ASSERT_TRUE(InvertMatrix()) << trial;
    ASSERT_NE(g.Determinant, 0) << trial;
    const DeterminantParts d = LastDeterminant();
    const std::string text = DeterminantText("0.00000000000000e+00");
    const std::size_t e = text.find('e');
    ASSERT_NE(e, std::string::npos) << text;
    const double shownMantissa = std::stod(text.substr(0, e));
    EXPECT_EQ(shownMantissa < 0, negative) << trial << " " << text;
    EXPECT_NEAR(std::log10(std::fabs(shownMantissa)) + std::stoll(text.substr(e + 1)),
                static_cast<double>(lg), 5E-10)
        << trial << " n=" << n << " " << text;

    // The product of the pivots as the factors hold them, signed by the permutation's parity.
    double plain = 1;
    std::vector<int> perm(n + 1);
    for (int i = 1; i <= n; ++i)
      perm[i] = g.InvPerm(i);
    for (int i = 1; i <= n; ++i)
      while (perm[i] != i)
        std::swap(perm[i], perm[perm[i]]), plain = -plain;
    for (int i = 1; i <= n; ++i)
      plain *= g.InvInput(i, i);
    if (std::isnormal(plain)) {
      EXPECT_FALSE(d.outOfRange);
      EXPECT_EQ(std::ldexp(d.mantissa, static_cast<int>(d.exponent)), plain) << trial;
      EXPECT_EQ(g.Determinant, plain) << trial;
      EXPECT_EQ(DeterminantText("###0.00"), Format(plain, "###0.00"));
      EXPECT_EQ(DeterminantText("0.000e+00"), Format(plain, "0.000e+00"));
    } else {
      ++outside;
      EXPECT_TRUE(d.outOfRange);
      // Fixed formats lend their decimals to a scientific text.
      const std::string fixed = DeterminantText("##0.000");
      EXPECT_EQ(fixed.substr(fixed.find('.'), 5), fixed.substr(fixed.find('.'), 4) + "E") << fixed;
    }
  }
  EXPECT_GE(outside, 4);

  // The rounding of the mantissa carries into the exponent, and a fixed format lends its
  // decimals: 9.99942E-401 shown with two decimals is 1.00E-400.
  Matrix tiny(100, std::vector<double>(100, 0.0));
  for (int i = 0; i < 100; ++i)
    tiny[i][i] = i == 0 ? 9.99942E-5 : 1E-4;
  Load(tiny);
  ASSERT_TRUE(InvertMatrix());
  EXPECT_EQ(DeterminantText("###0.00"), "1.00E-400");
  EXPECT_EQ(DeterminantText("0.0000e+000"), "9.9994e-401");
}
