// Unchecked row access to a zero-based two-dimensional array of the data module, for the
// inner loops of the linear solvers. The bounds are checked once, when the view is made.
#pragma once

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

} // namespace quon
