#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "linear/raw_matrix.h"

using namespace quon;

namespace {

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The row sums the simplex steps take side by side must be the plain loop's to the last bit
// (the pivots and every tableau depend on them), for any number of rows, with and without a
// list of columns, and with the sums of magnitudes beside them.
TEST(RowDots, EveryRowIsThePlainLoopsSum) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int trial = 0; trial < 60; ++trial) {
    const int rows = 1 + trial % 21, cols = 1 + static_cast<int>(rng() % 30);
    BArray<double> a;
    a.ReDim(rows, cols);
    std::vector<double> v(static_cast<std::size_t>(cols) + 1);
    for (int j = 1; j <= cols; ++j)
      v[j] = rng() % 4 == 0 ? 0 : std::ldexp(u(rng), static_cast<int>(rng() % 40) - 20);
    RawMatrix m(a, rows, cols);
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j)
        m(i, j) = rng() % 3 == 0 ? 0 : std::ldexp(u(rng), static_cast<int>(rng() % 40) - 20);
    std::vector<int> list;
    for (int j = 1; j <= cols; ++j)
      if (v[j] != 0 || trial % 2) list.push_back(j);
    for (const bool listed : {false, true}) {
      const int count = listed ? static_cast<int>(list.size()) : cols;
      std::vector<double> out(static_cast<std::size_t>(rows) + 1), size(out.size()), plain(out.size());
      RowDots<true>(m, rows, v.data(), listed ? list.data() : nullptr, count, out.data(), size.data());
      RowDots<false>(m, rows, v.data(), listed ? list.data() : nullptr, count, plain.data(), nullptr);
      for (int i = 1; i <= rows; ++i) {
        double s = 0, t = 0;
        for (int k = 0; k < count; ++k) {
          const int j = listed ? list[static_cast<std::size_t>(k)] : k + 1;
          s += m(i, j) * v[j];
          t += std::fabs(m(i, j) * v[j]);
        }
        EXPECT_TRUE(SameBits(out[i], s) && SameBits(plain[i], s)) << trial << " row " << i;
        EXPECT_TRUE(SameBits(size[i], t)) << trial << " row " << i;
      }
    }
  }
}

} // namespace
