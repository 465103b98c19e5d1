#include "linear/exact_basis.h"

#include <algorithm>
#include <cstddef>

namespace quon::exact {

namespace {

// Rational LU of an m x m basis matrix by Gaussian elimination, each pivot the nonzero entry
// of least fill (Markowitz count): a basis made mostly of slack columns then costs little more
// than its structural part.
class RationalLU {
public:
  explicit RationalLU(int m) : m_(m), w_(static_cast<std::size_t>(m) * m) {}

  mpq_class &At(int i, int j) { return w_[static_cast<std::size_t>(i) * m_ + j]; }

  bool Factor() {
    std::vector<char> rowDone(m_, 0), colDone(m_, 0);
    std::vector<int> rowCount(m_), colCount(m_);
    for (int k = 0; k < m_; ++k) {
      std::fill(rowCount.begin(), rowCount.end(), 0);
      std::fill(colCount.begin(), colCount.end(), 0);
      for (int i = 0; i < m_; ++i) {
        if (rowDone[i]) continue;
        for (int j = 0; j < m_; ++j)
          if (!colDone[j] && sgn(At(i, j)) != 0) {
            ++rowCount[i];
            ++colCount[j];
          }
      }
      int pr = -1, pc = -1;
      long best = -1;
      for (int i = 0; i < m_ && best != 0; ++i) {
        if (rowDone[i]) continue;
        for (int j = 0; j < m_; ++j) {
          if (colDone[j] || sgn(At(i, j)) == 0) continue;
          const long cost = static_cast<long>(rowCount[i] - 1) * (colCount[j] - 1);
          if (best < 0 || cost < best) {
            best = cost;
            pr = i;
            pc = j;
            if (best == 0) break;
          }
        }
      }
      if (pr < 0) return false;
      pivotRow_.push_back(pr);
      pivotCol_.push_back(pc);
      rowDone[pr] = 1;
      colDone[pc] = 1;
      for (int i = 0; i < m_; ++i) {
        if (rowDone[i] || sgn(At(i, pc)) == 0) continue;
        mpq_class l = At(i, pc) / At(pr, pc);
        for (int j = 0; j < m_; ++j)
          if (!colDone[j] && sgn(At(pr, j)) != 0) At(i, j) -= l * At(pr, j);
        At(i, pc) = 0;
        ops_.push_back({pr, i, std::move(l)});
      }
    }
    return true;
  }

  // Solves B v = r (r indexed by rows, v by basis positions).
  std::vector<mpq_class> Solve(std::vector<mpq_class> r) {
    for (const Op &op : ops_)
      if (sgn(r[op.pivotRow]) != 0) r[op.row] -= op.l * r[op.pivotRow];
    std::vector<mpq_class> v(m_);
    for (int k = m_ - 1; k >= 0; --k) {
      const int pr = pivotRow_[k], pc = pivotCol_[k];
      mpq_class s = r[pr];
      for (int j = 0; j < m_; ++j)
        if (j != pc && sgn(At(pr, j)) != 0) s -= At(pr, j) * v[j];
      v[pc] = s / At(pr, pc);
    }
    return v;
  }

  // Solves y B = c (c indexed by basis positions, y by rows).
  std::vector<mpq_class> SolveTransposed(const std::vector<mpq_class> &c) {
    std::vector<mpq_class> z(m_);
    for (int k = 0; k < m_; ++k) {
      const int pr = pivotRow_[k], pc = pivotCol_[k];
      mpq_class s = c[pc];
      for (int q = 0; q < k; ++q) {
        const int i = pivotRow_[q];
        if (sgn(At(i, pc)) != 0 && sgn(z[i]) != 0) s -= z[i] * At(i, pc);
      }
      z[pr] = s / At(pr, pc);
    }
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it)
      if (sgn(z[it->row]) != 0) z[it->pivotRow] -= it->l * z[it->row];
    return z;
  }

private:
  struct Op {
    int pivotRow, row;
    mpq_class l;
  };
  int m_;
  std::vector<mpq_class> w_;
  std::vector<int> pivotRow_, pivotCol_;
  std::vector<Op> ops_;
};

bool Factored(const StandardForm &sf, const Basis &basis, RationalLU &lu) {
  if (static_cast<int>(basis.basic.size()) != sf.m) return false;
  for (int r = 0; r < sf.m; ++r) {
    const int j = basis.basic[r];
    if (j < 0 || j >= sf.n) return false;
    for (int i = 0; i < sf.m; ++i)
      if (sf.A(i, j) != 0) lu.At(i, r) = sf.A(i, j);
  }
  return lu.Factor();
}

mpq_class NonbasicValue(const StandardForm &sf, const Basis &basis, int j) {
  const AtBound at = static_cast<std::size_t>(j) < basis.nonbasic.size() ? basis.nonbasic[j] : AtBound::Lower;
  if (at == AtBound::Lower && sf.HasLower(j)) return mpq_class(sf.lower[j]);
  if (at == AtBound::Upper && sf.HasUpper(j)) return mpq_class(sf.upper[j]);
  return mpq_class(0);
}

// sum over rows of y_i A_ij.
mpq_class ColumnProduct(const StandardForm &sf, const std::vector<mpq_class> &y, int j) {
  mpq_class s = 0;
  for (int i = 0; i < sf.m; ++i)
    if (sf.A(i, j) != 0 && sgn(y[i]) != 0) s += y[i] * mpq_class(sf.A(i, j));
  return s;
}

} // namespace

void StandardForm::Resize(int rows, int cols) {
  m = rows;
  n = cols;
  a.assign(static_cast<std::size_t>(rows) * cols, 0.0);
  b.assign(rows, 0.0);
  c.assign(cols, 0.0);
  lower.assign(cols, 0.0);
  upper.assign(cols, HUGE_VAL);
}

std::vector<double> BasisCheck::XDouble() const {
  std::vector<double> out(x.size());
  for (std::size_t j = 0; j < x.size(); ++j) out[j] = x[j].get_d();
  return out;
}

BasisCheck CheckBasis(const StandardForm &sf, const Basis &basis) {
  BasisCheck out;
  RationalLU lu(sf.m);
  if (!Factored(sf, basis, lu)) {
    out.singular = true;
    return out;
  }
  std::vector<char> isBasic(sf.n, 0);
  for (int j : basis.basic) isBasic[j] = 1;
  out.x.assign(sf.n, mpq_class(0));
  for (int j = 0; j < sf.n; ++j)
    if (!isBasic[j]) out.x[j] = NonbasicValue(sf, basis, j);
  std::vector<mpq_class> r(sf.m);
  for (int i = 0; i < sf.m; ++i) {
    r[i] = sf.b[i];
    for (int j = 0; j < sf.n; ++j)
      if (!isBasic[j] && sf.A(i, j) != 0 && sgn(out.x[j]) != 0) r[i] -= mpq_class(sf.A(i, j)) * out.x[j];
  }
  const std::vector<mpq_class> xb = lu.Solve(std::move(r));
  out.primalFeasible = true;
  for (int p = 0; p < sf.m; ++p) {
    const int j = basis.basic[p];
    out.x[j] = xb[p];
    if ((sf.HasLower(j) && xb[p] < sf.lower[j]) || (sf.HasUpper(j) && xb[p] > sf.upper[j])) {
      if (out.primalFeasible) out.infeasibleRow = p;
      out.primalFeasible = false;
    }
  }
  std::vector<mpq_class> cb(sf.m);
  for (int p = 0; p < sf.m; ++p) cb[p] = sf.c[basis.basic[p]];
  out.y = lu.SolveTransposed(cb);
  out.d.assign(sf.n, mpq_class(0));
  out.dualFeasible = true;
  for (int j = 0; j < sf.n; ++j) {
    if (sf.c[j] != 0) out.objective += mpq_class(sf.c[j]) * out.x[j];
    if (isBasic[j]) continue;
    out.d[j] = mpq_class(sf.c[j]) - ColumnProduct(sf, out.y, j);
    const int s = sgn(out.d[j]) * (sf.maximize ? -1 : 1);
    const bool canRise = !sf.HasUpper(j) || out.x[j] < sf.upper[j];
    const bool canFall = !sf.HasLower(j) || out.x[j] > sf.lower[j];
    if ((s < 0 && canRise) || (s > 0 && canFall)) {
      if (out.dualFeasible) out.improvingColumn = j;
      out.dualFeasible = false;
    }
  }
  return out;
}

bool ProvesInfeasible(const StandardForm &sf, const std::vector<mpq_class> &y) {
  if (static_cast<int>(y.size()) != sf.m) return false;
  mpq_class yb = 0;
  for (int i = 0; i < sf.m; ++i)
    if (sgn(y[i]) != 0 && sf.b[i] != 0) yb += y[i] * mpq_class(sf.b[i]);
  // The largest and smallest y A x within the bounds, each while it is finite.
  mpq_class hi = 0, lo = 0;
  bool hiFinite = true, loFinite = true;
  for (int j = 0; j < sf.n; ++j) {
    const mpq_class gj = ColumnProduct(sf, y, j);
    const int s = sgn(gj);
    if (s == 0) continue;
    const bool up = sf.HasUpper(j), down = sf.HasLower(j);
    if (s > 0) {
      if (up) hi += gj * mpq_class(sf.upper[j]); else hiFinite = false;
      if (down) lo += gj * mpq_class(sf.lower[j]); else loFinite = false;
    } else {
      if (down) hi += gj * mpq_class(sf.lower[j]); else hiFinite = false;
      if (up) lo += gj * mpq_class(sf.upper[j]); else loFinite = false;
    }
  }
  return (hiFinite && yb > hi) || (loFinite && yb < lo);
}

bool ProvesInfeasible(const StandardForm &sf, const std::vector<double> &y) {
  std::vector<mpq_class> q(y.size());
  for (std::size_t i = 0; i < y.size(); ++i) q[i] = y[i];
  return ProvesInfeasible(sf, q);
}

bool BasisRowProvesInfeasible(const StandardForm &sf, const Basis &basis, int row) {
  if (row < 0 || row >= sf.m) return false;
  RationalLU lu(sf.m);
  if (!Factored(sf, basis, lu)) return false;
  std::vector<mpq_class> e(sf.m, mpq_class(0));
  e[row] = 1;
  return ProvesInfeasible(sf, lu.SolveTransposed(e));
}

bool IsImprovingRay(const StandardForm &sf, const std::vector<mpq_class> &dx) {
  if (static_cast<int>(dx.size()) != sf.n) return false;
  for (int i = 0; i < sf.m; ++i) {
    mpq_class s = 0;
    for (int j = 0; j < sf.n; ++j)
      if (sf.A(i, j) != 0 && sgn(dx[j]) != 0) s += mpq_class(sf.A(i, j)) * dx[j];
    if (sgn(s) != 0) return false;
  }
  mpq_class gain = 0;
  for (int j = 0; j < sf.n; ++j) {
    const int s = sgn(dx[j]);
    if ((s < 0 && sf.HasLower(j)) || (s > 0 && sf.HasUpper(j))) return false;
    if (s != 0 && sf.c[j] != 0) gain += mpq_class(sf.c[j]) * dx[j];
  }
  return sf.maximize ? sgn(gain) > 0 : sgn(gain) < 0;
}

bool IsImprovingRay(const StandardForm &sf, const std::vector<double> &dx) {
  std::vector<mpq_class> q(dx.size());
  for (std::size_t j = 0; j < dx.size(); ++j) q[j] = dx[j];
  return IsImprovingRay(sf, q);
}

std::vector<mpq_class> BasisRay(const StandardForm &sf, const Basis &basis, int entering, int direction) {
  RationalLU lu(sf.m);
  if (entering < 0 || entering >= sf.n || !Factored(sf, basis, lu)) return {};
  std::vector<mpq_class> col(sf.m);
  for (int i = 0; i < sf.m; ++i) col[i] = sf.A(i, entering);
  const std::vector<mpq_class> alpha = lu.Solve(std::move(col));
  std::vector<mpq_class> dx(sf.n, mpq_class(0));
  const int s = direction < 0 ? -1 : 1;
  dx[entering] = s;
  for (int p = 0; p < sf.m; ++p) dx[basis.basic[p]] = -s * alpha[p];
  return dx;
}

bool PointFeasible(const StandardForm &sf, const std::vector<double> &x) {
  if (static_cast<int>(x.size()) != sf.n) return false;
  for (int j = 0; j < sf.n; ++j)
    if (!std::isfinite(x[j]) || (sf.HasLower(j) && x[j] < sf.lower[j]) || (sf.HasUpper(j) && x[j] > sf.upper[j]))
      return false;
  for (int i = 0; i < sf.m; ++i) {
    mpq_class s = 0;
    for (int j = 0; j < sf.n; ++j)
      if (sf.A(i, j) != 0 && x[j] != 0) s += mpq_class(sf.A(i, j)) * mpq_class(x[j]);
    if (s != sf.b[i]) return false;
  }
  return true;
}

mpq_class ObjectiveOf(const StandardForm &sf, const std::vector<double> &x) {
  mpq_class s = 0;
  for (int j = 0; j < sf.n && j < static_cast<int>(x.size()); ++j)
    if (sf.c[j] != 0 && x[j] != 0) s += mpq_class(sf.c[j]) * mpq_class(x[j]);
  return s;
}

StandardForm FromTypedRows(int m, int n, const std::vector<double> &a, const std::vector<char> &relation,
                           const std::vector<double> &b, const std::vector<double> &c,
                           const std::vector<double> &lower, const std::vector<double> &upper, bool maximize,
                           std::vector<int> *slackOf) {
  int slacks = 0;
  for (int i = 0; i < m; ++i)
    if (relation[i] != '=') ++slacks;
  StandardForm sf;
  sf.Resize(m, n + slacks);
  sf.maximize = maximize;
  if (slackOf) slackOf->assign(m, -1);
  int next = n;
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < n; ++j) sf.A(i, j) = a[static_cast<std::size_t>(i) * n + j];
    sf.b[i] = b[i];
    if (relation[i] == '=') continue;
    sf.A(i, next) = relation[i] == '<' ? 1.0 : -1.0;
    if (slackOf) (*slackOf)[i] = next;
    ++next;
  }
  for (int j = 0; j < n; ++j) {
    sf.c[j] = c[j];
    sf.lower[j] = lower[j];
    sf.upper[j] = upper[j];
  }
  return sf;
}

} // namespace quon::exact
