#include "linear/exact_basis.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <string>

namespace quon::exact {

mpq_class DecimalOf(double v) {
  if (!std::isfinite(v)) return mpq_class(0);
  // Whole numbers below 2^53 are their own decimal.
  if (std::fabs(v) < 9007199254740992.0 && v == std::trunc(v)) return mpq_class(v);
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  const std::string text(buf, res.ptr);
  const std::size_t e = text.find('e');
  std::string digits;
  for (std::size_t k = 0; k < e; ++k)
    if (text[k] != '.') digits += text[k];
  // The mantissa d.ddd has one digit before its point.
  const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10) - static_cast<long>(digits.size() - (digits[0] == '-' ? 2 : 1));
  mpq_class q{mpz_class(digits, 10)};
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
  if (exponent < 0) q /= power; else q *= power;
  q.canonicalize();
  return q;
}

// The data of a StandardForm as the decimals they were typed as, and the doubles they were
// converted from (to tell whether the form has changed since).
struct TypedRationals {
  int m = 0, n = 0;
  double infinity = HUGE_VAL;
  std::vector<double> a, b, c, lower, upper;
  // The nonzeros of A by column: rows and values of column j at colStart[j] .. colStart[j+1]-1.
  std::vector<int> colStart, row;
  std::vector<mpq_class> val;
  std::vector<mpq_class> qb, qc, qlower, qupper; // a missing bound is 0
};

namespace {

const TypedRationals &Typed(const StandardForm &sf) {
  const TypedRationals *t = sf.rationals.get();
  if (t && t->m == sf.m && t->n == sf.n && t->infinity == sf.infinity && t->a == sf.a && t->b == sf.b &&
      t->c == sf.c && t->lower == sf.lower && t->upper == sf.upper)
    return *t;
  auto fresh = std::make_shared<TypedRationals>();
  TypedRationals &r = *fresh;
  r.m = sf.m;
  r.n = sf.n;
  r.infinity = sf.infinity;
  r.a = sf.a;
  r.b = sf.b;
  r.c = sf.c;
  r.lower = sf.lower;
  r.upper = sf.upper;
  r.colStart.assign(static_cast<std::size_t>(sf.n) + 1, 0);
  for (int j = 0; j < sf.n; ++j) {
    for (int i = 0; i < sf.m; ++i)
      if (sf.A(i, j) != 0) {
        r.row.push_back(i);
        r.val.push_back(DecimalOf(sf.A(i, j)));
      }
    r.colStart[static_cast<std::size_t>(j) + 1] = static_cast<int>(r.row.size());
  }
  r.qb.resize(static_cast<std::size_t>(sf.m));
  for (int i = 0; i < sf.m; ++i) r.qb[i] = DecimalOf(sf.b[i]);
  r.qc.resize(static_cast<std::size_t>(sf.n));
  r.qlower.resize(static_cast<std::size_t>(sf.n));
  r.qupper.resize(static_cast<std::size_t>(sf.n));
  for (int j = 0; j < sf.n; ++j) {
    r.qc[j] = DecimalOf(sf.c[j]);
    if (sf.HasLower(j)) r.qlower[j] = DecimalOf(sf.lower[j]);
    if (sf.HasUpper(j)) r.qupper[j] = DecimalOf(sf.upper[j]);
  }
  sf.rationals = fresh;
  return *fresh;
}

// Rational LU of an m x m basis matrix by Gaussian elimination, each pivot the nonzero entry
// of least fill (Markowitz count): a basis made mostly of slack columns then costs little more
// than its structural part.
class RationalLU {
public:
  explicit RationalLU(int m, long long *work = nullptr, long long budget = 0)
      : m_(m), w_(static_cast<std::size_t>(m) * m), work_(work), budget_(budget) {}

  // Whether Factor stopped because the work allowed ran out (not because the basis is singular).
  bool OverBudget() const { return overBudget_; }

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
        const long long lSize = Limbs(l);
        for (int j = 0; j < m_; ++j)
          if (!colDone[j] && sgn(At(pr, j)) != 0) {
            At(i, j) -= l * At(pr, j);
            if (work_) *work_ += lSize + Limbs(At(i, j));
          }
        if (work_ && budget_ > 0 && *work_ > budget_) {
          overBudget_ = true;
          return false;
        }
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

  // After a failed Factor: the rows and basis positions no pivot was found for.
  void Unpivoted(std::vector<int> &rows, std::vector<int> &positions) const {
    std::vector<char> r(m_, 0), c(m_, 0);
    for (int k : pivotRow_) r[k] = 1;
    for (int k : pivotCol_) c[k] = 1;
    for (int i = 0; i < m_; ++i) {
      if (!r[i]) rows.push_back(i);
      if (!c[i]) positions.push_back(i);
    }
  }

private:
  struct Op {
    int pivotRow, row;
    mpq_class l;
  };
  // The size of a rational in limbs: what the cost of arithmetic with it grows with.
  static long long Limbs(const mpq_class &q) {
    return static_cast<long long>(mpz_size(q.get_num_mpz_t()) + mpz_size(q.get_den_mpz_t()));
  }
  int m_;
  std::vector<mpq_class> w_;
  long long *work_ = nullptr;
  long long budget_ = 0;
  bool overBudget_ = false;
  std::vector<int> pivotRow_, pivotCol_;
  std::vector<Op> ops_;
};

bool Factored(const StandardForm &sf, const TypedRationals &q, const Basis &basis, RationalLU &lu) {
  if (static_cast<int>(basis.basic.size()) != sf.m) return false;
  for (int r = 0; r < sf.m; ++r) {
    const int j = basis.basic[r];
    if (j < 0 || j >= sf.n) return false;
    for (int k = q.colStart[j]; k < q.colStart[j + 1]; ++k) lu.At(q.row[k], r) = q.val[k];
  }
  return lu.Factor();
}

mpq_class NonbasicValue(const StandardForm &sf, const TypedRationals &q, const Basis &basis, int j) {
  const AtBound at = static_cast<std::size_t>(j) < basis.nonbasic.size() ? basis.nonbasic[j] : AtBound::Lower;
  if (at == AtBound::Lower && sf.HasLower(j)) return q.qlower[j];
  if (at == AtBound::Upper && sf.HasUpper(j)) return q.qupper[j];
  return mpq_class(0);
}

// sum over rows of y_i A_ij.
mpq_class ColumnProduct(const TypedRationals &q, const std::vector<mpq_class> &y, int j) {
  mpq_class s = 0;
  for (int k = q.colStart[j]; k < q.colStart[j + 1]; ++k)
    if (sgn(y[q.row[k]]) != 0) s += y[q.row[k]] * q.val[k];
  return s;
}

// A x for the rational x, row by row.
std::vector<mpq_class> RowSums(const TypedRationals &q, const std::vector<mpq_class> &x) {
  std::vector<mpq_class> s(static_cast<std::size_t>(q.m));
  for (int j = 0; j < q.n; ++j) {
    if (sgn(x[j]) == 0) continue;
    for (int k = q.colStart[j]; k < q.colStart[j + 1]; ++k) s[q.row[k]] += q.val[k] * x[j];
  }
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

namespace {

// CheckBasis on a factorisation the caller keeps, priced by `costs` (the program's, or the
// phase-1 costs of a basis outside its bounds) with the sense `maximize`.
bool Evaluate(const StandardForm &sf, const Basis &basis, RationalLU &lu, const std::vector<mpq_class> &costs,
              bool maximize, BasisCheck &out) {
  out = BasisCheck{};
  const TypedRationals &q = Typed(sf);
  if (!Factored(sf, q, basis, lu)) {
    out.singular = true;
    return false;
  }
  std::vector<char> isBasic(sf.n, 0);
  for (int j : basis.basic) isBasic[j] = 1;
  out.x.assign(sf.n, mpq_class(0));
  for (int j = 0; j < sf.n; ++j)
    if (!isBasic[j]) out.x[j] = NonbasicValue(sf, q, basis, j);
  std::vector<mpq_class> r = q.qb;
  for (int j = 0; j < sf.n; ++j) {
    if (isBasic[j] || sgn(out.x[j]) == 0) continue;
    for (int k = q.colStart[j]; k < q.colStart[j + 1]; ++k) r[q.row[k]] -= q.val[k] * out.x[j];
  }
  const std::vector<mpq_class> xb = lu.Solve(std::move(r));
  out.primalFeasible = true;
  for (int p = 0; p < sf.m; ++p) {
    const int j = basis.basic[p];
    out.x[j] = xb[p];
    if ((sf.HasLower(j) && xb[p] < q.qlower[j]) || (sf.HasUpper(j) && xb[p] > q.qupper[j])) {
      if (out.primalFeasible) out.infeasibleRow = p;
      out.primalFeasible = false;
    }
  }
  std::vector<mpq_class> cb(sf.m);
  for (int p = 0; p < sf.m; ++p) cb[p] = costs[basis.basic[p]];
  out.y = lu.SolveTransposed(cb);
  out.d.assign(sf.n, mpq_class(0));
  out.dualFeasible = true;
  for (int j = 0; j < sf.n; ++j) {
    if (sgn(costs[j]) != 0) out.objective += costs[j] * out.x[j];
    if (isBasic[j]) continue;
    out.d[j] = costs[j] - ColumnProduct(q, out.y, j);
    const int s = sgn(out.d[j]) * (maximize ? -1 : 1);
    const bool canRise = !sf.HasUpper(j) || out.x[j] < q.qupper[j];
    const bool canFall = !sf.HasLower(j) || out.x[j] > q.qlower[j];
    if ((s < 0 && canRise) || (s > 0 && canFall)) {
      if (out.dualFeasible) out.improvingColumn = j;
      out.dualFeasible = false;
    }
  }
  return true;
}

const std::vector<mpq_class> &Costs(const StandardForm &sf) {
  return Typed(sf).qc;
}

} // namespace

BasisCheck CheckBasis(const StandardForm &sf, const Basis &basis) {
  BasisCheck out;
  RationalLU lu(sf.m);
  Evaluate(sf, basis, lu, Costs(sf), sf.maximize, out);
  return out;
}

ExactSolve SolveFromBasis(const StandardForm &sf, Basis &basis, int maxPivots, long long maxWork) {
  ExactSolve res;
  basis.nonbasic.resize(sf.n, AtBound::Lower);
  const TypedRationals &q = Typed(sf);
  const std::vector<mpq_class> &costs = q.qc;
  bool repaired = false;
  for (;;) {
    RationalLU lu(sf.m, &res.work, maxWork);
    if (!Evaluate(sf, basis, lu, costs, sf.maximize, res.check)) {
      if (lu.OverBudget()) {
        res.check.singular = false;
        res.outOfWork = true;
        return res;
      }
      // A singular basis gives each row left without a pivot its own unit column (a slack or an
      // artificial one) in place of a column that depends on the others, once.
      if (repaired || static_cast<int>(basis.basic.size()) != sf.m) return res;
      repaired = true;
      std::vector<int> rows, positions;
      lu.Unpivoted(rows, positions);
      std::vector<char> isBasic(sf.n, 0);
      for (int j : basis.basic) isBasic[j] = 1;
      for (std::size_t k = 0; k < rows.size() && k < positions.size(); ++k) {
        int unit = -1;
        for (int j = 0; j < sf.n && unit < 0; ++j) {
          if (isBasic[j] || sf.A(rows[k], j) == 0) continue;
          bool sole = true;
          for (int i = 0; i < sf.m && sole; ++i) sole = i == rows[k] || sf.A(i, j) == 0;
          if (sole) unit = j;
        }
        if (unit < 0) return res;
        const int out = basis.basic[positions[k]];
        basis.nonbasic[out] = sf.HasLower(out) || !sf.HasUpper(out) ? AtBound::Lower : AtBound::Upper;
        isBasic[out] = 0;
        isBasic[unit] = 1;
        basis.basic[positions[k]] = unit;
      }
      continue;
    }
    const bool phase1 = !res.check.primalFeasible;
    BasisCheck priced;
    const BasisCheck *pc = &res.check;
    std::vector<mpq_class> w;
    if (phase1) {
      // The sum of the distances of the basic values from the bounds they break, minimised.
      w.assign(sf.n, mpq_class(0));
      for (int j : basis.basic) {
        const mpq_class &x = res.check.x[j];
        if (sf.HasLower(j) && x < q.qlower[j]) w[j] = -1;
        else if (sf.HasUpper(j) && x > q.qupper[j]) w[j] = 1;
      }
      RationalLU lu1(sf.m, &res.work, maxWork);
      if (!Evaluate(sf, basis, lu1, w, false, priced) && lu1.OverBudget()) {
        res.outOfWork = true;
        return res;
      }
      pc = &priced;
      if (priced.dualFeasible) {
        if (ProvesInfeasible(sf, priced.y)) {
          res.verdict = ExactVerdict::Infeasible;
          res.farkas = priced.y;
        }
        return res;
      }
    } else if (res.check.dualFeasible) {
      res.verdict = ExactVerdict::Optimal;
      return res;
    }
    if (res.pivots >= maxPivots) return res;
    // The most improving column enters for the first half of the pivots allowed, then, so that
    // no degenerate stretch can cycle, the lowest improving one (Bland's rule); it moves the way
    // it improves.
    const bool maximize = phase1 ? false : sf.maximize;
    const bool bland = res.pivots >= maxPivots / 2;
    int e = -1;
    mpq_class bestScore;
    std::vector<char> isBasic(sf.n, 0);
    for (int j : basis.basic) isBasic[j] = 1;
    for (int j = 0; j < sf.n && !(bland && e >= 0); ++j) {
      if (isBasic[j]) continue;
      const int s = sgn(pc->d[j]) * (maximize ? -1 : 1);
      const bool canRise = !sf.HasUpper(j) || res.check.x[j] < q.qupper[j];
      const bool canFall = !sf.HasLower(j) || res.check.x[j] > q.qlower[j];
      if (!((s < 0 && canRise) || (s > 0 && canFall))) continue;
      if (e < 0 || abs(pc->d[j]) > bestScore) {
        e = j;
        bestScore = abs(pc->d[j]);
      }
    }
    if (e < 0) return res;
    const int dir = sgn(pc->d[e]) * (maximize ? -1 : 1) < 0 ? 1 : -1;
    std::vector<mpq_class> col(sf.m);
    for (int k = q.colStart[e]; k < q.colStart[e + 1]; ++k) col[q.row[k]] = q.val[k];
    const std::vector<mpq_class> alpha = lu.Solve(std::move(col));
    // The longest step that keeps every value within its bounds within them and brings no value
    // outside its bounds past the bound it breaks.
    bool bounded = false, flip = false;
    mpq_class best;
    int leaveRow = -1;
    AtBound leaveAt = AtBound::Lower;
    const mpq_class &xe = res.check.x[e];
    if (dir > 0 && sf.HasUpper(e)) {
      best = q.qupper[e] - xe;
      bounded = flip = true;
    } else if (dir < 0 && sf.HasLower(e)) {
      best = xe - q.qlower[e];
      bounded = flip = true;
    }
    for (int p = 0; p < sf.m; ++p) {
      const mpq_class dx = -dir * alpha[p];
      const int sd = sgn(dx);
      if (sd == 0) continue;
      const int j = basis.basic[p];
      const mpq_class &x = res.check.x[j];
      const bool below = sf.HasLower(j) && x < q.qlower[j];
      const bool above = sf.HasUpper(j) && x > q.qupper[j];
      mpq_class t;
      AtBound at;
      if (sd < 0 && !below && sf.HasLower(j)) {
        t = (x - q.qlower[j]) / -dx;
        at = AtBound::Lower;
      } else if (sd > 0 && !above && sf.HasUpper(j) && !below) {
        t = (q.qupper[j] - x) / dx;
        at = AtBound::Upper;
      } else if (sd > 0 && below) {
        t = (q.qlower[j] - x) / dx;
        at = AtBound::Lower;
      } else if (sd < 0 && above) {
        t = (x - q.qupper[j]) / -dx;
        at = AtBound::Upper;
      } else {
        continue;
      }
      const bool better = !bounded || t < best || (t == best && !flip && leaveRow >= 0 && j < basis.basic[leaveRow]);
      if (better) {
        best = t;
        bounded = true;
        flip = false;
        leaveRow = p;
        leaveAt = at;
      }
    }
    if (!bounded) {
      if (!phase1) {
        std::vector<mpq_class> dx(sf.n, mpq_class(0));
        dx[e] = dir;
        for (int p = 0; p < sf.m; ++p) dx[basis.basic[p]] = -dir * alpha[p];
        if (IsImprovingRay(sf, dx)) {
          res.verdict = ExactVerdict::Unbounded;
          res.ray = std::move(dx);
        }
      }
      return res;
    }
    ++res.pivots;
    if (flip) {
      basis.nonbasic[e] = dir > 0 ? AtBound::Upper : AtBound::Lower;
      continue;
    }
    const int leaving = basis.basic[leaveRow];
    basis.basic[leaveRow] = e;
    basis.nonbasic[leaving] = leaveAt;
  }
}

namespace {

// LU with partial pivoting of a basis matrix in double precision, and solves with it refined
// once on residuals summed in long double.
class DoubleLU {
public:
  bool Factor(const StandardForm &sf, const Basis &basis) {
    m_ = sf.m;
    const std::size_t mm = static_cast<std::size_t>(m_);
    if (static_cast<int>(basis.basic.size()) != m_) return false;
    lu_.assign(mm * mm, 0.0);
    std::vector<char> isBasic(sf.n, 0);
    for (int r = 0; r < m_; ++r) {
      const int j = basis.basic[r];
      if (j < 0 || j >= sf.n || isBasic[j]) return false;
      isBasic[j] = 1;
      for (int i = 0; i < m_; ++i) lu_[i * mm + r] = sf.A(i, j);
    }
    std::vector<double> colMax(mm, 0.0);
    for (int i = 0; i < m_; ++i)
      for (int k = 0; k < m_; ++k) colMax[k] = std::max(colMax[k], std::fabs(lu_[i * mm + k]));
    perm_.resize(mm);
    for (int i = 0; i < m_; ++i) perm_[i] = i;
    for (int k = 0; k < m_; ++k) {
      int p = k;
      for (int i = k + 1; i < m_; ++i)
        if (std::fabs(lu_[i * mm + k]) > std::fabs(lu_[p * mm + k])) p = i;
      if (!(std::fabs(lu_[p * mm + k]) > 1E-13 * colMax[k])) return false;
      if (p != k) {
        for (int j = 0; j < m_; ++j) std::swap(lu_[k * mm + j], lu_[p * mm + j]);
        std::swap(perm_[k], perm_[p]);
      }
      const double piv = lu_[k * mm + k];
      for (int i = k + 1; i < m_; ++i) {
        double &l = lu_[i * mm + k];
        if (l == 0) continue;
        l /= piv;
        for (int j = k + 1; j < m_; ++j) lu_[i * mm + j] -= l * lu_[k * mm + j];
      }
    }
    return true;
  }
  std::vector<double> Solve(const std::vector<long double> &r) const {
    const std::size_t mm = static_cast<std::size_t>(m_);
    std::vector<double> v(mm);
    for (int i = 0; i < m_; ++i) {
      double s = static_cast<double>(r[perm_[i]]);
      for (int j = 0; j < i; ++j) s -= lu_[i * mm + j] * v[j];
      v[i] = s;
    }
    for (int i = m_ - 1; i >= 0; --i) {
      double s = v[i];
      for (int j = i + 1; j < m_; ++j) s -= lu_[i * mm + j] * v[j];
      v[i] = s / lu_[i * mm + i];
    }
    return v;
  }
  std::vector<double> SolveTransposed(const std::vector<long double> &c) const {
    const std::size_t mm = static_cast<std::size_t>(m_);
    std::vector<double> t(mm), w(mm);
    for (int i = 0; i < m_; ++i) {
      double s = static_cast<double>(c[i]);
      for (int j = 0; j < i; ++j) s -= lu_[j * mm + i] * t[j];
      t[i] = s / lu_[i * mm + i];
    }
    for (int i = m_ - 1; i >= 0; --i) {
      double s = t[i];
      for (int j = i + 1; j < m_; ++j) s -= lu_[j * mm + i] * t[j];
      t[i] = s;
    }
    for (int i = 0; i < m_; ++i) w[perm_[i]] = t[i];
    return w;
  }

private:
  int m_ = 0;
  std::vector<double> lu_;
  std::vector<int> perm_;
};

// Every column's value: nonbasic ones at their bounds, basic ones solved and refined once.
std::vector<double> DoubleValues(const StandardForm &sf, const Basis &basis, const DoubleLU &lu) {
  std::vector<char> isBasic(sf.n, 0);
  for (int j : basis.basic) isBasic[j] = 1;
  std::vector<double> x(sf.n, 0.0);
  for (int j = 0; j < sf.n; ++j)
    if (!isBasic[j]) {
      const AtBound at = static_cast<std::size_t>(j) < basis.nonbasic.size() ? basis.nonbasic[j] : AtBound::Lower;
      x[j] = at == AtBound::Lower && sf.HasLower(j) ? sf.lower[j] : at == AtBound::Upper && sf.HasUpper(j) ? sf.upper[j] : 0.0;
    }
  std::vector<long double> res(sf.m);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < sf.m; ++i) {
      long double s = sf.b[i];
      for (int j = 0; j < sf.n; ++j)
        if (sf.A(i, j) != 0 && x[j] != 0) s -= static_cast<long double>(sf.A(i, j)) * x[j];
      res[i] = s;
    }
    const std::vector<double> dx = lu.Solve(res);
    for (int r = 0; r < sf.m; ++r) x[basis.basic[r]] += dx[r];
  }
  return x;
}

// y with y B = costs of the basic columns, refined once.
std::vector<double> DoubleDuals(const StandardForm &sf, const Basis &basis, const DoubleLU &lu,
                                const std::vector<double> &costs) {
  std::vector<double> y(sf.m, 0.0);
  std::vector<long double> res(sf.m);
  for (int pass = 0; pass < 2; ++pass) {
    for (int r = 0; r < sf.m; ++r) {
      const int j = basis.basic[r];
      long double s = costs[j];
      for (int i = 0; i < sf.m; ++i) s -= static_cast<long double>(y[i]) * sf.A(i, j);
      res[r] = s;
    }
    const std::vector<double> dy = lu.SolveTransposed(res);
    for (int i = 0; i < sf.m; ++i) y[i] += dy[i];
  }
  return y;
}

} // namespace

std::vector<double> InfeasibilityMultipliers(const StandardForm &sf, const Basis &basis) {
  DoubleLU lu;
  if (!lu.Factor(sf, basis)) return {};
  const std::vector<double> x = DoubleValues(sf, basis, lu);
  std::vector<double> w(sf.n, 0.0);
  double scale = 1;
  for (double v : x) scale = std::max(scale, std::fabs(v));
  for (int j : basis.basic) {
    const double tol = 1E-11 * scale;
    if (sf.HasLower(j) && x[j] < sf.lower[j] - tol) w[j] = -1;
    else if (sf.HasUpper(j) && x[j] > sf.upper[j] + tol) w[j] = 1;
  }
  return DoubleDuals(sf, basis, lu, w);
}

std::vector<double> BasisRowMultipliers(const StandardForm &sf, const Basis &basis, int row) {
  DoubleLU lu;
  if (row < 0 || row >= sf.m || !lu.Factor(sf, basis)) return {};
  std::vector<long double> e(sf.m, 0.0L);
  e[row] = 1;
  return lu.SolveTransposed(e);
}

std::vector<int> RowsOutsideBounds(const StandardForm &sf, const Basis &basis) {
  DoubleLU lu;
  if (!lu.Factor(sf, basis)) return {};
  const std::vector<double> x = DoubleValues(sf, basis, lu);
  double scale = 1;
  for (double v : x) scale = std::max(scale, std::fabs(v));
  std::vector<int> rows;
  for (int r = 0; r < sf.m; ++r) {
    const int j = basis.basic[r];
    const double tol = 1E-11 * scale;
    if ((sf.HasLower(j) && x[j] < sf.lower[j] - tol) || (sf.HasUpper(j) && x[j] > sf.upper[j] + tol)) rows.push_back(r);
  }
  return rows;
}

QuickCheck QuickCheckBasis(const StandardForm &sf, const Basis &basis, double tol) {
  QuickCheck q;
  const int m = sf.m, n = sf.n;
  DoubleLU lu;
  if (!lu.Factor(sf, basis)) {
    q.singular = true;
    return q;
  }
  std::vector<char> isBasic(n, 0);
  for (int j : basis.basic) isBasic[j] = 1;
  q.x = DoubleValues(sf, basis, lu);
  const std::vector<double> y = DoubleDuals(sf, basis, lu, sf.c);
  q.y = y;
  double xScale = 1, yScale = 0;
  for (double v : q.x) xScale = std::max(xScale, std::fabs(v));
  for (double v : y) yScale = std::max(yScale, std::fabs(v));
  for (int j = 0; j < n; ++j) q.objective += sf.c[j] * q.x[j];
  q.holds = true;
  // A value that is 0 in exact arithmetic comes out as rounding noise of the largest: the terms
  // of a row are judged beside that too.
  for (int i = 0; i < m && q.holds; ++i) {
    long double s = sf.b[i], size = std::fabs(sf.b[i]), rowMax = 0;
    for (int j = 0; j < n; ++j)
      if (sf.A(i, j) != 0) {
        const long double t = static_cast<long double>(sf.A(i, j)) * q.x[j];
        s -= t;
        size += std::fabs(t);
        rowMax = std::max(rowMax, static_cast<long double>(std::fabs(sf.A(i, j))));
      }
    if (std::fabs(s) > tol * (size + 1E-3L * xScale * rowMax)) q.holds = false;
  }
  for (int j = 0; j < n && q.holds; ++j) {
    const double slackTol = tol * std::max(xScale, std::fabs(q.x[j]));
    if ((sf.HasLower(j) && q.x[j] < sf.lower[j] - slackTol) || (sf.HasUpper(j) && q.x[j] > sf.upper[j] + slackTol))
      q.holds = false;
    if (isBasic[j] || !q.holds) continue;
    // A dual that is 0 in exact arithmetic comes out as rounding noise of the largest: the
    // terms of a reduced cost are judged beside that too.
    long double d = sf.c[j], size = std::fabs(sf.c[j]), colMax = 0;
    for (int i = 0; i < m; ++i)
      if (sf.A(i, j) != 0) {
        const long double t = static_cast<long double>(y[i]) * sf.A(i, j);
        d -= t;
        size += std::fabs(t);
        colMax = std::max(colMax, static_cast<long double>(std::fabs(sf.A(i, j))));
      }
    const double s = (sf.maximize ? -1.0 : 1.0) * static_cast<double>(d);
    const bool canRise = !sf.HasUpper(j) || q.x[j] < sf.upper[j];
    const bool canFall = !sf.HasLower(j) || q.x[j] > sf.lower[j];
    const double dTol = tol * static_cast<double>(size + 1E-3L * yScale * colMax) + 1E-300;
    if ((s < -dTol && canRise) || (s > dTol && canFall)) q.holds = false;
  }
  return q;
}

bool ProvesInfeasible(const StandardForm &sf, const std::vector<mpq_class> &y) {
  if (static_cast<int>(y.size()) != sf.m) return false;
  const TypedRationals &q = Typed(sf);
  mpq_class yb = 0;
  for (int i = 0; i < sf.m; ++i)
    if (sgn(y[i]) != 0 && sgn(q.qb[i]) != 0) yb += y[i] * q.qb[i];
  // The largest and smallest y A x within the bounds, each while it is finite.
  mpq_class hi = 0, lo = 0;
  bool hiFinite = true, loFinite = true;
  for (int j = 0; j < sf.n; ++j) {
    const mpq_class gj = ColumnProduct(q, y, j);
    const int s = sgn(gj);
    if (s == 0) continue;
    const bool up = sf.HasUpper(j), down = sf.HasLower(j);
    if (s > 0) {
      if (up) hi += gj * q.qupper[j]; else hiFinite = false;
      if (down) lo += gj * q.qlower[j]; else loFinite = false;
    } else {
      if (down) hi += gj * q.qlower[j]; else hiFinite = false;
      if (up) lo += gj * q.qupper[j]; else loFinite = false;
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
  if (!Factored(sf, Typed(sf), basis, lu)) return false;
  std::vector<mpq_class> e(sf.m, mpq_class(0));
  e[row] = 1;
  return ProvesInfeasible(sf, lu.SolveTransposed(e));
}

bool IsImprovingRay(const StandardForm &sf, const std::vector<mpq_class> &dx) {
  if (static_cast<int>(dx.size()) != sf.n) return false;
  for (int j = 0; j < sf.n; ++j) {
    const int s = sgn(dx[j]);
    if ((s < 0 && sf.HasLower(j)) || (s > 0 && sf.HasUpper(j))) return false;
  }
  const TypedRationals &q = Typed(sf);
  for (const mpq_class &s : RowSums(q, dx))
    if (sgn(s) != 0) return false;
  mpq_class gain = 0;
  for (int j = 0; j < sf.n; ++j)
    if (sgn(dx[j]) != 0 && sgn(q.qc[j]) != 0) gain += q.qc[j] * dx[j];
  return sf.maximize ? sgn(gain) > 0 : sgn(gain) < 0;
}

bool IsImprovingRay(const StandardForm &sf, const std::vector<double> &dx) {
  std::vector<mpq_class> q(dx.size());
  for (std::size_t j = 0; j < dx.size(); ++j) q[j] = dx[j];
  return IsImprovingRay(sf, q);
}

std::vector<mpq_class> BasisRay(const StandardForm &sf, const Basis &basis, int entering, int direction) {
  RationalLU lu(sf.m);
  if (entering < 0 || entering >= sf.n) return {};
  const TypedRationals &q = Typed(sf);
  if (!Factored(sf, q, basis, lu)) return {};
  std::vector<mpq_class> col(sf.m);
  for (int k = q.colStart[entering]; k < q.colStart[entering + 1]; ++k) col[q.row[k]] = q.val[k];
  const std::vector<mpq_class> alpha = lu.Solve(std::move(col));
  std::vector<mpq_class> dx(sf.n, mpq_class(0));
  const int s = direction < 0 ? -1 : 1;
  dx[entering] = s;
  for (int p = 0; p < sf.m; ++p) dx[basis.basic[p]] = -s * alpha[p];
  return dx;
}

bool PointFeasible(const StandardForm &sf, const std::vector<double> &x) {
  if (static_cast<int>(x.size()) != sf.n) return false;
  const TypedRationals &q = Typed(sf);
  std::vector<mpq_class> v(x.size());
  for (int j = 0; j < sf.n; ++j) {
    if (!std::isfinite(x[j])) return false;
    v[j] = DecimalOf(x[j]);
    if ((sf.HasLower(j) && v[j] < q.qlower[j]) || (sf.HasUpper(j) && v[j] > q.qupper[j])) return false;
  }
  const std::vector<mpq_class> s = RowSums(q, v);
  for (int i = 0; i < sf.m; ++i)
    if (s[i] != q.qb[i]) return false;
  return true;
}

mpq_class ObjectiveOf(const StandardForm &sf, const std::vector<double> &x) {
  const TypedRationals &q = Typed(sf);
  mpq_class s = 0;
  for (int j = 0; j < sf.n && j < static_cast<int>(x.size()); ++j)
    if (sgn(q.qc[j]) != 0 && x[j] != 0) s += q.qc[j] * DecimalOf(x[j]);
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
