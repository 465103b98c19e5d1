// Unchecked row access to a zero-based two-dimensional array of the data module, for the
// inner loops of the linear solvers. The bounds are checked once, when the view is made.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>

#include "platform/bounded_array.h"

namespace quon {

class RawMatrix {
public:
  // The view needs rows 0..rows and columns 0..cols of the array.
  RawMatrix(BArray<double> &a, int rows, int cols) {
    if (a.Dims() != 2 || a.LBound(1) != 0 || a.LBound(2) != 0 || a.UBound(1) < rows || a.UBound(2) < cols)
      throw IndexFault("matrix smaller than " + std::to_string(rows) + " x " + std::to_string(cols));
    stride_ = static_cast<std::size_t>(a.UBound(2)) + 1;
    p_ = a.Raw();
  }
  double *Row(int i) const { return p_ + static_cast<std::size_t>(i) * stride_; }
  double &operator()(int i, int j) const { return Row(i)[j]; }

private:
  double *p_ = nullptr;
  std::size_t stride_ = 0;
};

// A zero-based one-dimensional array checked to reach index hi; returns its raw storage.
template <class T> T *RawVector(BArray<T> &a, int hi) {
  if (a.Dims() != 1 || a.LBound(1) != 0 || a.UBound(1) < hi)
    throw IndexFault("vector shorter than " + std::to_string(hi));
  return a.Raw();
}

// to[k] += |f * from[k]| for k < n.
inline void AddAbsMultiple(double *__restrict to, const double *__restrict from, double f, int n) {
  const double a = std::fabs(f);
  for (int k = 0; k < n; ++k)
    to[k] += a * std::fabs(from[k]);
}

// to[k] += f * from[k] for k < n, on arrays that do not overlap. Four independent elements a
// round, so the compiler can pack them; each element's arithmetic is the plain one.
inline void AddMultiple(double *__restrict to, const double *__restrict from, double f, int n) {
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    const double a0 = to[k] + f * from[k], a1 = to[k + 1] + f * from[k + 1];
    const double a2 = to[k + 2] + f * from[k + 2], a3 = to[k + 3] + f * from[k + 3];
    to[k] = a0;
    to[k + 1] = a1;
    to[k + 2] = a2;
    to[k + 3] = a3;
  }
  for (; k < n; ++k)
    to[k] += f * from[k];
}

// out[r] = sum over the columns of a's row r times v, for rows 1..rows; the columns are 1..count,
// or cols[0..count) when given. Each sum is taken term by term in column order, so it is the
// plain loop's to the last bit; kRows rows are summed side by side so that their additions
// overlap instead of each waiting for the one before. With `size`, size[r] sums the magnitudes
// of the same terms.
template <bool kSize, int kPairs>
inline void RowDotsBlock(const RawMatrix &a, int r, const double *v, const int *cols, int count, double *out,
                         double *size) {
  // Two rows to a vector: each lane does its own row's arithmetic, element by element.
  typedef double Pair __attribute__((vector_size(16)));
  typedef long long Bits __attribute__((vector_size(16)));
  const Bits magnitude = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  const double *p[2 * kPairs];
  Pair s[kPairs], t[kPairs];
  for (int q = 0; q < 2 * kPairs; ++q)
    p[q] = a.Row(r + q);
  for (int q = 0; q < kPairs; ++q) {
    s[q] = Pair{0, 0};
    t[q] = Pair{0, 0};
  }
  for (int k = 0; k < count; ++k) {
    const int j = cols != nullptr ? cols[k] : k + 1;
    const Pair vj = {v[j], v[j]};
    for (int q = 0; q < kPairs; ++q) {
      const Pair x = Pair{p[2 * q][j], p[2 * q + 1][j]} * vj;
      s[q] += x;
      if constexpr (kSize) t[q] += reinterpret_cast<Pair>(reinterpret_cast<Bits>(x) & magnitude);
    }
  }
  for (int q = 0; q < kPairs; ++q) {
    out[r + 2 * q] = s[q][0];
    out[r + 2 * q + 1] = s[q][1];
    if constexpr (kSize) {
      size[r + 2 * q] = t[q][0];
      size[r + 2 * q + 1] = t[q][1];
    }
  }
}

// One row by itself.
template <bool kSize>
inline void RowDot(const RawMatrix &a, int r, const double *v, const int *cols, int count, double *out,
                   double *size) {
  const double *p = a.Row(r);
  double s = 0, t = 0;
  for (int k = 0; k < count; ++k) {
    const int j = cols != nullptr ? cols[k] : k + 1;
    const double x = p[j] * v[j];
    s += x;
    if constexpr (kSize) t += std::fabs(x);
  }
  out[r] = s;
  if constexpr (kSize) size[r] = t;
}

template <bool kSize>
inline void RowDots(const RawMatrix &a, int rows, const double *v, const int *cols, int count, double *out,
                    double *size) {
  constexpr int kPairs = 4;
  int r = 1;
  for (; r + 2 * kPairs <= rows + 1; r += 2 * kPairs)
    RowDotsBlock<kSize, kPairs>(a, r, v, cols, count, out, size);
  for (; r <= rows; ++r)
    RowDot<kSize>(a, r, v, cols, count, out, size);
}

} // namespace quon
